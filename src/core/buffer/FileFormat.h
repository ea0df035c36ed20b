#pragma once
// Which format a file is in, told by its name or, for a regular file, by its first line.

#include <QString>

namespace zelvor {

// The values of PrgSettings::fileFmt, and 0 when nothing tells.
enum FileFormat : int { FormatUnknown = 0, FormatBin = 1, FormatHex = 2 };

// .bin is BIN; .hex, .ihx and .ihex (the names compilers for small controllers write) are
// Intel HEX; any case. Else FormatUnknown.
int formatByName(const QString& path);

// A regular file whose first line is a record (':' and hexadecimal digits, at least the ten
// of the shortest record) is Intel HEX; anything else is FormatUnknown. A pipe or a device
// is not looked into: what was read from it would be lost to the load.
int formatByContent(const QString& path);

} // namespace zelvor
