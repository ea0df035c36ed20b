#pragma once
// zelvor.cfg: the persistent settings, three lines of decimal numbers and the model name.

#include "app/Session.h"

namespace zelvor {

inline constexpr char kSettingsFile[] = "zelvor.cfg";

enum class SettingsLoad {
    Accepted = 0,
    Missing = 1,    // no file: defaults
    Unreadable = 2, // a number could not be read: defaults
    Rejected = 3,   // a value out of range or a chip the model cannot take: defaults
};

// Reads `dir`/zelvor.cfg into s.settings, validating it against the loaded base-type
// table and catalogue; anything wrong falls back to the defaults as a whole (the language
// and the speed code survive when they were valid). Sets s.run.startDir = dir.
SettingsLoad loadSettings(Session& s, const QString& dir);

// Parses the text of a settings file (already decoded). Used by loadSettings and the fuzzer.
SettingsLoad parseSettings(Session& s, const QString& text);

// The three lines of the file for the current settings.
QStringList settingsLines(const PrgSettings& p);

// Writes startDir/zelvor.cfg (safely: the old file stays until the new one is complete).
// Nothing is written when the start directory is unknown. False when it could not write.
bool saveSettings(const Session& s);

// Model code from the model line of the file (exact, case-sensitive; unknown → 3).
int modelFromText(const QString& text);
QString modelText(int model);

// Automatic-programming steps back to erase 0, blank 0, program 1, verify 1, lock 0,
// data 0, configuration 0.
void Set_chdata(Session& s);

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
