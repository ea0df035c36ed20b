#pragma once
// prgadapt.lst: line k holds the adapter texts of adapter code k, separated by ";".

#include "app/Session.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zelvor {

inline constexpr char kAdapterFile[] = "prgadapt.lst";
inline constexpr int kAdapterCodes = 31; // codes 0..30

// Reads `path` into s.adapterLines (at most 31 lines; later lines are not stored). A
// missing file leaves every list empty. Returns the number of lines stored, -1 when the
// file could not be read.
int AdapterRead(Session& s, const QString& path);
// Start-up phase: `dir`/prgadapt.lst.
void loadAdapters(Session& s, const QString& dir);

// Splits one line: only its first 45 characters count; items end at ";"; the last item
// ends at its first blank and is dropped when no blank follows it.
QStringList AdapterSet(const QString& line);
// The items of an adapter code (empty for codes without a line or above 30).
QStringList adapterItems(const Session& s, int code);

// The main window's adapter list for the current chip, in alphabetical order.
QStringList AdapterShow(const Session& s);
// The selection dialog's three preview texts for base type `baseIndex` (empty for -1).
std::array<QString, 3> AdapterSetV(const Session& s, int baseIndex);

} // namespace zelvor
