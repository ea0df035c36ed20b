#pragma once
// The buffer set beside another image without changing it: a file chosen by the operator,
// or the chip's contents after a compare found them differing.

#include "app/Session.h"
#include "buffer/ImageCompare.h"

#include <QString>

namespace zelvor {

// The chip as it was read apart over the range the compare covered.
struct ChipDifferences {
    RomBuf chip;            // its contents from buffer offset 0 on
    qint64 bytes = 0;       // the bytes compared (the same in the buffer)
    quint8 highMask = 0xFF; // laid over the high byte of each buffer word (diffImages)
    ImageDiff diff;         // every range where the chip differs from the buffer
};

// Reads the chip over the range the compare covers into `out` and lists where it differs
// from the buffer. The buffer and the compare's verdict in the status bar stay; a link
// failure is reported as every operation reports it. Returns 0, the read's code, or
// kCommandRefused (another operation runs, or the chip cannot be read).
[[nodiscard]] int readChipDifferences(Session& s, ChipDifferences& out);

// Loads `path` as the image to set beside the buffer. A file that cannot be loaded is
// reported in the status bar as a load into the buffer would report it; the buffer is
// never touched. Returns the loader's code (FileOk) or kCommandRefused.
[[nodiscard]] int loadComparisonFile(Session& s, const QString& path, RomBuf& out);

} // namespace zelvor
