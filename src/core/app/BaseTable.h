#pragma once
// The base-type table read from prgplus.lst: one row per chip family.

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace zelvor {

struct BaseRow {
    quint8 baseClass = 0;
    // Numeric columns 1..26 as stored (column 3 is kept apart as the size in units).
    std::array<quint8, 27> col{}; // col[1]..col[26]; col[3] unused (see size)
    qint32 size = 0;              // column 3 x 1024
    QString baseName;             // 15 characters; the first 12 are the key
    QString baseSigA;             // class 6 only: second signature byte, 2 hex digits
    QString baseSigB;             // class 6 only: third signature byte
    int line = 0;                 // line number in the file, for messages

    quint8 baseAdapter() const { return col[17]; }
    QString key() const { return baseName.left(12); }
};

struct BaseTable {
    static constexpr int kMaxRows = 400;
    std::vector<BaseRow> rows; // index i holds base type i + 1
    int memTypeCount = 0;

    int baseCount() const { return int(rows.size()); }
    bool valid(int index) const { return index >= 1 && index <= baseCount(); }
    const BaseRow& at(int index) const { return rows[size_t(index - 1)]; }
};

} // namespace zelvor
