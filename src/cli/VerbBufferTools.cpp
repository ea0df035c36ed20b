// zelvor-cli find, crc and compare: searching a file's image, its CRC-32, and the ranges where
// two images differ.

#include "Verbs.h"

#include "app/HexText.h"
#include "buffer/ImageCompare.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageFind.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path); // VerbConvert.cpp

// find FILE --hex "DE AD" | --text abc [--from HEX]: the first offset from --from on where the
// bytes lie, or "not found" (exit 1).
int verbFind(CliContext& c) {
    const bool hex = c.has(QStringLiteral("hex"));
    if (c.args.size() != 1 || hex == c.has(QStringLiteral("text")))
        return c.usage(QStringLiteral("find takes one FILE and --hex BYTES or --text TEXT"));
    QByteArray pattern;
    if (findPattern(c.opt(hex ? QStringLiteral("hex") : QStringLiteral("text")), hex, pattern) !=
        FindOk)
        return c.usage(hex ? QStringLiteral("--hex takes pairs of hexadecimal digits")
                           : QStringLiteral("--text takes Windows-1251 characters"));
    quint32 from = 0;
    if (!c.hexOpt(QStringLiteral("from"), from)) return Usage;
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    const qint64 hit = findBytes(c.s.buf, pattern, from, false);
    if (hit < 0) {
        c.out << "not found\n";
        return Failed;
    }
    c.out << Hex_str(quint32(hit), 7) << '\n';
    return Ok;
}

// crc FILE [--start HEX] [--end HEX]: the CRC-32 of the image, or of its bytes start..end.
int verbCrc(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("crc takes one FILE"));
    quint32 start = 0, end = 0;
    if (!c.hexOpt(QStringLiteral("start"), start) || !c.hexOpt(QStringLiteral("end"), end))
        return Usage;
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    Session& s = c.s;
    if (!c.has(QStringLiteral("end"))) end = quint32(s.buf.size - 1);
    if (qint64(end) >= s.buf.size || start > end)
        return c.usage(QStringLiteral("--start and --end must lie inside the %1 bytes loaded, "
                                      "--start not after --end")
                           .arg(s.buf.size));
    const quint32 crc = c.has(QStringLiteral("start")) || c.has(QStringLiteral("end"))
                            ? rangeCrc(s, start, end)
                            : bufferCrc(s);
    c.out << Hex_str(crc, 8) << '\n';
    return Ok;
}

// Each range where two images differ ("FIRST-LAST", 7 hex digits each), then their count.
void printDiffRanges(CliContext& c, const ImageDiff& d) {
    for (const DiffRange& r : d.ranges)
        c.out << Hex_str(quint32(r.first), 7) << '-' << Hex_str(quint32(r.last), 7) << '\n';
    c.out << d.ranges.size() << " ranges, " << d.bytes << " bytes differ\n";
}

// compare FILE1 FILE2: each range where the images differ ("FIRST-LAST", 7 hex digits each),
// then their count; exit 1 when they differ.
int verbCompare(CliContext& c) {
    if (c.args.size() != 2) return c.usage(QStringLiteral("compare takes FILE1 and FILE2"));
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    RomBuf other;
    if (loadOtherImage(c.s, c.args[1], other) != FileOk) {
        c.err << "cannot load " << c.args[1] << '\n';
        return Failed;
    }
    const ImageDiff d = diffImages(c.s.buf, c.s.buf.size, other, other.size);
    printDiffRanges(c, d);
    return d.ranges.empty() ? Ok : Failed;
}

} // namespace zelvor::cli
