#pragma once
// The chip's contents read apart from the buffer, to set them beside it after a compare.

#include "app/Session.h"

namespace zelvor {

// Reads the chip's window up to `lastAddress` into `out` as the Read command would, under
// the progress display but without a status message; the buffer stays as it is. Returns
// opState (0, 9 when cancelled, or the failed block's code).
[[nodiscard]] int readChipImage(Session& s, qint32 lastAddress, RomBuf& out);

// What the compare lays over the high byte of each buffer word before it compares: the bits
// the chip keeps (0xFF for parts read byte by byte).
quint8 comparedHighMask(const Session& s);

} // namespace zelvor
