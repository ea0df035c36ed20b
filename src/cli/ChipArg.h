#pragma once
// The CHIP argument of the chip verbs: base:NAME (a base type of prgplus.lst), a catalogue
// part name, or MAKER/PART where a name repeats across manufacturers.

#include "CliContext.h"
#include "catalogue/ChipParams.h"

namespace zelvor::cli {

struct ChipRef {
    int base = -1;     // 1-based base type
    ChipChoice choice; // catalogue entry when byMaker = 1
};

// Finds the chip; Ok, Usage (malformed) or Failed (no such chip, or an ambiguous name),
// with a message on stderr.
int resolveChip(CliContext& c, const QString& chip, ChipRef& out);

// Makes the chip current as the selection dialog does: the model's refusals, then ChcRom
// (which announces it to the programmer), then the extra areas. Ok, Usage or Failed.
int selectChip(CliContext& c, const QString& chip);

// --area code|data|config, --start HEX and --end HEX: the memory area and the address window
// of the current chip. Ok or Usage.
int applyWindow(CliContext& c);

} // namespace zelvor::cli
