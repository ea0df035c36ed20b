// zelvor-cli checksum FILE: the buffer checksum after loading FILE, as 4 hex digits.

#include "Verbs.h"

#include "app/HexText.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path); // VerbConvert.cpp

int verbChecksum(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("checksum takes one FILE"));
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    c.out << Hex_str(c.s.buf.checkSum, 4) << '\n';
    return Ok;
}

} // namespace zelvor::cli
