// What the configuration page shows for chips of the shipped lists: which panels, the
// mid-range fields and word, the PIC18 boxes, and the fuse and lock boxes of each kind.

#include "program/ConfigView.h"
#include "TestDir.h"
#include "TestSession.h"
#include "catalogue/BaseTableLoader.h"
#include "program/Commands.h"
#include "program/Program.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

const CheckBoxView* boxNamed(const ConfigView& v, const QString& name) {
    for (const CheckBoxView& b : v.pic18.boxes)
        if (b.name == name) return &b;
    for (const CheckBoxView& b : v.fuse.fuses)
        if (b.name == name) return &b;
    for (const CheckBoxView& b : v.fuse.locks)
        if (b.name == name) return &b;
    return nullptr;
}

TEST(ConfigView, EachChipShowsItsPanelsAndBoxes) {
    TestDir dir;
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        dir.copyData(QLatin1String(f));
    TestSession t;
    Session& s = t.s;
    StartOptions o;
    o.startDir = dir.path();
    o.demo = true;
    o.openLink = false;
    ASSERT_EQ(startProgram(s, o), 0);
    s.settings.model = 4; // takes every base type

    struct Box {
        const char* name;
        const char* caption;
        bool shown, enabled, checked;
    };
    struct Row {
        const char* chip;
        bool pic16, pic18, fuse;
        QStringList fieldNames; // mid-range lists
        const char* word;       // mid-range word, or PIC18 bytes, or fuse value line
        std::vector<Box> boxes;
    } rows[] = {
        {"PIC16F84", true, false, false, {"Osc", "Wdt", "PwrT", "CP"}, "3FFF", {}},
        {"PIC18F242",
         false,
         true,
         false,
         {},
         "00270F0F000185000FC00FE00F40",
         {{"CP3", "CP3", true, false, false}, // a 16 KiB part has no block 3
          {"bkbug", "Backgr. debug.enabled", true, true, false},
          {"ccp2", "CCP2 multipl. with RB3", true, true, false}}},
        {"ATmega16",
         false,
         false,
         true,
         {},
         "E199",
         {{"f0", "CKSEL0", true, true, false},
          {"f1", "CKSEL1", true, true, true},
          {"h7", "OCDEN", true, true, false},
          {"E0", "", false, false, false},
          {"blb12", "BLB12", true, true, false}}},
        {"AT89S51",
         false,
         false,
         true,
         {},
         "FFFF",
         {{"lb1", "LB1", true, true, false},
          {"blb01", "BLB01", false, false, false},
          {"f0", "", false, false, false}}},
        {"27C256", false, false, false, {}, "", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.chip);
        ASSERT_EQ(selectChip(s, findBaseByName(s.base, QLatin1String(r.chip)), ChipChoice{}), 0);
        const ConfigView v = configView(s);
        EXPECT_EQ(v.panels.pic16, r.pic16);
        EXPECT_EQ(v.panels.pic18, r.pic18);
        EXPECT_EQ(v.panels.fuse, r.fuse);
        QStringList names;
        for (const PicField& f : v.pic16.fields)
            names << f.name;
        if (r.pic16) {
            EXPECT_EQ(names, r.fieldNames);
            EXPECT_TRUE(v.pic16.wordShown);
            EXPECT_EQ(v.pic16.word, QLatin1String(r.word));
            EXPECT_EQ(v.pic16.userId, "FFFF");
        }
        if (r.pic18) EXPECT_EQ(v.pic18.bytes, QLatin1String(r.word));
        if (r.fuse) EXPECT_EQ(v.fuse.valueLine, QLatin1String(r.word));
        for (const Box& b : r.boxes) {
            SCOPED_TRACE(b.name);
            const CheckBoxView* seen = boxNamed(v, QLatin1String(b.name));
            ASSERT_TRUE(seen);
            EXPECT_EQ(seen->caption, QString::fromUtf8(b.caption));
            EXPECT_EQ(seen->shown, b.shown);
            EXPECT_EQ(seen->enabled, b.enabled);
            EXPECT_EQ(seen->checked, b.checked);
        }
    }
    stopProgram(s);
}

TEST(ConfigView, RawWordShowsInDebugModeAfterARead) {
    struct Row {
        int debugMode;
        const char* read; // the raw word kept by the last read, empty: none yet
        bool shown;
    } rows[] = {{1, "3FF2", true}, {0, "3FF2", false}, {1, "", false}};
    for (const Row& r : rows) {
        TestSession t;
        t.s.rom.devClass = 5;
        t.s.rom.algCode = 27;
        t.s.run.debugMode = r.debugMode;
        t.s.cfg.debugWord = QLatin1String(r.read);
        const ConfigView v = configView(t.s);
        EXPECT_EQ(v.pic16.debugShown, r.shown) << r.debugMode << " " << r.read;
        EXPECT_FALSE(v.pic16.wordShown) << "no layout line: no word";
    }
}

} // namespace
