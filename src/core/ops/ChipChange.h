#pragma once
// The chip change announced to the programmer, the transfer piece length with the slow-chip
// speed rule, and the main window's area list.

#include "app/Session.h"
#include "catalogue/ChipParams.h"

namespace zelvor {

// Makes base type `index` the current chip with the given selection: announces it to the
// programmer (opCode 0), then derives its parameters, resets the automatic-programming
// steps, the fuse bytes and the address window, refreshes the front end and logs
// "Device:" + chip label. When the programmer does not acknowledge, the link error is shown,
// the port is reopened and the previous chip stays in force as it was (area and checksum
// included); the link's result code (1..3) is returned.
[[nodiscard]] int ChcRom(Session& s, int index, const ChipChoice& choice);
// By base type: the name shown is the base-type name.
[[nodiscard]] int ChcRom(Session& s, int index);

// Sets s.op.lenBl. For chips that program only at 9600 while the link runs at 115200 or
// faster, it also lowers the programmer and the port to 9600 (remembering the rate in
// savedBaud, slowed := 1). Returns the result of the speed packet (0 when none was sent).
[[nodiscard]] int Set_lenbl(Session& s);

// The main window's "Device area" list changed to item `index`: choosing a second area
// switches the extra areas of automatic programming off, then the area is selected.
void areaListChange(Session& s, int index);

} // namespace zelvor
