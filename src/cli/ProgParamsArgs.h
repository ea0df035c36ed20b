#pragma once
// The programming parameters on the command line: --vpp, --vcc, --alg, --steps and --with
// change what the parameters dialog changes, through its model, so that a choice the dialog
// greys out for the chip is refused here too.

#include "CliContext.h"

namespace zelvor::cli {

// Applies the given options to the current chip and settings. Ok, or Usage with a message
// saying which option the chip does not take (nothing is changed then).
int applyProgParams(CliContext& c);

} // namespace zelvor::cli
