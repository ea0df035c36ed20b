#pragma once
// The per-algorithm rules of the chip operations in one place: which blank checks run in
// the PC, how many reply attempts each exchange gets, which chips pause between blocks.

#include "app/Records.h"

namespace zelvor::ops {

// Blank check done in the PC (read and compare) rather than by the programmer.
bool blankCheckInPc(int algCode);
// Reply attempts after each written piece.
int pieceReplyTries(int algCode);
// Reply attempts of the programmer-side blank check of one block.
int blankReplyTries(int devClass);
// Reply attempts of an erase command (long erases get more).
int eraseReplyTries(const RomParams& p);
// Bits or-ed into the start address of an erase command (the electrically erasable EPROMs
// of variant 0 set bit 23).
qint32 eraseStartFlags(const RomParams& p);
// What the wait text of an erase shows besides "wait".
enum class EraseProgress {
    Plain,      // the wait text alone
    Count,      // the command number and whether the last one failed
    SectorLine, // the sector address, the command number, the last and the total failures
};
EraseProgress eraseProgress(int algCode);
// The boot-block flash of 16-bit words reports an erase failure with a text of its own.
bool eraseErrorOwnText(int algCode);
// Pause after each written block in milliseconds (0: none).
int pauseAfterBlockMs(const RomParams& p);
// Read-back difference gets one silent second write of the block.
bool retriesVerify(int algCode);
// Byte-wide data area: dataWidth is 8 while area 1 is selected.
bool byteWideDataArea(int algCode);
// Reply attempts of the ready reply before a block's data.
inline constexpr int kReadyTries = 10;

} // namespace zelvor::ops
