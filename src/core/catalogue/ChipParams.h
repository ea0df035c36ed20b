#pragma once
// The current chip: RomParams derived from its base type (and catalogue entry), the chip
// change with its announcement to the programmer, the transfer piece length and the
// automatic-programming steps.

#include "app/Session.h"
#include "catalogue/AlgFamilies.h"

namespace zelvor {

// ChcRom result when `index` names no base type (nothing is changed, nothing is sent).
inline constexpr int kChipUnknown = -1;

// The choice made in the selection dialog, committed by a successful ChcRom.
struct ChipChoice {
    int byMaker = 0; // 1: catIdx names the catalogue entry
    int catIdx = 0;
};

// Fills s.rom from base type s.settings.romIdx and, when s.settings.byMaker is 1, its
// catalogue entry: the row's columns, Calc_prmult, the option values of the paged and
// serial algorithms and romLen. The options start from 0 for every chip, so nothing of the
// chip chosen before survives. Sends nothing. Used at start-up and by ChcRom.
void deriveChip(Session& s);

// sizeDiv and lowVcc (and romName for a catalogue entry) from the current choice.
void Calc_prmult(Session& s);

// romLen of the main memory for a base row, the chip's options and its size divisor.
qint32 mainLength(const BaseRow& row, const RomParams& p);

// Bytes a page of the page-addressed Flash (catalogue/AlgFamilies.h).
inline qint32 pageLength(const RomParams& p) {
    return 264 << (p.optC & 7);
}

// The transfer piece length for the chip and memory area. A serial EEPROM with an
// organisation code outside the table gets 4, the smallest page of the family.
qint32 pieceLength(const RomParams& p, qint32 area);

// Start-up: area 0, the chip of the settings derived without a packet (the steps keep
// their saved values). Does nothing when romIdx names no base type.
void restoreChip(Session& s);

} // namespace zelvor
