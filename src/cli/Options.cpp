#include "Options.h"

#include <QStringList>

#include <cctype>

namespace zelvor::cli {

namespace {

const OptionSpec kOptions[] = {
    {"port", OptKind::Text, "COM1..COM4|DEVICE", 0, true},
    {"baud", OptKind::Choice, "9600|57600|115200|230400|460800", 0, true},
    {"demo", OptKind::Flag, nullptr, 0, true},
    {"lang", OptKind::Choice, "ru|en", 0, true},
    {"dir", OptKind::Text, "DIR", 0, true},
    {"yes", OptKind::Flag, nullptr, 0, true},
    {"no", OptKind::Flag, nullptr, 0, true},
    {"quiet", OptKind::Flag, nullptr, 0, true},
    {"journal", OptKind::Flag, nullptr, 0, true},
    {"help", OptKind::Flag, nullptr, 0, true},
    {"o", OptKind::Text, "FILE"},
    {"format", OptKind::Choice, "bin|hex"},
    {"offset", OptKind::Hex, "HEX", 7},
    {"buffer-offset", OptKind::Hex, "HEX", 7},
    {"start", OptKind::Hex, "HEX", 7},
    {"end", OptKind::Hex, "HEX", 7},
    {"area", OptKind::Choice, "code|data|config"},
    {"with", OptKind::List, "data,config"},
    {"steps", OptKind::List, "erase,blank,write,verify,lock"},
    {"vpp", OptKind::Choice, "12.5|21|25|none"},
    {"vcc", OptKind::Choice, "5|6|3"},
    {"alg", OptKind::Choice, "standard|intelligent|quick|polling"},
    {"bits", OptKind::Choice, "1|2|3"},
    {"block", OptKind::Choice, "lower|upper"},
    {"lock", OptKind::Hex, "HEX", 2},
    {"low", OptKind::Hex, "HEX", 2},
    {"high", OptKind::Hex, "HEX", 2},
    {"ext", OptKind::Hex, "HEX", 2},
    {"word", OptKind::Hex, "HEX", 4},
    {"id", OptKind::Hex, "HEX", 4},
    {"bytes", OptKind::Hex, "HEX28", 28},
    {"op", OptKind::Choice, "and|or|xor|swap"},
    {"mask", OptKind::Hex, "HEX", 7},
    {"hex", OptKind::Text, "BYTES"},
    {"text", OptKind::Text, "TEXT"},
    {"from", OptKind::Hex, "HEX", 7},
    {"first", OptKind::Number, "N"},
    {"last", OptKind::Number, "N"},
};

} // namespace

const OptionSpec* findOption(const QString& name) {
    const QString key = name == QLatin1String("out") ? QStringLiteral("o") : name;
    for (const OptionSpec& o : kOptions)
        if (key == QLatin1String(o.name)) return &o;
    return nullptr;
}

QString checkOptionValue(const OptionSpec& spec, const QString& value, QString& error) {
    const QString dashed = optionSynopsis(spec).section(QLatin1Char(' '), 0, 0);
    switch (spec.kind) {
    case OptKind::Flag:
        return QStringLiteral("1");
    case OptKind::Text:
        if (!value.isEmpty()) return value;
        error = QStringLiteral("%1 needs a value").arg(dashed);
        return QString();
    case OptKind::Hex: {
        bool hex = !value.isEmpty() && value.size() <= spec.digits;
        for (QChar ch : value)
            hex = hex && ch.unicode() < 128 && std::isxdigit(ch.unicode());
        if (hex) return value;
        error = QStringLiteral("%1 takes up to %2 hexadecimal digits").arg(dashed).arg(spec.digits);
        return QString();
    }
    case OptKind::Number: {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (ok && n >= 0) return value;
        error = QStringLiteral("%1 takes a decimal number").arg(dashed);
        return QString();
    }
    case OptKind::Choice:
    case OptKind::List: {
        const QStringList words = QString::fromLatin1(spec.arg).split(
            spec.kind == OptKind::Choice ? QLatin1Char('|') : QLatin1Char(','));
        const QString v = value.toLower();
        const QStringList given = spec.kind == OptKind::Choice
                                      ? QStringList{v}
                                      : v.split(QLatin1Char(','), Qt::KeepEmptyParts);
        bool ok = true;
        for (const QString& w : given)
            ok = ok && words.contains(w);
        if (ok) return v;
        error = spec.kind == OptKind::Choice
                    ? QStringLiteral("%1 takes %2").arg(dashed, QLatin1String(spec.arg))
                    : QStringLiteral("%1 takes a comma-separated list of %2")
                          .arg(dashed, words.join(QStringLiteral(", ")));
        return QString();
    }
    }
    return QString();
}

QString optionSynopsis(const OptionSpec& spec) {
    const QString name = QLatin1String(spec.name) == QLatin1String("o")
                             ? QStringLiteral("-o")
                             : QStringLiteral("--") + QLatin1String(spec.name);
    return spec.arg ? name + QLatin1Char(' ') + QLatin1String(spec.arg) : name;
}

} // namespace zelvor::cli
