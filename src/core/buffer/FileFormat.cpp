#include "buffer/FileFormat.h"
#include "buffer/FileCodes.h"
#include "buffer/FilePath.h"

#include <QFile>

#include <cctype>

namespace zelvor {

int formatByName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash) return FormatUnknown;
    const QString ext = path.mid(dot + 1).toLower();
    if (ext == QLatin1String("bin")) return FormatBin;
    if (ext == QLatin1String("hex") || ext == QLatin1String("ihx") || ext == QLatin1String("ihex"))
        return FormatHex;
    return FormatUnknown;
}

int formatByContent(const QString& path) {
    QFile f;
    if (openForReading(f, path) != FileOk || !isRegularFile(f)) return FormatUnknown;
    QByteArray line = f.readLine(600); // the longest record is 523 characters
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (line.size() < 11 || line[0] != ':') return FormatUnknown;
    for (qsizetype i = 1; i < line.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(line[i]))) return FormatUnknown;
    return FormatHex;
}

} // namespace zelvor
