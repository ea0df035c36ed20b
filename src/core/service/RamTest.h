#pragma once
// Test of a static RAM chip over the address window, and the bad-block scan of NAND Flash.

#include "app/Session.h"
#include "catalogue/AlgFamilies.h" // badBlockSize: which chips the scan knows

namespace zelvor {

// Has the programmer test the window, 2048 addresses a command, with progress and Cancel.
// Returns opState: 0 passed, 8 failed, 9 cancelled, else a link failure (kRefused when the
// chip has no RAM test).
[[nodiscard]] int TestRAMClick(Session& s);

// Lists every block of the chip as clear or bad. Returns opState (kRefused without a scan);
// `bad` gets the number of bad blocks.
[[nodiscard]] int Badblock1Click(Session& s, int* bad = nullptr);

} // namespace zelvor
