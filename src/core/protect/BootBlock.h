#pragma once
// Boot-block lockout of flash chips with a boot block, and the switch that takes software
// data protection off EEPROMs.

#include "app/Session.h"

namespace zelvor {

// Sets the lockout of the upper or the lower boot block. Returns opState.
[[nodiscard]] int Setup_BBL(Session& s, bool upper);
// Reads the lockout state (two bytes) and shows it as "=XX=YY". Returns opState.
[[nodiscard]] int Read_bblClick(Session& s);
// Switches SDP off. Returns opState.
[[nodiscard]] int Mode_SDPClick(Session& s);

} // namespace zelvor
