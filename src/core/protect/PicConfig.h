#pragma once
// Mid-range PIC configuration (algorithm 27): the field layout from prgpic16.lst, the word
// shown as list selections, and its read and write. PIC18 lives in Pic18Config.h.

#include "app/Session.h"

#include <optional>

namespace zelvor {

inline constexpr char kPicLayoutFile[] = "prgpic16.lst";

// One parsed prgpic16.lst line.
struct PicLayout {
    quint16 defaultWord = 0x3FFF;
    std::vector<PicField> fields; // at most 11 fields of at most 8 options; extra ones dropped
};

// The text a list shows for an option mnemonic ("ON" -> "Enabled"...); unknown ones as written.
QString picOptionText(const QString& mnemonic);
// Parses a layout line (default word in columns 1-4, fields from column 6 up to '#').
PicLayout parsePicLayoutLine(const QString& line);
// The layout of line `index` (counted from 0) of the file's lines; nullopt when the lines
// end first or a line starting with ';' comes before it.
std::optional<PicLayout> findPicLayout(const QStringList& lines, int index);

// Panel set-up at chip selection: ID box "FFFF", fields and word from the chip's line
// (the line number is RomParams::vppSel). Without the file or the line the fields are
// cleared, the word is 0x3FFF and writing is refused.
void PicCfg16(Session& s);
// Selects each field's option from cfgWord; a field no option fits shows its first option
// and a message box "Mask <name> not correct".
void PicBitShow16(Session& s);
// Folds every field's selection into cfgWord, field 1 first.
void foldPicFields(ConfigState& cfg);
// The operator chose option `option` of field `field` (both from 0): the field's list shows
// it and its mask bits of cfgWord take the option's word at once, so the word shown is the
// one a write sends. Returns 0, or kRefused for a field or option the chip does not have
// and while an operation runs.
[[nodiscard]] int choosePicOption(Session& s, int field, int option);
// The operator typed into the ID box: kept upper case, at most 4 characters (unchanged
// while an operation runs). Returns what the box shows now.
QString setPicUserId(Session& s, const QString& text);

// True when the chip uses the one-word form (pulseAlg 1 and variant 0).
bool picShortForm(const RomParams& rom);

// Writes the configuration (ID words, word 6 and the configuration word, or the single
// word). Returns opState.
[[nodiscard]] int PicCfgW(Session& s);
// Reads it back into cfgWord, picWord6 and the ID box. Returns opState.
[[nodiscard]] int PicCfgR(Session& s);

} // namespace zelvor
