#include "catalogue/ChipSelectModel.h"

#include "ChipFixtures.h"
#include "TestDir.h"

#include "app/Settings.h"
#include "catalogue/Adapters.h"
#include "program/DialogCommands.h"
#include "program/Startup.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

// A session started over the shipped lists, in demo mode so that a chip change succeeds
// without a programmer.
struct ShippedSession : ::testing::Test {
    TestSession t;
    TestDir dir;
    Session& s = t.s;

    void SetUp() override {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        ASSERT_EQ(Startup(s, defaultStartupHooks(), dir.path(), false), 0);
        s.link.demoMode = 1;
    }
    int firstBaseNamed(const QString& name) const {
        for (int i = 1; i <= s.base.baseCount(); ++i)
            if (s.base.at(i).key().trimmed() == name) return i;
        return -1;
    }
    int firstEntryNamed(const QString& name) const {
        for (int i = 1; i <= s.cat.catCount(); ++i)
            if (s.cat.at(i).name.trimmed() == name) return i;
        return -1;
    }
};

TEST_F(ShippedSession, ListsFollowTheTablesWithTheirStartIndexes) {
    const ChipSelectModel m(s);
    EXPECT_EQ(m.typeNames(), QStringList({"EPROM", "MCS-51", "FLASH", "SRAM", "SEEPROM"}));
    ASSERT_EQ(m.typeStart().size(), 6u);
    EXPECT_EQ(m.typeStart().front(), 1);
    EXPECT_EQ(m.typeStart().back(), s.base.memTypeCount + 1);
    for (size_t t = 0; t < 5; ++t) {
        EXPECT_EQ(s.base.at(m.typeStart()[t]).baseClass, int(t));
        EXPECT_NE(s.base.at(m.typeStart()[t + 1] - 1).baseClass, int(t) + 1) << t;
    }
    ASSERT_EQ(m.makerNames(), s.cat.makerNames);
    ASSERT_EQ(m.makerStart().size(), size_t(s.cat.makerNames.size() + 1));
    EXPECT_EQ(m.makerStart().back(), s.cat.catCount() + 1);
    for (size_t k = 0; k + 1 < m.makerStart().size(); ++k) {
        const int first = m.makerStart()[k];
        ASSERT_TRUE(s.cat.valid(first)) << k;
        EXPECT_EQ(s.cat.at(first).maker, int(k) + 1);
        EXPECT_TRUE(first == 1 || s.cat.at(first - 1).maker != int(k) + 1);
    }
}

TEST_F(ShippedSession, OpensOnTheCurrentChoiceInItsMode) {
    const int eprom = firstBaseNamed("27C256");
    const int flash = firstBaseNamed("29C256");
    const int entry = firstEntryNamed("AT29C256");
    ASSERT_GT(eprom, 0);
    ASSERT_GT(flash, 0);
    ASSERT_GT(entry, 0);
    struct Case {
        int byMaker, romIdx, catIdx;
        ChipSelectModel::Mode mode;
        int group; // type or manufacturer row
    } cases[] = {
        {0, eprom, 0, ChipSelectModel::Mode::ByType, 0},
        {0, flash, entry, ChipSelectModel::Mode::ByType, 2},
        {1, flash, entry, ChipSelectModel::Mode::ByMaker, s.cat.at(entry).maker - 1},
    };
    for (const Case& c : cases) {
        s.settings.byMaker = c.byMaker;
        s.settings.romIdx = c.romIdx;
        s.settings.catIdx = c.catIdx;
        const ChipSelectModel m(s);
        EXPECT_EQ(m.mode(), c.mode);
        const int group = c.mode == ChipSelectModel::Mode::ByType ? m.typeRow() : m.makerRow();
        EXPECT_EQ(group, c.group);
        EXPECT_EQ(c.mode == ChipSelectModel::Mode::ByType ? m.makerRow() : m.typeRow(), -1);
        EXPECT_EQ(m.chosenBase(), c.romIdx);
        EXPECT_EQ(m.chosenChoice().catIdx, c.byMaker ? c.catIdx : 0);
        EXPECT_EQ(m.adapterPreview(), AdapterSetV(s, c.romIdx));
    }
}

// What a filter keeps: the group's names that begin with it (typed in any case), then a part
// typed in full from elsewhere; every row maps back to its base type or entry.
TEST_F(ShippedSession, FilterKeepsPrefixesAndPartsTypedInFull) {
    const int atmel = s.cat.at(firstEntryNamed("AT29C256")).maker - 1;
    struct Case {
        bool byMaker;
        int group;
        const char* typed;
        int minRows;             // at least
        const char* everyPrefix; // every group row begins with it (nullptr: none listed)
        const char* foreign;     // a row from elsewhere names this, or nullptr
    } cases[] = {
        {false, 0, "27C5", 1, "27C5", nullptr},
        {false, 0, "27C", 5, "27C", nullptr},
        {false, 0, "27c5", 1, "27C5", nullptr},
        {false, 0, "", 20, "", nullptr},
        {false, 0, "XYZ", 0, nullptr, nullptr},
        {false, 0, "AT29C256", 1, nullptr, "AT29C256 (Atmel)"},
        {false, 2, "29C256", 1, "29C256", nullptr},
        {true, atmel, "AT29", 2, "AT29", nullptr},
        {true, atmel, "27C256", 1, nullptr, "27C256 (EPROM)"},
        {true, atmel, "m27256", 1, nullptr, "M27256 ("},
    };
    for (const Case& c : cases) {
        ChipSelectModel m(s);
        c.byMaker ? m.chooseMaker(c.group) : m.chooseType(c.group);
        m.setFilter(QLatin1String(c.typed));
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(m.filter(), QString::fromLatin1(c.typed).toUpper());
        ASSERT_GE(int(m.rows().size()), c.minRows);
        ASSERT_EQ(m.deviceNames().size(), qsizetype(m.rows().size()));
        EXPECT_EQ(m.currentRow(), m.rows().empty() ? -1 : 0);
        bool foreignSeen = false;
        for (size_t r = 0; r < m.rows().size(); ++r) {
            const ChipSelectModel::Row& row = m.rows()[r];
            const QString& name = m.deviceNames()[qsizetype(r)];
            if (row.offset < 0) {
                foreignSeen = foreignSeen || (c.foreign && name.startsWith(c.foreign));
                continue;
            }
            ASSERT_TRUE(c.everyPrefix) << name.toStdString();
            EXPECT_TRUE(name.toUpper().startsWith(c.everyPrefix)) << name.toStdString();
            if (c.byMaker) {
                EXPECT_EQ(row.entry, m.makerStart()[size_t(c.group)] + row.offset);
                EXPECT_EQ(row.base, s.cat.at(row.entry).base);
            } else {
                EXPECT_EQ(row.base, m.typeStart()[size_t(c.group)] + row.offset);
                EXPECT_EQ(row.entry, 0);
            }
        }
        EXPECT_EQ(foreignSeen, c.foreign != nullptr);
    }
}

TEST_F(ShippedSession, ListClicksClearTheFilterAndHighlightTheFirstRow) {
    ChipSelectModel m(s);
    m.chooseType(0);
    m.setFilter("27C5");
    m.highlight(1);
    m.chooseMaker(3);
    EXPECT_TRUE(m.filter().isEmpty());
    EXPECT_EQ(m.currentRow(), 0);
    EXPECT_EQ(m.typeRow(), -1);
    EXPECT_EQ(m.rows().front().entry, m.makerStart()[3]);
    m.highlight(9999); // outside the list: ignored
    EXPECT_EQ(m.currentRow(), 0);
}

// OK takes the filtered first row even after other groups were visited; OK on an empty
// list changes nothing and says nothing.
TEST_F(ShippedSession, OkTakesTheHighlightedRowOnly) {
    ChipSelectModel m(s);
    m.chooseMaker(5);
    m.chooseType(1);
    m.chooseType(0);
    m.setFilter("27C5");
    const int base = m.rows().front().base;
    ASSERT_EQ(acceptChipSelection(s, m), 0);
    EXPECT_EQ(s.settings.romIdx, base);
    EXPECT_EQ(s.settings.byMaker, 0);
    EXPECT_EQ(s.rom.romName, s.base.at(base).baseName.left(12));

    const int entry = firstEntryNamed("AT29C256");
    m.setFilter("AT29C256");
    m.highlight(int(m.rows().size()) - 1);
    ASSERT_EQ(m.chosenChoice().catIdx, entry);
    ASSERT_EQ(acceptChipSelection(s, m), 0);
    EXPECT_EQ(s.settings.byMaker, 1);
    EXPECT_EQ(s.settings.catIdx, entry);
    EXPECT_EQ(s.settings.romIdx, s.cat.at(entry).base);

    m.setFilter("NOTHING LIKE IT");
    const PrgSettings before = s.settings;
    const qsizetype statuses = t.fe.statuses.size();
    EXPECT_EQ(acceptChipSelection(s, m), kNoRowChosen);
    EXPECT_EQ(s.settings.romIdx, before.romIdx);
    EXPECT_EQ(s.settings.catIdx, before.catIdx);
    EXPECT_EQ(t.fe.statuses.size(), statuses);
}

// The programmer model refuses: B every MCS-51 base type, A and AX nothing of the class.
TEST_F(ShippedSession, ModelRefusalsKeepTheChip) {
    struct Case {
        int model;
        bool refused;
    } cases[] = {{5, true}, {4, false}, {6, false}};
    for (const Case& c : cases) {
        s.settings.model = c.model;
        ChipSelectModel m(s);
        m.chooseType(1);
        ASSERT_FALSE(m.rows().empty());
        for (size_t r = 0; r < m.rows().size(); ++r) {
            const int before = s.settings.romIdx;
            m.highlight(int(r));
            const int rc = acceptChipSelection(s, m);
            if (c.refused) {
                EXPECT_EQ(rc, kRefusedByB);
                EXPECT_EQ(s.settings.romIdx, before);
                EXPECT_EQ(t.fe.lastStatus(), modelRefusalText(s, kRefusedByB));
            } else {
                EXPECT_EQ(rc, 0) << c.model << " " << m.deviceNames()[qsizetype(r)].toStdString();
                EXPECT_EQ(s.settings.romIdx, m.rows()[r].base);
            }
        }
    }
}

TEST(ChipSelectModel, EntryWithoutBaseTypeIsRefusedWithoutPreview) {
    ChipSession c{{{.cls = 0, .adapter = 1}}};
    c.s.cat.makerNames << QStringLiteral("MAKER");
    c.addEntry(QStringLiteral("PART1"), 1, '0');
    CatEntry lost = c.s.cat.entries.front();
    lost.name = QStringLiteral("LOST").leftJustified(12);
    lost.base = -1;
    c.s.cat.entries.push_back(lost);
    c.s.adapterLines = {QString(), QStringLiteral("DIP28-PLCC32 ")};
    c.s.link.demoMode = 1;

    ChipSelectModel m(c.s);
    m.chooseMaker(0);
    ASSERT_EQ(m.rows().size(), 2u);
    EXPECT_EQ(m.adapterPreview()[0], QStringLiteral("DIP28-PLCC32"));
    m.highlight(1);
    EXPECT_EQ(m.adapterPreview(), (std::array<QString, 3>{}));
    EXPECT_EQ(acceptChipSelection(c.s, m), kUnknownBase);
    EXPECT_EQ(c.fe.lastStatus(), QStringLiteral("Выбранная микросхема не поддерживается"));
}

} // namespace

namespace {

// An edited table without MCS-51 and SRAM rows lists only the classes it has.
TEST(ChipSelectModel, TypeListHoldsTheClassesPresent) {
    ChipSession c{{{.cls = 0, .name = QStringLiteral("E1")},
                   {.cls = 0, .name = QStringLiteral("E2")},
                   {.cls = 2, .name = QStringLiteral("F1")},
                   {.cls = 4, .name = QStringLiteral("S1")},
                   {.cls = 6, .name = QStringLiteral("AVR1")}}};
    ChipSelectModel m(c.s);
    EXPECT_EQ(m.typeNames(), QStringList({"EPROM", "FLASH", "SEEPROM"}));
    EXPECT_EQ(m.typeStart(), (std::vector<int>{1, 3, 4, 5}));
    m.chooseType(2);
    EXPECT_EQ(m.deviceNames().size(), 1);
    EXPECT_EQ(m.rows().front().base, 4);
}

} // namespace
