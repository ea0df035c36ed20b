#pragma once
// The support lists: the catalogue exported as plain text, by manufacturer (shlist.lst) and
// with adapters and programmer models (shadapt.lst, ZelvorA.lst, ZelvorB.lst, ZelvorC.lst).

#include "app/Session.h"

#include <QString>
#include <QStringList>

namespace zelvor {

// Result codes.
inline constexpr int kListsWritten = 0;
inline constexpr int kListsWriteFailed = 1; // a file could not be written: stopped there

// The model marks of one entry: "+" when the model handles it, a blank when not.
struct ModelMarks {
    QChar a = QLatin1Char(' '); // Zelvor-A and Zelvor-AX
    QChar c = QLatin1Char(' '); // Zelvor-C
    QChar b = QLatin1Char(' '); // Zelvor-B
};

// Marks of base type `baseIndex` (all blank for an unknown base type, -1).
ModelMarks modelMarks(const Session& s, int baseIndex);

// The text of each file, as lines (written with CR LF in Windows-1251).
QStringList shortListLines(const Session& s);
struct AdapterLists {
    QStringList shadapt, modelA, modelB, modelC;
};
AdapterLists adapterListLines(const Session& s);

// Writes shlist.lst into `dir`. Only reads the tables.
[[nodiscard]] int PrintListSh(const Session& s, const QString& dir);
// Writes shadapt.lst, ZelvorA.lst, ZelvorB.lst and ZelvorC.lst into `dir`, in this order.
[[nodiscard]] int PrintListAd(const Session& s, const QString& dir);

} // namespace zelvor
