#pragma once
// The 10-byte set-up packet that tells the programmer which operation to run on which chip
// and address range:
//
//   B0 0x07 | B1 mode | B2 algorithm | B3..B5 start (or flags, page, speed code)
//   B6 end bits 16-23 (or flags) | B7 B8 end bits 0-15 (or a count) | B9 sum of B1..B8
//
// buildSetupPacket() holds every rule and does no I/O; Make_mode/Send_mode send it.

#include "app/Session.h"

#include <array>

namespace zelvor {

using SetupPacket = std::array<quint8, 10>;

inline constexpr quint8 kPacketStart = 0x07;

// How the bytes of a chip's packets are laid out, by device class. Classes 7 to 9 have no
// layout of their own and use that of classes 0 to 3.
enum class PacketLayout { Parallel, SerialEeprom, Pic, Avr };
PacketLayout packetLayout(int devClass);

// The Vpp choice the packet carries: a parallel-layout chip cannot send choice 3 and sends
// 0 instead (Make_mode also stores that 0 in RomParams).
quint8 packetVppSel(const RomParams& rom);

// Builds the packet for `rom` and the operation in `op` (opCode, area, opStart, opEnd,
// addrHigh, lockSel, lockByte, cmdArg), with `baudIdx` for the speed change. A byte that no
// rule sets keeps its value from `previous`, the packet sent before.
SetupPacket buildSetupPacket(const RomParams& rom, const OpState& op, int baudIdx,
                             const SetupPacket& previous);

// Builds the packet from the session, keeps it in link.packet, writes it and waits for the
// answer: 0 acknowledged (0x55), 1 another byte, 2 no answer, 3 the write failed.
[[nodiscard]] int Make_mode(Session& s);

// The entry point of every operation: 0 in demo mode (no traffic), 1 at once when the port
// failed to open, else Make_mode up to twice: 0 at the first acknowledgement, else the
// second attempt's code.
[[nodiscard]] int Send_mode(Session& s);

} // namespace zelvor
