#pragma once
// Automatic programming (the steps chosen in the programming parameters, in a fixed order)
// and the ten-fold repeat of programming.

#include "protect/ChipCommands.h"

namespace zelvor {

// Erase, blank check, program, compare and lock as switched on in the settings; the first
// step that fails ends the run (a failed or cancelled compare skips the lock). Adds no
// message of its own. Returns the opState of the last step run (0 when none ran).
[[nodiscard]] int autoprgClick(Session& s, const ChipCommands& cmds = defaultChipCommands());

// Programs the chip ten times, whatever each run reports. Returns 0 when every run
// succeeded, else the first failing run's opState.
[[nodiscard]] int CprogClick(Session& s, const ChipCommands& cmds = defaultChipCommands());

inline constexpr int kRepeatCount = 10;

} // namespace zelvor
