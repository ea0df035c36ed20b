// The operator's edits on the configuration panels: each choice lands in the word or bytes
// at once, as the write would fold it, and boxes or items a chip does not have are refused.

#include "TestSession.h"
#include "protect/Fuses.h"
#include "protect/Pic18Config.h"
#include "protect/PicConfig.h"
#include "protect/ProtectCommon.h"

#include <gtest/gtest.h>

#include <set>

using namespace zelvor;
using namespace zelvor::test;

namespace {

TEST(ConfigEdit, PicOptionGoesIntoTheWordAsTheWriteFoldsIt) {
    const PicLayout layout = parsePicLayoutLine(
        "3FF9 Osc,LP 3FFC,XT 3FFD,HS 3FFE,RC @;Wdt,ON @,OF 3FFB;CP,OFF @,ALL 000F;Same,A 1234,B "
        "1234#");
    struct Row {
        int field, option;
        bool busy;
        int rc;
        quint16 word;
    } rows[] = {
        {0, 2, false, 0, 0x3FFA},        // HS: the two oscillator bits
        {1, 0, false, 0, 0x3FFD},        // watchdog on: bit 2 set
        {2, 1, false, 0, 0x0009},        // all protected: bits 4-13 from 000F
        {3, 1, false, 0, 0x3FF9},        // first and last option equal: mask 0
        {0, 4, false, kRefused, 0x3FF9}, // no fifth option
        {4, 0, false, kRefused, 0x3FF9}, // no fifth field
        {-1, 0, false, kRefused, 0x3FF9}, {0, 2, true, kRefused, 0x3FF9}, // while an operation runs
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "field " << r.field << " option " << r.option);
        TestSession ts;
        ConfigState& c = ts.s.cfg;
        c.picFields = layout.fields;
        c.cfgWord = layout.defaultWord;
        PicBitShow16(ts.s);
        ts.s.op.busy = r.busy;
        EXPECT_EQ(choosePicOption(ts.s, r.field, r.option), r.rc);
        EXPECT_EQ(c.cfgWord, r.word);
        if (r.rc == 0) EXPECT_EQ(c.picFields[size_t(r.field)].selected, r.option);
        const quint16 shown = c.cfgWord;
        foldPicFields(c);
        EXPECT_EQ(c.cfgWord, shown) << "the write sends the word shown";
    }
}

TEST(ConfigEdit, EveryPic18BoxOwnsOneBitAndTicksItToZero) {
    std::array<quint8, 14> covered{};
    std::set<QString> names;
    const auto boxes = pic18Boxes();
    for (size_t i = 0; i < boxes.size(); ++i) {
        const Pic18Box& b = boxes[i];
        SCOPED_TRACE(b.name);
        EXPECT_TRUE(names.insert(QLatin1String(b.name)).second) << "names are unique";
        EXPECT_EQ(covered[size_t(b.byte)] & b.bit, 0) << "no bit has two boxes";
        covered[size_t(b.byte)] |= b.bit;
        for (const quint32 romLen : {0x8000u, 0x4000u}) {
            TestSession ts;
            ts.s.rom.romLen = romLen;
            Pic18CfgI(ts.s);
            const bool usable = !(b.upperBlock && romLen == 0x4000);
            auto expected = ConfigState::kPic18Defaults;
            EXPECT_EQ(setPic18Box(ts.s, int(i), true), usable ? 0 : kRefused);
            if (usable) expected[size_t(b.byte)] &= quint8(~b.bit);
            EXPECT_EQ(ts.s.cfg.pic18Cfg, expected);
            EXPECT_EQ(setPic18Box(ts.s, int(i), false), usable ? 0 : kRefused);
            if (usable) expected[size_t(b.byte)] |= b.bit;
            EXPECT_EQ(ts.s.cfg.pic18Cfg, expected);
        }
    }
    EXPECT_EQ(covered, kPic18BoxBits) << "every bit with a box has exactly one";
    TestSession ts;
    Pic18CfgI(ts.s);
    EXPECT_EQ(setPic18Box(ts.s, int(boxes.size()), true), kRefused);
    ts.s.op.busy = true;
    EXPECT_EQ(setPic18Box(ts.s, 0, true), kRefused);
}

TEST(ConfigEdit, Pic18ListItemSetsItsBits) {
    struct Row {
        Pic18List list;
        int index;
        int rc;
        int byte;
        quint8 value; // the byte after the choice
    } rows[] = {
        {Pic18List::Fosc, 5, 0, 1, 0x22},          // HS: value 2 in bits 0-2
        {Pic18List::Borv, 3, 0, 2, 0x03},          // 4.5 V: value 0 in bits 2-3
        {Pic18List::Wdtps, 7, 0, 3, 0x01},         // 1:1: value 0 in bits 1-3
        {Pic18List::Fosc, 8, kRefused, 1, 0x27},   // no ninth item
        {Pic18List::Borv, 4, kRefused, 2, 0x0F},   // no fifth item
        {Pic18List::Wdtps, -1, kRefused, 3, 0x0F}, // none
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.list) << " item " << r.index);
        TestSession ts;
        Pic18CfgI(ts.s);
        EXPECT_EQ(choosePic18Item(ts.s, r.list, r.index), r.rc);
        EXPECT_EQ(ts.s.cfg.pic18Cfg[size_t(r.byte)], r.value);
        Pic18CfgS(ts.s);
        if (r.rc == 0)
            EXPECT_EQ(r.list == Pic18List::Fosc   ? ts.s.cfg.pic18.fosc
                      : r.list == Pic18List::Borv ? ts.s.cfg.pic18.borv
                                                  : ts.s.cfg.pic18.wdtps,
                      r.index)
                << "the bytes show the item chosen";
    }
}

// A fuse chip with every box named (the names of a real line are not needed here).
void fuseChip(Session& s, int alg, int devClass, int variant, int subType, int pulseAlg,
              int fuseCount) {
    s.rom.algCode = quint8(alg);
    s.rom.devClass = quint8(devClass);
    s.rom.variant = variant;
    s.rom.subType = subType;
    s.rom.pulseAlg = pulseAlg;
    s.rom.fuseBytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    s.cfg.fuseCount = fuseCount;
    for (int i = 0; i < ConfigState::kFuseBoxes; ++i)
        s.cfg.fuseNames[size_t(i)] = i == 17 ? QString() : QStringLiteral("N%1").arg(i);
    FuseSetN(s);
}

TEST(ConfigEdit, FuseBoxesAreShownAndUsableByChip) {
    struct Row {
        const char* chip;
        int alg, devClass, variant, subType, pulseAlg, fuseCount;
        bool lock;
        int box;
        bool shown, enabled;
        int byte; // where a tick lands (-1: refused)
        quint8 bit;
        QString line; // the value line after the tick
    } rows[] = {
        {"serial AVR", 26, 6, 0, 0, 1, 3, false, 0, true, true, 1, 0x01, "FEFFFF"},
        {"serial AVR", 26, 6, 0, 0, 1, 3, false, 17, false, false, -1, 0, "FFFFFF"}, // no name
        {"serial AVR", 26, 6, 0, 0, 1, 3, true, 2, true, true, 0, 0x04, "FFFFFF"},
        {"serial AVR", 26, 6, 0, 0, 1, 3, false, 9, true, true, 2, 0x02, "FFFDFF"},
        {"one-fuse AVR", 52, 6, 0, 0, 0, 1, true, 3, true, false, -1, 0, "FF"},
        {"parallel AVR v1", 45, 6, 1, 0, 0, 1, false, 5, true, true, 0, 0x20, "DF"},
        {"parallel AVR v1", 45, 6, 1, 0, 0, 1, false, 1, false, false, -1, 0, "FF"}, // no bit
        {"parallel AVR v1", 45, 6, 1, 0, 0, 1, true, 0, true, true, 0, 0x80, "7F"},
        {"MCS-51 serial", 28, 1, 0, 0, 0, 1, true, 4, false, false, -1, 0, "FFFF"},
        {"MCS-51 serial", 28, 1, 0, 0, 0, 1, false, 3, true, true, 1, 0x08, "F7FF"},
        {"MCS-51 serial", 28, 1, 0, 0, 0, 1, false, 4, false, false, -1, 0, "FFFF"},
        {"MCS-51 parallel", 10, 1, 0, 3, 0, 1, true, 1, true, true, 0, 0x02, "FD"},
        {"MCS-51 parallel", 10, 1, 0, 3, 0, 1, false, 0, true, true, 0, 0x10, "EF"},
        {"AVR 42", 42, 6, 0, 0, 0, 1, true, 1, true, true, 0, 0x04, "FF"},
        {"AVR 42", 42, 6, 0, 0, 0, 1, true, 2, true, false, -1, 0, "FF"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.chip << (r.lock ? " lock " : " fuse ") << r.box);
        TestSession ts;
        fuseChip(ts.s, r.alg, r.devClass, r.variant, r.subType, r.pulseAlg, r.fuseCount);
        const BoxAccess a = fuseBoxAccess(ts.s, r.lock, r.box);
        EXPECT_EQ(a.shown, r.shown);
        EXPECT_EQ(a.enabled, r.enabled);
        auto expected = ts.s.rom.fuseBytes;
        EXPECT_EQ(setFuseBox(ts.s, r.lock, r.box, true), r.byte >= 0 ? 0 : kRefused);
        if (r.byte >= 0) expected[size_t(r.byte)] &= quint8(~r.bit);
        EXPECT_EQ(ts.s.rom.fuseBytes, expected);
        EXPECT_EQ(ts.s.cfg.fuseValueLine, r.line);
        if (r.byte < 0) continue;
        EXPECT_TRUE(r.lock ? ts.s.cfg.lockChecked[size_t(r.box)]
                           : ts.s.cfg.fuseChecked[size_t(r.box)]);
        EXPECT_EQ(setFuseBox(ts.s, r.lock, r.box, false), 0);
        EXPECT_EQ(ts.s.rom.fuseBytes[size_t(r.byte)], 0xFF) << "cleared again";
    }
    TestSession ts;
    fuseChip(ts.s, 26, 6, 0, 0, 1, 3);
    ts.s.op.busy = true;
    EXPECT_EQ(setFuseBox(ts.s, false, 0, true), kRefused);
    EXPECT_EQ(ts.s.rom.fuseBytes[1], 0xFF);
}

} // namespace
