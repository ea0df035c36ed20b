// zelvor-cli edit and listing: the buffer operations and the printed listing on a file.

#include "Verbs.h"

#include "buffer/BufferFiles.h"
#include "buffer/BufferOps.h"
#include "buffer/FileFormat.h"
#include "buffer/Listing.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path);                 // VerbConvert.cpp
int fileFormatOf(CliContext& c, const QString& path, bool loading); // VerbConvert.cpp

// edit IN OUT --op and|or|xor --mask HEX [--start HEX --end HEX], or --op swap: the buffer
// operations dialog's work on IN, saved as OUT. The fields are checked as the dialog checks
// them (start and end inside the buffer, end not before start) and refused with its texts.
int verbEdit(CliContext& c) {
    if (c.args.size() != 2 || !c.has(QStringLiteral("op")))
        return c.usage(QStringLiteral("edit takes IN OUT --op and|or|xor|swap"));
    const QString op = c.opt(QStringLiteral("op"));
    const bool swap = op == QLatin1String("swap");
    if (swap && (c.has(QStringLiteral("mask")) || c.has(QStringLiteral("start")) ||
                 c.has(QStringLiteral("end"))))
        return c.usage(QStringLiteral("--op swap exchanges the bytes of the whole buffer: no "
                                      "--mask, --start or --end"));
    if (!swap && !c.has(QStringLiteral("mask")))
        return c.usage(QStringLiteral("--op %1 needs --mask HEX").arg(op));
    const int outFmt = fileFormatOf(c, c.args[1], false);
    if (outFmt == FormatUnknown) return Usage;
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    Session& s = c.s;
    if (swap) {
        SwapClick(s);
    } else {
        EditFields f = editDefaults(s.buf);
        const EditOp how = op == QLatin1String("and")  ? EditOp::And
                           : op == QLatin1String("or") ? EditOp::Or
                                                       : EditOp::Xor;
        const QString start = c.opt(QStringLiteral("start"), QString::number(f.editStart, 16));
        const QString end = c.opt(QStringLiteral("end"), QString::number(f.editEnd, 16));
        if (editBuffer(s, how, f, c.opt(QStringLiteral("mask")), start, end) != 0) return Usage;
    }
    s.settings.fileFmt = outFmt;
    return Write_File(s, c.args[1]) == FileOk ? Ok : Failed;
}

// listing FILE [--first N --last N]: the listing the print command gives, block by block.
int verbListing(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("listing takes one FILE"));
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    const int first = c.opt(QStringLiteral("first"), QStringLiteral("0")).toInt();
    const int last =
        c.opt(QStringLiteral("last"), QString::number(listingLastBlock(c.s.buf))).toInt();
    if (last < first) return c.usage(QStringLiteral("--last comes before --first"));
    std::vector<QStringList> pages;
    if (Print_Rom(c.s, first, last, pages) != ListingOk) return Failed;
    for (const QStringList& page : pages)
        for (const QString& line : page)
            c.out << line << '\n';
    return Ok;
}

} // namespace zelvor::cli
