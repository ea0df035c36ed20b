#include "app/HexText.h"

namespace zelvor {

QString Hex_str(quint32 value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString out(digits, QLatin1Char('0'));
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = QLatin1Char(kDigits[value & 0xF]);
        value >>= 4;
    }
    return out;
}

HexValue Str_hex(const QString& text) {
    HexValue r;
    QString s = text;
    if (s.size() < 7) s = QString(7 - s.size(), QLatin1Char('0')) + s;
    for (int i = 0; i < 7; ++i) {
        const QChar c = s[i].toUpper();
        int d;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            d = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            d = c.unicode() - 'A' + 10;
        else {
            r.error = 1;
            return r;
        }
        r.value = r.value * 16 + quint32(d);
    }
    return r;
}

} // namespace zelvor
