#pragma once
// The built-in chip catalogue after parsing: manufacturers and entries mapped to base types.

#include <QString>
#include <QStringList>

#include <vector>

namespace zelvor {

struct CatEntry {
    QString name;          // part name as listed
    QString baseName;      // base-type name: positions 13..24 of the line (the whole name for
                           // entries made by an expansion line)
    QChar mult;            // size/voltage code
    QString id0, id1, id2; // ID texts: two upper-case hex digits or blank
    int maker = 0;         // 1-based manufacturer index
    int base = -1;         // 1-based base-type index, -1 when unknown
};

struct Catalogue {
    static constexpr int kMaxEntries = 4096;
    QStringList makerNames;
    QStringList catLines;          // raw built-in lines
    std::vector<CatEntry> entries; // entry i + 1

    int catCount() const { return int(entries.size()); }
    bool valid(int index) const { return index >= 1 && index <= catCount(); }
    const CatEntry& at(int index) const { return entries[size_t(index - 1)]; }
    // The entry tables by 1-based entry index.
    const QString& catNames(int i) const { return at(i).name; }
    const QString& catBaseNames(int i) const { return at(i).baseName; }
    QChar catMult(int i) const { return at(i).mult; }
    const QString& catId0(int i) const { return at(i).id0; }
    const QString& catId1(int i) const { return at(i).id1; }
    const QString& catId2(int i) const { return at(i).id2; }
    int catMaker(int i) const { return at(i).maker; }
    int catBase(int i) const { return at(i).base; }

    // Name of manufacturer `maker` (1-based); empty for 0 (entries before any header).
    QString makerName(int maker) const {
        return maker >= 1 && maker <= makerNames.size() ? makerNames.at(maker - 1) : QString();
    }
};

} // namespace zelvor
