#pragma once
// The data frames that follow an acknowledged set-up packet:
//
//   PC -> programmer   Wr_block:  count-1, count data bytes, sum      -> answered 0x55
//   programmer -> PC   Rd_reply:  n-1, n bytes, sum                   <- we answer 0x55/0x01
//   programmer -> PC   Rd_block:  the packet's length of data, sum    <- we answer 0x55/0x01
//
// Data are addressed by (index, offset): index >= 0 is page `index` of the buffer
// (2048 bytes each; a run past byte 2048 continues on the next page), -1 is auxBuf and -2
// auxBuf2 (never split). The sums are 8-bit additive over the data bytes.

#include "app/Session.h"

#include <span>

namespace zelvor {

inline constexpr int kAuxIndex = -1;
inline constexpr int kAux2Index = -2;

// Rd_block: the data would not fit into the pages or buffer named. The frame is still
// taken off the line, but nothing is stored.
inline constexpr int kBlockTooLarge = -3;

// Bytes a bulk read carries per address: 2 for the 16-bit algorithms at the chip's
// current data width, else 1.
int bulkBytesPerAddress(const RomParams& rom);

// Sends `count` (1..256) bytes of block `index` from `offset`: 0 acknowledged, else 1.
[[nodiscard]] int Wr_block(Session& s, int index, int offset, int count);
// Demo: 0 without traffic. Otherwise Wr_block up to twice.
[[nodiscard]] int Wr_block_r(Session& s, int index, int offset, int count);

// Reads one short reply into `dest` (which should hold 256 bytes; a longer reply than
// `dest` holds is cut). 0 and `length` set (checksum right, 0x55 sent); 1 wrong checksum
// (0x01 sent); 7 no length byte; 3 short data; 4 no checksum byte.
[[nodiscard]] int Rd_reply(Session& s, std::span<quint8> dest, int& length);
// Clears `length`. Demo: one byte 0x55. Otherwise Rd_reply up to `tries` times (0 or less
// means 2): 0 at the first success, else the last code.
[[nodiscard]] int Rd_reply_r(Session& s, std::span<quint8> dest, int& length, int tries);
// The same into ansBuf/ansLen.
[[nodiscard]] int Rd_reply_r(Session& s, int tries);

// Reads the bulk block of the read packet just sent: (opEnd - opStart + 1) addresses
// times bulkBytesPerAddress, then the sum. The data are stored only when the sum is right.
// 0 (0x55 sent); 55 wrong sum (0x01 sent); -1 the read failed; -2 too few bytes or no
// sum; kBlockTooLarge when the destination cannot hold the block.
[[nodiscard]] int Rd_block(Session& s, int index, int offset);
// Demo: 0, the buffer untouched. Otherwise Rd_block up to twice.
[[nodiscard]] int Rd_block_r(Session& s, int index, int offset);

} // namespace zelvor
