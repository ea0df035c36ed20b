#pragma once
// Service commands for the programmer itself: firmware version, firmware update, the
// program switch and the chained self-test of the chip operations.

#include "protect/ChipCommands.h"

namespace zelvor {

// Asks the programmer for its firmware version: opState 0 and `version` set, else the
// link's code (`version` is then 0).
void Read_ver(Session& s, quint8& version);

// "Версия 5." or "Версия 4." by the version byte.
QString firmwareGeneration(quint8 version);
// The status line of the version query: generation, version, base type, size divisor.
QString versionLine(const Session& s, quint8 version);

// Shows the firmware version. Returns opState.
[[nodiscard]] int showFirmwareVersion(Session& s);
// Programs the buffer's first 32 KiB as the programmer's firmware (erase, blank check,
// program, compare). Returns 0 only when every step succeeded.
[[nodiscard]] int updateFirmware(Session& s, const ChipCommands& cmds = defaultChipCommands());
// Switches the programmer's program; shows the packet's result code. Returns it.
[[nodiscard]] int switchProgram(Session& s);
// Read, erase (three times for algorithm 9), blank check, program and compare in a row;
// a failed read ends the chain. Returns 0, or the first failing step's opState.
[[nodiscard]] int selfTest(Session& s, const ChipCommands& cmds = defaultChipCommands());

inline constexpr qint32 kFirmwareSize = 0x8000;
inline constexpr int kFirmwareAlg = 63;

} // namespace zelvor
