#pragma once
// Reading prgplus.lst, the base-type table: one chip family per line, 26 decimal numbers
// followed by the name (and, for AVR rows, two signature bytes) at fixed positions.

#include "app/Session.h"
#include "app/BaseTable.h"

#include <QString>
#include <QStringList>

namespace zelvor {

inline constexpr char kBaseTableFile[] = "prgplus.lst";

// Result codes of the loader.
inline constexpr int kBaseLoaded = 0;
inline constexpr int kBaseNoFile = 1;    // the file cannot be opened
inline constexpr int kBaseEmpty = 2;     // no base type in it
inline constexpr int kBaseBadNumber = 3; // a number cannot be read: loading stopped there
inline constexpr int kBaseBadSize = 4;   // column 3 does not give a size that fits: stopped

struct BaseLoadResult {
    int code = kBaseLoaded;
    int line = 0;         // 1-based line of the fault (codes 3, 4)
    int column = 0;       // 1-based numeric column of the fault (codes 3, 4)
    int droppedRows = 0;  // rows beyond the table's capacity, not stored
    int firstDropped = 0; // line of the first of them
};

// Parses the lines of a base-type table into `table` (cleared first). On a fault the rows
// before the faulty line stay in `table`.
[[nodiscard]] BaseLoadResult parseBaseTable(const QStringList& lines, BaseTable& table);

// Reads and parses the file at `path`.
[[nodiscard]] BaseLoadResult loadBaseTable(const QString& path, BaseTable& table);

// What to tell the user about a result: empty for a clean load. `fileName` names the file.
QString baseLoadMessage(const Session& s, const BaseLoadResult& r, const QString& fileName);

// Start-up phase: reads `dir`/prgplus.lst into s.base. Returns 0 when the table is usable;
// otherwise non-zero with `why` saying what is wrong. Rows beyond the capacity do not stop
// the start, but the user is told about them in a message box.
[[nodiscard]] int loadBaseTable(Session& s, const QString& dir, QString& why);

// Index of the base type whose 12-character key equals `name` ignoring case and trailing
// blanks (the last such row, as the catalogue matches); -1 when there is none.
int findBaseByName(const BaseTable& table, const QString& name);

} // namespace zelvor
