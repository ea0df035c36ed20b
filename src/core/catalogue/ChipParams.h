#pragma once
// The current chip: RomParams derived from its base type (and catalogue entry), the chip
// change with its announcement to the programmer, the transfer piece length and the
// automatic-programming steps.

#include "app/Session.h"

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

// True for Flash addressed by pages with spare bytes (264 << optC bytes a page).
bool pageAddressed(const RomParams& p);
inline qint32 pageLength(const RomParams& p) {
    return 264 << (p.optC & 7);
}

// Makes base type `index` the current chip with the given selection: announces it to the
// programmer (opCode 0), then derives its parameters, resets the automatic-programming
// steps, the fuse bytes and the address window, refreshes the front end and logs
// "Device:" + chip label. When the programmer does not acknowledge, the link error is shown,
// the port is reopened and the previous chip stays in force as it was (area and checksum
// included); the link's result code (1..3) is returned.
[[nodiscard]] int ChcRom(Session& s, int index, const ChipChoice& choice);
// By base type: the name shown is the base-type name.
[[nodiscard]] int ChcRom(Session& s, int index);

// Automatic-programming steps back to erase 0, blank 0, program 1, verify 1, lock 0,
// data 0, configuration 0.
void Set_chdata(Session& s);

// The transfer piece length for the chip and memory area. A serial EEPROM with an
// organisation code outside the table gets 4, the smallest page of the family.
qint32 pieceLength(const RomParams& p, qint32 area);

// Sets s.op.lenBl. For chips that program only at 9600 while the link runs at 115200 or
// faster, it also lowers the programmer and the port to 9600 (remembering the rate in
// savedBaud, slowed := 1). Returns the result of the speed packet (0 when none was sent).
[[nodiscard]] int Set_lenbl(Session& s);

// The main window's "Device area" list changed to item `index`: choosing a second area
// switches the extra areas of automatic programming off, then the area is selected.
void areaListChange(Session& s, int index);

// Start-up: area 0, the chip of the settings derived without a packet (the steps keep
// their saved values). Does nothing when romIdx names no base type.
void restoreChip(Session& s);

// Model restrictions. At selection Zelvor-B also refuses adapter codes 18 and 21.
enum class ModelCheck { Selection, StartUp };
inline constexpr int kModelAllows = 0;
inline constexpr int kUnknownBase = 1; // base type -1: "Выбранная микросхема не поддерживается"
inline constexpr int kRefusedByC = 2; // Zelvor-C: sub-type 3
inline constexpr int kRefusedByB = 3; // Zelvor-B: MCS-51 or adapters 7, 8, 9 (18, 21)
[[nodiscard]] int modelRefusal(const Session& s, int baseIndex, ModelCheck when);
// The status message for a refusal code (the texts exist in Russian only); empty for 0.
QString modelRefusalText(const Session& s, int code);

} // namespace zelvor
