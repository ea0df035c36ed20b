#include "app/TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace zelvor {

namespace {
// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F.
constexpr char16_t kHigh[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t decodeByte(quint8 b) {
    if (b < 0x80) return b;
    if (b >= 0xC0) return char16_t(0x0410 + (b - 0xC0));
    return kHigh[b - 0x80];
}

char encodeChar(char16_t c) {
    if (c < 0x80) return char(c);
    if (c >= 0x0410 && c <= 0x044F) return char(0xC0 + (c - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (kHigh[i] == c && c != 0xFFFD) return char(0x80 + i);
    return '?';
}
} // namespace

QString fromCp1251(const QByteArray& bytes) {
    QString out;
    out.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(decodeByte(quint8(bytes[i])));
    return out;
}

QByteArray toCp1251(const QString& text) {
    QByteArray out;
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = encodeChar(text[i].unicode());
    return out;
}

std::optional<QStringList> readTextLines(const QString& path, qint64 maxBytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    if (f.size() > maxBytes) return std::nullopt;
    const QByteArray all = f.readAll();
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = all.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = all[i];
        if (c == '\r' || c == '\n') {
            lines << fromCp1251(all.mid(start, i - start));
            if (c == '\r' && i + 1 < n && all[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines << fromCp1251(all.mid(start));
    return lines;
}

bool writeFileAtomic(const QString& path, const QByteArray& data) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool writeTextLines(const QString& path, const QStringList& lines) {
    QByteArray data;
    for (const QString& l : lines) {
        data += toCp1251(l);
        data += "\r\n";
    }
    return writeFileAtomic(path, data);
}

} // namespace zelvor
