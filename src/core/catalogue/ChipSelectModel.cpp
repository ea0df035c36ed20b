#include "catalogue/ChipSelectModel.h"

#include "catalogue/Adapters.h"

#include <algorithm>
#include <iterator>

namespace zelvor {

namespace {

// Classes the type list offers (the microcontrollers with their own catalogue lines come
// only through the manufacturers).
constexpr int kTypeClasses = 5;

QString wholeName(const QString& name) {
    return name.trimmed().toUpper();
}

} // namespace

QString className(int devClass) {
    static const char* const names[] = {"EPROM",   "MCS-51", "FLASH", "SRAM",
                                        "SEEPROM", "PIC",    "AVR"};
    return devClass >= 0 && devClass < int(std::size(names)) ? QLatin1String(names[devClass])
                                                             : QString::number(devClass);
}

ChipSelectModel::ChipSelectModel(const Session& s) : s_(s) {
    // Type list: one entry per run of equal class among the memory types.
    const int memTypes = std::min(s.base.memTypeCount, s.base.baseCount());
    int runClass = -1;
    for (int i = 1; i <= memTypes; ++i) {
        const int cls = s.base.at(i).baseClass;
        if (cls >= kTypeClasses) {
            runClass = -1;
            continue;
        }
        if (cls != runClass) {
            typeNames_ << className(cls);
            typeStart_.push_back(i);
            typeMembers_.emplace_back();
            runClass = cls;
        }
        typeMembers_.back().push_back(i);
        baseByName_[wholeName(s.base.at(i).baseName)].push_back(i);
    }
    typeStart_.push_back(memTypes + 1);
    baseUpper_.reserve(s.base.baseCount());
    for (int i = 1; i <= s.base.baseCount(); ++i)
        baseUpper_ << s.base.at(i).baseName.toUpper();

    // Manufacturer list and the entries of each.
    makerNames_ = s.cat.makerNames;
    makerMembers_.resize(size_t(makerNames_.size()));
    entryUpper_.reserve(s.cat.catCount());
    for (int e = 1; e <= s.cat.catCount(); ++e) {
        const CatEntry& entry = s.cat.at(e);
        entryUpper_ << entry.name.toUpper();
        entryByName_[wholeName(entry.name)].push_back(e);
        if (entry.maker >= 1 && entry.maker <= makerNames_.size())
            makerMembers_[size_t(entry.maker - 1)].push_back(e);
    }
    for (const auto& members : makerMembers_)
        makerStart_.push_back(members.empty() ? 0 : members.front());
    makerStart_.push_back(s.cat.catCount() + 1);

    // Initial selection: the current catalogue choice, or the current base type.
    const PrgSettings& p = s.settings;
    if (p.byMaker == 1 && s.cat.valid(p.catIdx) && s.cat.at(p.catIdx).maker >= 1 &&
        s.cat.at(p.catIdx).maker <= makerNames_.size()) {
        chooseMaker(s.cat.at(p.catIdx).maker - 1);
        for (size_t r = 0; r < rows_.size(); ++r)
            if (rows_[r].entry == p.catIdx) highlight(int(r));
        return;
    }
    int typeRow = 0;
    for (size_t t = 0; t < typeMembers_.size(); ++t)
        for (int b : typeMembers_[t])
            if (b == p.romIdx) typeRow = int(t);
    chooseType(typeRow);
    for (size_t r = 0; r < rows_.size(); ++r)
        if (rows_[r].base == p.romIdx) highlight(int(r));
}

void ChipSelectModel::chooseType(int row) {
    if (row < 0 || row >= typeNames_.size()) return;
    mode_ = Mode::ByType;
    group_ = row;
    filter_.clear();
    fill();
}

void ChipSelectModel::chooseMaker(int row) {
    if (row < 0 || row >= makerNames_.size()) return;
    mode_ = Mode::ByMaker;
    group_ = row;
    filter_.clear();
    fill();
}

void ChipSelectModel::setFilter(const QString& text) {
    filter_ = text.toUpper();
    fill();
}

void ChipSelectModel::fill() {
    deviceNames_.clear();
    rows_.clear();
    current_ = -1;
    if (group_ < 0) return;
    const bool byType = mode_ == Mode::ByType;
    const std::vector<int>& members =
        byType ? typeMembers_[size_t(group_)] : makerMembers_[size_t(group_)];
    const int first = byType ? typeStart_[size_t(group_)] : makerStart_[size_t(group_)];
    const QString whole = filter_.trimmed();
    bool wholeListed = false;
    for (int m : members) {
        const QString& upper = byType ? baseUpper_[m - 1] : entryUpper_[m - 1];
        if (!upper.startsWith(filter_)) continue;
        wholeListed = wholeListed || (!whole.isEmpty() && upper.trimmed() == whole);
        const int base = byType ? m : s_.cat.at(m).base;
        rows_.push_back({base, byType ? 0 : m, m - first});
        deviceNames_ << (byType ? s_.base.at(m).baseName : s_.cat.at(m).name);
    }
    // A part typed in full that this class or manufacturer does not list: the base types
    // and catalogue parts of that name elsewhere follow, each saying where it comes from.
    if (!whole.isEmpty() && !wholeListed) {
        for (int b : baseByName_.value(whole))
            if (!byType || std::find(members.begin(), members.end(), b) == members.end()) {
                rows_.push_back({b, 0, -1});
                deviceNames_ << rowName(b, 0, true);
            }
        for (int e : entryByName_.value(whole))
            if (byType || s_.cat.at(e).maker != group_ + 1) {
                rows_.push_back({s_.cat.at(e).base, e, -1});
                deviceNames_ << rowName(s_.cat.at(e).base, e, true);
            }
    }
    if (!rows_.empty()) current_ = 0;
}

QString ChipSelectModel::rowName(int base, int entry, bool foreign) const {
    if (entry > 0) {
        const CatEntry& e = s_.cat.at(entry);
        if (!foreign) return e.name;
        return QStringLiteral("%1 (%2)").arg(e.name.trimmed(), s_.cat.makerName(e.maker).trimmed());
    }
    const BaseRow& row = s_.base.at(base);
    if (!foreign) return row.baseName;
    return QStringLiteral("%1 (%2)").arg(row.baseName.trimmed(), className(row.baseClass));
}

void ChipSelectModel::highlight(int row) {
    if (row >= 0 && row < int(rows_.size())) current_ = row;
}

int ChipSelectModel::chosenBase() const {
    return current_ >= 0 ? rows_[size_t(current_)].base : -1;
}

ChipChoice ChipSelectModel::chosenChoice() const {
    ChipChoice c;
    if (current_ >= 0 && rows_[size_t(current_)].entry > 0) {
        c.byMaker = 1;
        c.catIdx = rows_[size_t(current_)].entry;
    }
    return c;
}

std::array<QString, 3> ChipSelectModel::adapterPreview() const {
    return AdapterSetV(s_, chosenBase());
}

} // namespace zelvor
