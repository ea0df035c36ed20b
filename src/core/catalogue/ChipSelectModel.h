#pragma once
// What the chip selection dialog shows and does: the type list (device classes of the
// base-type table) and the manufacturer list, the device list of the chosen class or
// manufacturer under an upper-case prefix filter, the highlighted row with its adapter
// preview, and OK. The lists are built once from the session's tables; a filter change only
// walks index vectors, so even the largest manufacturer refilters at once.

#include "app/Session.h"
#include "catalogue/ChipParams.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zelvor {

class ChipSelectModel {
  public:
    enum class Mode { ByType, ByMaker };

    // One row of the device list: the base type it stands for (-1 when the catalogue entry
    // names none), the catalogue entry (0 for a base-type row) and its offset within the
    // class or manufacturer (-1 for a part found by its full name outside that group).
    struct Row {
        int base = -1;
        int entry = 0;
        int offset = -1;
    };

    // Builds the lists and the initial selection from the session's tables and settings:
    // the manufacturer and entry of the current catalogue choice, or the class and base
    // type of the current chip.
    explicit ChipSelectModel(const Session& s);

    // The type list (class names) and the first base type of each, followed by one more
    // value after the last; the manufacturer list and its first entries likewise.
    const QStringList& typeNames() const { return typeNames_; }
    const std::vector<int>& typeStart() const { return typeStart_; }
    const QStringList& makerNames() const { return makerNames_; }
    const std::vector<int>& makerStart() const { return makerStart_; }

    Mode mode() const { return mode_; }
    int typeRow() const { return mode_ == Mode::ByType ? group_ : -1; }
    int makerRow() const { return mode_ == Mode::ByMaker ? group_ : -1; }

    // A click in the type or manufacturer list: clears the filter, switches the mode and
    // lists the group with its first row highlighted. Rows outside the list are ignored.
    void chooseType(int row);
    void chooseMaker(int row);

    // The filter as typed (kept upper-case). The device list then holds the group's names
    // that begin with it, followed by any base type or catalogue part elsewhere whose whole
    // name equals it; the first row is highlighted.
    void setFilter(const QString& text);
    const QString& filter() const { return filter_; }

    // The device list, its row map and the highlighted row (-1 when the list is empty).
    const QStringList& deviceNames() const { return deviceNames_; }
    const std::vector<Row>& rows() const { return rows_; }
    int currentRow() const { return current_; }
    void highlight(int row);

    // The pending choice of the highlighted row: its base type and catalogue choice.
    bool hasChoice() const { return current_ >= 0; }
    int chosenBase() const;
    ChipChoice chosenChoice() const;
    // The three adapter texts of the highlighted row's base type (empty for none).
    std::array<QString, 3> adapterPreview() const;

  private:
    void fill();
    QString rowName(int base, int entry, bool foreign) const;

    const Session& s_;
    QStringList typeNames_;
    std::vector<int> typeStart_;
    std::vector<std::vector<int>> typeMembers_; // base indices per type row
    QStringList makerNames_;
    std::vector<int> makerStart_;
    std::vector<std::vector<int>> makerMembers_;   // entry indices per manufacturer
    QStringList baseUpper_;                        // upper-case base names, index = base - 1
    QStringList entryUpper_;                       // upper-case part names, index = entry - 1
    QHash<QString, std::vector<int>> baseByName_;  // whole trimmed name -> base indices
    QHash<QString, std::vector<int>> entryByName_; // whole trimmed name -> entries

    Mode mode_ = Mode::ByType;
    int group_ = -1;
    QString filter_;
    QStringList deviceNames_;
    std::vector<Row> rows_;
    int current_ = -1;
};

// The class name shown in the type list ("EPROM", "MCS-51", ...).
QString className(int devClass);

} // namespace zelvor
