#pragma once
// The common frame of the long chip operations (read, blank check, program, compare) and
// the erase: block steps, the per-block read, the short read of the service operations,
// the memory-area selection, the progress through the front end and the result codes.
//
// Every routine keeps its result in s.op.opState (codes below). None throws.

#include "app/Messages.h"
#include "app/Session.h"

#include <QString>

namespace zelvor {

// Result codes of the chip operations (s.op.opState).
namespace opres {
inline constexpr int kOk = 0;
inline constexpr int kSetupFailed = 1;   // program: packet not acknowledged / read-back failed;
                                         // short read: packet not acknowledged
inline constexpr int kBlockRejected = 2; // program: a data frame was not accepted
inline constexpr int kReplyShort = 3;    // short reply: fewer data bytes than announced
inline constexpr int kReplyNoSum = 4;    // short reply: no checksum byte
inline constexpr int kBadReply = 5;      // program: the programmer's mismatch record came;
                                         // compare: a difference
inline constexpr int kNotReady = 6;      // program: ready reply failed; blank: packet refused
inline constexpr int kReplyNoLength = 7; // short reply: no length byte
inline constexpr int kNotBlank = 8;      // blank check: data found; erase: a sector failed
inline constexpr int kCancelled = 9;
inline constexpr int kVerifyMismatch = 15; // program: read-back differs (message shown)
inline constexpr int kVerifyRetry = 16;    // program: first read-back differs, write again
inline constexpr int kReadChecksum = 55;   // read: bulk checksum mismatch
inline constexpr int kReadSetup = 66;      // read: packet not acknowledged
inline constexpr int kEmptyBuffer = 99;    // program or compare: nothing in the buffer
inline constexpr int kReadFailed = -1;     // read: the port read failed
inline constexpr int kReadShort = -2;      // read: too few bytes
} // namespace opres

// Extent of the progress bar.
inline constexpr int kProgressMax = 65535;

// --- block steps ----------------------------------------------------------------------

// True when the bulk data of the current chip and area carry two bytes per address.
bool wideTransfer(const Session& s);
// Bytes a block of `addresses` addresses occupies on the wire (opLen).
qint32 blockBytes(const Session& s, qint32 addresses);
// Read blocks of 2112 bytes: the NAND with spare areas (nandWithSpare).
bool pagedRead(const RomParams& p);
// Write blocks of 2112 bytes: every page-addressed Flash (pageAddressed).
bool pagedWrite(const RomParams& p);

// Reading: progMax, xferStep, progStep for the window; with `preparePages` the buffer gets
// fresh erased pages for the whole window (a blank check passes false).
void CalcStep_r(Session& s, bool preparePages = true);
// Programming and comparing: progMax, xferStep, progStep for the buffer contents inside
// the window. Returns the last address to write (writeEnd). Allocates nothing.
qint32 CalcStep_w(Session& s);

// --- progress -------------------------------------------------------------------------

// "Выполняется "<name>"" / ""<name>" is active".
QString operationCaption(const Session& s, const Text& name);
// Shows the progress for operation `name`: opCancel, progAcc, the position and the start
// time are reset.
void progressBegin(Session& s, const Text& name);
// One block done: progPos += xferStep (capped at progMax); unless `silent`, the bar moves
// by progStep (never beyond kProgressMax, never backwards).
void progressAdvance(Session& s, bool silent = false);
// Between two blocks: lets the front end run, and turns a pressed Cancel into opState 9.
// True when the operation was cancelled.
bool progressPoll(Session& s);
// Closes the progress display.
void progressEnd(Session& s);
// Minutes and seconds since progressBegin, "mm:ss".
QString elapsedText(Session& s);

// --- per-block transfers --------------------------------------------------------------

// Reads the block opStart..opEnd into page `index` of the buffer, or auxBuf (-1) or
// auxBuf2 (-2). opCode := 1; unless `quiet` the progress advances. opState: 0, 66 when
// the packet was refused, else the bulk frame's code.
void Read_otv(Session& s, int index, bool quiet);
// Short read of the service operations into auxBuf, at 8 bits a cell; the caller sets
// opCode, opStart and opEnd. opState := 1 when the packet was refused, the frame's code
// when it failed, else left as the caller set it.
void Read_bt(Session& s);
// Programs one block of `opLen` bytes, range opStart..opEnd: block 0 is auxBuf, block b
// >= 1 is page b - 1 (for page Flash the pages follow from the address). `repeat` marks
// the second write of a block (no progress step, no second silent retry). opState: 0, 1,
// 2, 3, 4, 5, 6, 7, 15, 16; the programmer's mismatch record is left in ansBuf.
void Read_otw(Session& s, int block, qint32 opLen, bool repeat = false);
// Shows the mismatch record in ansBuf. `expected` = the expected word for 16-bit parts
// (ignored for 8-bit parts, where the record holds it).
void Wr_Er(Session& s, int expectedWord = -1);

// --- memory areas ---------------------------------------------------------------------

// Selects memory area `kind` (0 code, 1 data or second area, 2 configuration) and sets
// the window, romLen and dataWidth for it.
void Code_Data(Session& s, int kind);

// --- results --------------------------------------------------------------------------

// Reports a read by opState; `wide` = 1 for a part wider than 8 bits.
void Print_Result(Session& s, int wide);
// The link-error message with the code appended (Russian; English shows the fixed text),
// then the port is reopened.
void reportLinkError(Session& s, bool withCode);

// --- commands (each clears the status, reports one result and returns opState) --------

[[nodiscard]] int ReadRomClick(Session& s);  // Read
[[nodiscard]] int ReadNullClick(Session& s); // Blank check
[[nodiscard]] int WriteRomClick(Session& s); // Program
[[nodiscard]] int CompRomClick(Session& s);  // Compare
[[nodiscard]] int ClearRomClick(Session& s); // Erase

} // namespace zelvor
