#pragma once
// What OK does in the chip selection and programming parameters dialogs. The window, the
// command line and the tests all end a dialog through these.

#include "app/Session.h"
#include "catalogue/ChipSelectModel.h"
#include "catalogue/ProgParamsModel.h"

namespace zelvor {

// OK with an empty device list: nothing was chosen, nothing changed.
inline constexpr int kNoRowChosen = -200;

// The highlighted row of the selection becomes the current chip through selectChip (the
// model's refusals with their status messages, the chip change). 0 on success,
// kNoRowChosen, or the selection's code.
[[nodiscard]] int acceptChipSelection(Session& s, const ChipSelectModel& m);

// Stores the parameters (refused while an operation runs), places the extra areas again
// (keeping the window of a second area that is selected) and refreshes the window. 0, or
// kCommandRefused.
[[nodiscard]] int acceptProgParams(Session& s, const ProgParamsModel& m);

} // namespace zelvor
