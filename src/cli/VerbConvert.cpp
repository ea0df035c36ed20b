// zelvor-cli convert IN OUT: loads IN into the buffer and saves it as OUT. Also the file
// helpers every verb that loads or saves a file uses.

#include "Verbs.h"

#include "buffer/BufferDialogs.h"
#include "buffer/BufferFiles.h"
#include "buffer/FileFormat.h"

namespace zelvor::cli {

// The format of a file: --format wins over the name; the name (.bin; .hex, .ihx, .ihex)
// over the content, which is looked at only for a file to load. 0 after a usage message
// when nothing tells.
int fileFormatOf(CliContext& c, const QString& path, bool loading) {
    const QString f = c.opt(QStringLiteral("format"));
    if (f == QLatin1String("bin")) return FormatBin;
    if (f == QLatin1String("hex")) return FormatHex;
    int fmt = formatByName(path);
    if (fmt == FormatUnknown && loading) fmt = formatByContent(path);
    if (fmt != FormatUnknown) return fmt;
    (void)c.usage(QStringLiteral("cannot tell the format of %1: name it .bin, .hex, .ihx or .ihex, "
                                 "or give --format bin|hex")
                      .arg(path));
    return FormatUnknown;
}

// Loads a file in its format, with --offset as the file offset of a binary file and
// --buffer-offset as the buffer offset after the load.
int loadForCli(CliContext& c, const QString& path) {
    const int fmt = fileFormatOf(c, path, true);
    if (fmt == FormatUnknown) return Usage;
    quint32 offset = 0;
    if (!c.hexOpt(QStringLiteral("offset"), offset)) return Usage;
    c.s.buf.fileOffset = qint32(offset);
    c.s.settings.fileFmt = fmt;
    if (Read_File(c.s, path) != FileOk) return Failed;
    quint32 bufOffset = 0;
    if (!c.has(QStringLiteral("buffer-offset"))) return Ok;
    if (!c.hexOpt(QStringLiteral("buffer-offset"), bufOffset)) return Usage;
    if (setBufferOffset(c.s, bufOffset) != DialogDone)
        return c.usage(QStringLiteral("--buffer-offset must lie inside the %1 bytes loaded")
                           .arg(c.s.buf.size));
    return Ok;
}

int verbConvert(CliContext& c) {
    if (c.args.size() != 2) return c.usage(QStringLiteral("convert takes IN and OUT"));
    const int outFmt = fileFormatOf(c, c.args[1], false);
    if (outFmt == FormatUnknown) return Usage;
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    c.s.settings.fileFmt = outFmt;
    const int code = Write_File(c.s, c.args[1]);
    return code == FileOk ? Ok : Failed;
}

} // namespace zelvor::cli
