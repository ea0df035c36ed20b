#include "ops/ChipChange.h"
#include "app/Settings.h"
#include "ChipFixtures.h"
#include "TestDir.h"

#include "catalogue/ChipDisplay.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"

#include <QFile>

using namespace zelvor;
using namespace zelvor::test;

namespace {

// Derives base type `index` of the session by base type (start-up path, no packet).
const RomParams& derive(ChipSession& c, int index, int byMaker = 0, int catIdx = 0) {
    c.s.settings.romIdx = index;
    c.s.settings.byMaker = byMaker;
    c.s.settings.catIdx = catIdx;
    restoreChip(c.s);
    return c.s.rom;
}

qint32 romLenOf(const RowSpec& r) {
    ChipSession c({r});
    return derive(c, 1).romLen;
}

} // namespace

TEST(ChipParams, RomLenRulesPerOrganisation) {
    // Serial EEPROM: column 3 counts kilobits, divided by the width.
    EXPECT_EQ(romLenOf({.cls = 4, .alg = 20, .size = 1, .width = 16}), 64);
    EXPECT_EQ(romLenOf({.cls = 4, .alg = 20, .size = 2, .width = 8}), 256);
    // Page Flash: pages with spare bytes; the page size comes from column 6 (optC).
    EXPECT_EQ(romLenOf({.cls = 2, .alg = 60, .size = 65536, .vcc = 3}), 69206016);
    EXPECT_EQ(romLenOf({.cls = 2, .alg = 61, .size = 16384, .vcc = 1}), 16384 * 1024 / 512 * 528);
    EXPECT_EQ(romLenOf({.cls = 2, .alg = 57, .size = 1024}), 4096 * 264);
    EXPECT_EQ(romLenOf({.cls = 2, .alg = 62, .size = 1024, .variant = 0}), 4096 * 264);
    EXPECT_EQ(romLenOf({.cls = 2, .alg = 62, .size = 1024, .variant = 1}), 1024 * 1024);
    // AVR and PIC mid-range count 16-bit words.
    EXPECT_EQ(romLenOf({.cls = 6, .alg = 26, .size = 8, .width = 16}), 4096);
    EXPECT_EQ(romLenOf({.cls = 5, .alg = 27, .size = 8, .width = 16}), 4096);
    EXPECT_EQ(romLenOf({.cls = 5, .alg = 43, .size = 32, .width = 16}), 32768);
    // Everything else: bytes.
    EXPECT_EQ(romLenOf({.cls = 0, .alg = 3, .size = 64}), 65536);
    // A zero width in a serial row gives an empty chip, not a division by zero.
    EXPECT_EQ(romLenOf({.cls = 4, .alg = 20, .size = 2, .width = 0}), 0);
}

TEST(ChipParams, CatalogueDivisorShrinksEveryOrganisation) {
    ChipSession c(
        {{.cls = 0, .alg = 3, .size = 1024},
         {.cls = 2, .alg = 57, .size = 1024, .name = QStringLiteral("45DB081")},
         {.cls = 4, .alg = 20, .size = 4, .width = 8, .name = QStringLiteral("24C04")},
         {.cls = 6, .alg = 26, .size = 8, .width = 16, .name = QStringLiteral("ATmega8")}});
    c.addEntry(QStringLiteral("BIGPART"), 1, '8');
    c.addEntry(QStringLiteral("AT45DB011"), 2, '8');
    c.addEntry(QStringLiteral("AT45DB081"), 2, '0');
    c.addEntry(QStringLiteral("HALF24C04"), 3, '2');
    c.addEntry(QStringLiteral("QUARTERAVR"), 4, '5');

    EXPECT_EQ(derive(c, 1, 1, 1).romLen, 131072);
    EXPECT_EQ(c.s.rom.romName, QStringLiteral("BIGPART     "));
    EXPECT_EQ(c.s.rom.sizeDiv, 8);

    const qint32 small = derive(c, 2, 1, 2).romLen;
    const qint32 full = derive(c, 2, 1, 3).romLen;
    EXPECT_EQ(full, 4096 * 264);
    EXPECT_EQ(small * 8, full);
    EXPECT_EQ(small, 512 * 264);

    EXPECT_EQ(derive(c, 3, 1, 4).romLen, 256);
    const RomParams& avr = derive(c, 4, 1, 5);
    EXPECT_EQ(avr.romLen, 1024);
    EXPECT_EQ(avr.lowVcc, 1);
}

TEST(ChipParams, SizeCodesAndLowVoltage) {
    ChipSession c({{.alg = 3}, {.alg = 33, .name = QStringLiteral("LV")}});
    const char codes[] = "0123458 9";
    const int div[] = {1, 1, 2, 2, 4, 4, 8, 1, 8};
    const int low[] = {0, 1, 0, 1, 0, 1, 0, 0, 1};
    for (int i = 0; i < 9; ++i)
        c.addEntry(QStringLiteral("P%1").arg(i), 1, codes[i]);
    for (int i = 0; i < 9; ++i) {
        const RomParams& p = derive(c, 1, 1, i + 1);
        EXPECT_EQ(p.sizeDiv, div[i]) << codes[i];
        EXPECT_EQ(p.lowVcc, low[i]) << codes[i];
    }
    // By base type: divisor 1, 3-volt only for algorithms 33 and 34.
    EXPECT_EQ(derive(c, 2).lowVcc, 1);
    EXPECT_EQ(c.s.rom.sizeDiv, 1);
    EXPECT_EQ(c.s.rom.romName, QStringLiteral("LV          "));
    EXPECT_EQ(derive(c, 1).lowVcc, 0);
}

TEST(ChipParams, OptionsAreForcedAndNeverInheritedFromThePreviousChip) {
    ChipSession c({{.cls = 2, .alg = 16, .vpp = 1, .pulse = 1, .vcc = 1},
                   {.cls = 2, .alg = 25, .vpp = 1, .pulse = 2, .vcc = 1},
                   {.cls = 2, .alg = 30, .vpp = 1, .pulse = 0, .vcc = 0, .sdp = 1},
                   {.cls = 2, .alg = 17, .vpp = 1, .pulse = 1, .vcc = 1}});
    const RomParams& a = derive(c, 1);
    EXPECT_EQ(a.optA, 1);
    EXPECT_EQ(a.optB, 1);
    EXPECT_EQ(a.optC, 1);
    EXPECT_EQ(a.vppSel, 3);
    EXPECT_EQ(a.pulseAlg, 3);
    EXPECT_EQ(a.vccSel, 0);

    // Algorithm 25 is not an option algorithm: its columns stay voltages, options are 0.
    const RomParams& b = derive(c, 2);
    EXPECT_EQ(b.optA, 0);
    EXPECT_EQ(b.optB, 0);
    EXPECT_EQ(b.optC, 0);
    EXPECT_EQ(b.vppSel, 1);
    EXPECT_EQ(b.pulseAlg, 2);
    EXPECT_EQ(b.vccSel, 1);

    // Algorithm 30 takes its page option from column 19, not column 6.
    const RomParams& d = derive(c, 3);
    EXPECT_EQ(d.optC, 1);
    EXPECT_EQ(d.optA, 1);

    const RomParams& e = derive(c, 4);
    EXPECT_EQ(e.vppSel, 0);
    EXPECT_EQ(e.pulseAlg, 3);
    EXPECT_EQ(e.optA, 1);
    EXPECT_EQ(e.optC, 1);
}

TEST(ChipParams, PieceLengthTable) {
    struct Case {
        RowSpec row;
        int area;
        int lenBl;
    };
    const std::vector<Case> cases{
        {{.cls = 4, .alg = 20, .pulse = 0}, 0, 80},
        {{.cls = 4, .alg = 20, .pulse = 3}, 0, 16},
        {{.cls = 4, .alg = 20, .pulse = 6}, 0, 128},
        {{.cls = 4, .alg = 20, .pulse = 9}, 0, 4},
        {{.cls = 2, .alg = 16, .variant = 1}, 0, 128},
        {{.cls = 2, .alg = 16}, 0, 256},
        {{.cls = 2, .alg = 50}, 0, 128},
        {{.cls = 2, .alg = 61}, 0, 132},
        {{.cls = 2, .alg = 62, .variant = 0}, 0, 132},
        {{.cls = 2, .alg = 62, .variant = 1}, 0, 128},
        {{.cls = 2, .alg = 30, .variant = 1}, 0, 160},
        {{.cls = 2, .alg = 30}, 0, 64},
        {{.cls = 2, .alg = 46, .vcc = 1}, 0, 128},
        {{.cls = 2, .alg = 46}, 0, 32},
        {{.cls = 0, .alg = 0}, 0, 80},
        {{.cls = 6, .alg = 26, .size = 2, .width = 16}, 0, 32}, // romLen 1024 words
        {{.cls = 6, .alg = 26, .size = 2, .width = 16}, 1, 4},
        {{.cls = 6, .alg = 26, .size = 8, .width = 16}, 0, 64},
        {{.cls = 6, .alg = 45, .size = 8, .width = 16}, 1, 4},
        {{.cls = 6, .alg = 45, .size = 8, .width = 16, .variant = 1}, 0, 160},
        {{.cls = 6, .alg = 52, .size = 8, .width = 16}, 0, 32},
        {{.cls = 6, .alg = 41, .size = 8, .width = 16, .variant = 1}, 0, 64},
        {{.cls = 5, .alg = 43, .size = 32, .width = 16}, 0, 8},
        {{.cls = 1, .alg = 10, .subType = 3}, 0, 32},
        {{.cls = 1, .alg = 10}, 0, 160},
        {{.cls = 0, .alg = 3}, 0, 160},
    };
    for (const Case& k : cases) {
        ChipSession c({k.row});
        const RomParams& p = derive(c, 1);
        EXPECT_EQ(pieceLength(p, k.area), k.lenBl) << "alg " << k.row.alg << " area " << k.area;
    }
}

TEST(ChipParams, SlowChipLowersTheLinkOnlyAtHighSpeed) {
    for (int code : {0, 1, 2, 4}) {
        ChipSession c({{.cls = 2, .alg = 3, .slow = 1}});
        derive(c, 1);
        c.s.link.demoMode = 1; // every exchange succeeds without a port
        c.s.settings.baudIdx = code;
        c.s.run.savedBaud = 99;
        EXPECT_EQ(Set_lenbl(c.s), 0);
        EXPECT_EQ(c.s.op.lenBl, 160);
        if (code >= 2) {
            EXPECT_EQ(c.s.run.savedBaud, code);
            EXPECT_EQ(c.s.settings.baudIdx, 0);
            EXPECT_EQ(c.s.run.slowed, 1);
            EXPECT_EQ(c.s.op.opCode, 4);
            EXPECT_GE(c.clock.now, 100); // the pause before the port follows
        } else {
            EXPECT_EQ(c.s.run.savedBaud, 99);
            EXPECT_EQ(c.s.settings.baudIdx, code);
            EXPECT_EQ(c.s.run.slowed, 0);
        }
    }
}

TEST(ChipParams, SetChdataResetsTheAutomaticSteps) {
    TestSession t;
    PrgSettings& p = t.s.settings;
    p.autoErase = p.autoBlank = p.autoWrite = p.autoCompare = p.autoLock = p.autoData = p.autoCfgw =
        7;
    Set_chdata(t.s);
    EXPECT_EQ((std::array{p.autoErase, p.autoBlank, p.autoWrite, p.autoCompare, p.autoLock,
                          p.autoData, p.autoCfgw}),
              (std::array{0, 0, 1, 1, 0, 0, 0}));
}

TEST(ChipParams, ModelRestrictions) {
    ChipSession c({{.cls = 0, .alg = 3},
                   {.cls = 1, .alg = 10},
                   {.cls = 2, .alg = 3, .adapter = 7},
                   {.cls = 2, .alg = 3, .adapter = 18},
                   {.cls = 2, .alg = 3, .adapter = 21},
                   {.cls = 2, .alg = 3, .subType = 3}});
    auto at = [&](int model, int base, ModelCheck when) {
        c.s.settings.model = model;
        return modelRefusal(c.s, base, when);
    };
    for (int model : {4, 6})
        for (int base = 1; base <= 6; ++base)
            EXPECT_EQ(at(model, base, ModelCheck::Selection), 0);
    EXPECT_EQ(at(5, 1, ModelCheck::Selection), kModelAllows);
    EXPECT_EQ(at(5, 2, ModelCheck::Selection), kRefusedByB);
    EXPECT_EQ(at(5, 3, ModelCheck::StartUp), kRefusedByB);
    EXPECT_EQ(at(5, 4, ModelCheck::Selection), kRefusedByB);
    EXPECT_EQ(at(5, 4, ModelCheck::StartUp), kModelAllows);
    EXPECT_EQ(at(5, 5, ModelCheck::Selection), kRefusedByB);
    EXPECT_EQ(at(3, 6, ModelCheck::Selection), kRefusedByC);
    EXPECT_EQ(at(3, 2, ModelCheck::Selection), kModelAllows);
    EXPECT_EQ(at(4, -1, ModelCheck::Selection), kUnknownBase);
    EXPECT_EQ(modelRefusalText(c.s, kRefusedByB),
              QStringLiteral("Выбранную микросхему не поддерживает модель \"Зелвор-B\""));
    EXPECT_TRUE(modelRefusalText(c.s, kModelAllows).isEmpty());
}

// Every row of the shipped table gives a chip the program can work with.
TEST(ChipParams, EveryShippedRowDerivesUsableParameters) {
    const QString path = dataFile(QStringLiteral("prgplus.lst"));
    if (!QFile::exists(path)) GTEST_SKIP() << "no shipped prgplus.lst";
    TestSession t;
    const BaseLoadResult r = loadBaseTable(path, t.s.base);
    ASSERT_EQ(r.code, kBaseLoaded);
    EXPECT_EQ(r.droppedRows, 0);
    for (int i = 1; i <= t.s.base.baseCount(); ++i) {
        t.s.settings.romIdx = i;
        t.s.settings.byMaker = 0;
        restoreChip(t.s);
        const RomParams& p = t.s.rom;
        const QString name = t.s.base.at(i).key();
        EXPECT_GT(p.romLen, 0) << name.toStdString();
        EXPECT_GT(p.dataWidth, 0) << name.toStdString();
        for (int area : {0, 1}) {
            const qint32 len = pieceLength(p, area);
            EXPECT_TRUE(len > 0 && len <= 256) << name.toStdString();
        }
        EXPECT_FALSE(chipLabel(t.s).trimmed().isEmpty());
    }
}
