// zelvor-cli convert IN OUT: loads IN into the buffer and saves it as OUT.

#include "Verbs.h"

#include "buffer/BufferFiles.h"

#include <QFileInfo>

namespace zelvor::cli {

// The format of a file: 1 = BIN, 2 = HEX from its extension, else from --format;
// 0 (after a usage message) when neither tells.
int fileFormatOf(CliContext& c, const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bin")) return 1;
    if (ext == QLatin1String("hex")) return 2;
    const QString f = c.opt(QStringLiteral("format")).toLower();
    if (f == QLatin1String("bin")) return 1;
    if (f == QLatin1String("hex")) return 2;
    (void)c.usage(QStringLiteral("cannot tell the format of %1: name it .bin or .hex, or give "
                                 "--format bin|hex")
                      .arg(path));
    return 0;
}

// Loads a file in its format, with --offset as the file offset of a binary file.
int loadForCli(CliContext& c, const QString& path) {
    const int fmt = fileFormatOf(c, path);
    if (fmt == 0) return Usage;
    quint32 offset = 0;
    if (!c.hexOpt(QStringLiteral("offset"), offset)) return Usage;
    c.s.buf.fileOffset = qint32(offset);
    c.s.settings.fileFmt = fmt;
    return Read_File(c.s, path) == FileOk ? Ok : Failed;
}

int verbConvert(CliContext& c) {
    if (c.args.size() != 2) return c.usage(QStringLiteral("convert takes IN and OUT"));
    const int outFmt = fileFormatOf(c, c.args[1]);
    if (outFmt == 0) return Usage;
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    c.s.settings.fileFmt = outFmt;
    const int code = Write_File(c.s, c.args[1]);
    return code == FileOk ? Ok : Failed;
}

} // namespace zelvor::cli
