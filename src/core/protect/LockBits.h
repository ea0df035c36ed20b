#pragma once
// Lock (security) bits and the x2 mode: one lock step per selector, and the sequences the
// menu items, the toolbar button and the automatic programming run.

#include "app/Session.h"

namespace zelvor {

// Lock selectors: lock bit 1, 2, 3, the x2 mode, and "the value is in lockByte".
inline constexpr int kLockBit1 = 1;
inline constexpr int kLockBit2 = 2;
inline constexpr int kLockBit3 = 4;
inline constexpr int kLockX2 = 8;
inline constexpr int kLockValue = 0;

// Result of one lock step.
enum class LockResult { Done, Refused, LinkFailed, NotProgrammed };

// The byte a data-written lock step (algorithms 32 and 59) programs.
quint8 dataLockByte(const RomParams& rom, int selector);
// True when the x2 item applies to the chip (algorithms 44, 54, and 32 variant 0).
bool hasX2Mode(const RomParams& rom);

// One lock step with its own status message.
LockResult Set_Bit(Session& s, int selector);

// The lock sequence of the toolbar button and of automatic programming. Returns 0 when
// every step was done, else the opState of the first that was not (kRefused for a refusal).
[[nodiscard]] int SetBitClick(Session& s);
// Menu items "lock bit 1", "lock bits 1,2", "lock bits 1,2,3" (bits = 1, 2 or 3).
[[nodiscard]] int lockBitsMenu(Session& s, int bits);
// Menu item "x2 mode".
[[nodiscard]] int setX2Click(Session& s);

} // namespace zelvor
