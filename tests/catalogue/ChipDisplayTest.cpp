#include "ChipFixtures.h"
#include "catalogue/Features.h"
#include "program/Screen.h"

#include "catalogue/ChipDisplay.h"
#include "catalogue/ChipParams.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

// The parameters of a single-row session, as the start-up derives them.
struct OneChip {
    ChipSession c;
    explicit OneChip(const RowSpec& r) : c({r}) {
        c.s.settings.romIdx = 1;
        restoreChip(c.s);
    }
    RomParams& rom() { return c.s.rom; }
};

} // namespace

TEST(ChipDisplay, AreaSuffixes) {
    struct Case {
        RowSpec row;
        const char* code;
        const char* data;
    };
    const std::vector<Case> cases{
        {{.cls = 5, .alg = 27, .variant = 1}, "/CODE", "/DATA"},
        {{.cls = 5, .alg = 27, .variant = 0}, "", ""},
        {{.cls = 5, .alg = 43}, "/CODE", "/DATA"},
        {{.cls = 6, .alg = 41}, "/CODE", "/DATA"},
        {{.cls = 1, .alg = 41}, "", ""},
        {{.cls = 6, .alg = 45}, "/CODE", "/DATA"},
        {{.cls = 1, .alg = 32}, "/CODE", "/LDROM"},
        {{.cls = 1, .alg = 54}, "/CODE", "/BOOT"},
        {{.cls = 1, .alg = 44, .variant = 1}, "/CODE", "/SB&BV"},
        {{.cls = 1, .alg = 44, .variant = 0}, "", ""},
        {{.cls = 0, .alg = 3}, "", ""},
    };
    for (const Case& k : cases) {
        OneChip one(k.row);
        EXPECT_EQ(areaSuffix(one.rom(), 0), QString::fromLatin1(k.code)) << k.row.alg;
        EXPECT_EQ(areaSuffix(one.rom(), 1), QString::fromLatin1(k.data)) << k.row.alg;
        EXPECT_EQ(areaSuffix(one.rom(), 2), QString());
    }
}

TEST(ChipDisplay, VoltageAndAlgorithmLabels) {
    auto labels = [](const RowSpec& r) {
        OneChip one(r);
        const VoltageLabels v = voltageLabels(one.rom());
        return (v.vpp + u'|' + v.vcc + u'|' + v.alg).toStdString();
    };
    EXPECT_EQ(labels({.cls = 0, .alg = 3, .vpp = 1, .pulse = 2, .vcc = 1}),
              "Vpp=21.00V|, Vcc=6.00V|QUICK PULSE");
    EXPECT_EQ(labels({.cls = 0, .alg = 33, .vpp = 0, .pulse = 0, .vcc = 0}),
              "Vpp=12.50V|, Vcc=3.00V|STANDARD 50ms");
    EXPECT_EQ(labels({.cls = 2, .alg = 37, .pulse = 1}),
              "Vpp=      |, Vcc=5.00V|DATA POLLING /Fast");
    EXPECT_EQ(labels({.cls = 2, .alg = 47, .vcc = 1}), "Vpp=      |, Vcc=5.00V|DATA POLLING /Fast");
    EXPECT_EQ(labels({.cls = 2, .alg = 28}), "Vpp=      |, Vcc=5.00V|Serial SPI");
    EXPECT_EQ(labels({.cls = 3, .alg = 1}), "Vpp=      |, Vcc=5.00V|");
    EXPECT_EQ(labels({.cls = 4, .alg = 21}), "Vpp=      |, Vcc=5.00V|Serial Ix2 C");
    EXPECT_EQ(labels({.cls = 4, .alg = 20}), "Vpp=      |, Vcc=5.00V|Serial SPI");
    EXPECT_EQ(labels({.cls = 5, .alg = 27}), "Vpp=12.50V|, Vcc=5.00V|Serial Ix2 C");
    EXPECT_EQ(labels({.cls = 6, .alg = 45}), "Vpp=      |, Vcc=5.00V|Data Polling");
    EXPECT_EQ(labels({.cls = 6, .alg = 55}), "Vpp=      |, Vcc=5.00V|High-Voltage SPI");
    EXPECT_EQ(labels({.cls = 6, .alg = 26}), "Vpp=      |, Vcc=5.00V|Serial SPI");
    // Classes 7 to 9 are labelled as classes 0 to 2.
    EXPECT_EQ(labels({.cls = 9, .alg = 3, .vpp = 2, .pulse = 1}),
              "Vpp=25.00V|, Vcc=5.00V|INTELLIGENT 1ms 3X");
    // Indexes beyond the lists give an empty text.
    EXPECT_EQ(labels({.cls = 0, .alg = 3, .vpp = 7, .pulse = 9, .vcc = 5}), "||");
}

TEST(ChipDisplay, SizeLabel) {
    EXPECT_EQ(sizeLabel(OneChip({.cls = 4, .alg = 20, .size = 4}).rom()),
              QStringLiteral("512 x 8"));
    EXPECT_EQ(sizeLabel(OneChip({.cls = 0, .alg = 3, .size = 64}).rom()),
              QStringLiteral("64K x 8"));
    EXPECT_EQ(sizeLabel(OneChip({.cls = 0, .alg = 3, .size = 128, .width = 16}).rom()),
              QStringLiteral("128K x 16"));
    EXPECT_EQ(sizeLabel(OneChip({.cls = 2, .alg = 57, .size = 1024}).rom()),
              QStringLiteral("4096 x 264"));
    EXPECT_EQ(sizeLabel(OneChip({.cls = 2, .alg = 60, .size = 65536, .vcc = 3}).rom()),
              QStringLiteral("32768 x 2112"));
}

TEST(ChipDisplay, ShowWindowTextsAndButtons) {
    OneChip one({.cls = 6,
                 .alg = 45,
                 .size = 8,
                 .width = 16,
                 .canErase = 1,
                 .canLock = 1,
                 .canReadId = 1,
                 .name = QStringLiteral("AT90S8515")});
    Session& s = one.c.s;
    s.settings.fileFmt = 2;
    s.settings.autoData = 1;
    s.settings.autoCfgw = 1;
    s.buf.size = 300;
    s.buf.checkSum = 0x2AD4;
    s.buf.addrStart = 0x10;
    s.buf.addrEnd = 0xFFF;
    s.buf.bufOffset = 0x1800;
    s.op.area = 1;
    const WindowTexts w = ShowWindow(s);
    EXPECT_EQ(w.fileFormat, QStringLiteral("HEX"));
    EXPECT_EQ(w.chip, QStringLiteral("AT90S8515   /DATA"));
    EXPECT_EQ(w.bufSize, QStringLiteral("000012C"));
    EXPECT_EQ(s.buf.viewEnd, 511);
    EXPECT_EQ(w.checkSum, QStringLiteral("2AD4"));
    EXPECT_EQ(w.addrStart, QStringLiteral("0000010"));
    EXPECT_EQ(w.addrEnd, QStringLiteral("0000FFF"));
    EXPECT_EQ(w.bufOffset, QStringLiteral("001800"));
    EXPECT_EQ(w.romSize, QStringLiteral("4K x 16"));
    EXPECT_EQ(w.romSizeUnit, QStringLiteral("x 8"));
    EXPECT_TRUE(s.feat.program && s.feat.erase && s.feat.lock && s.feat.readId);
    EXPECT_TRUE(s.feat.configuration);
    EXPECT_EQ(w.dataCaption, QStringLiteral("+ DATA"));
    EXPECT_EQ(w.cfgwCaption, QStringLiteral("+ Fuse Bits"));

    OneChip eprom({.cls = 1, .alg = 32, .canWrite = 0, .canRead = 1, .canBlank = 0});
    eprom.c.s.settings.autoData = 1;
    const WindowTexts e = ShowWindow(eprom.c.s);
    EXPECT_EQ(e.fileFormat, QStringLiteral("BIN"));
    EXPECT_FALSE(eprom.c.s.feat.program);
    EXPECT_FALSE(eprom.c.s.feat.blank);
    EXPECT_TRUE(eprom.c.s.feat.read);
    EXPECT_FALSE(eprom.c.s.feat.configuration);
    EXPECT_EQ(e.dataCaption, QStringLiteral("+ LDROM"));
    EXPECT_TRUE(e.cfgwCaption.isEmpty());
}

TEST(ChipDisplay, WhatEachFamilyOffers) {
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 1, .alg = 32}).rom()).x2Mode);
    EXPECT_FALSE(chipFeatures(OneChip({.cls = 1, .alg = 32, .variant = 1}).rom()).x2Mode);
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 5, .alg = 27}).rom()).configMenu);
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 3, .alg = 1}).rom()).ramTest);
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 9, .alg = 3}).rom()).autoDetectFlash);
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 1, .alg = 10}).rom()).lockBitsMenu);
    const ChipFeatures f16 =
        chipFeatures(OneChip({.cls = 2, .alg = 16, .sdp = 1, .bblSet = 1, .bblRead = 1}).rom());
    EXPECT_TRUE(f16.bootBlockSet && f16.sdp && f16.bootBlockRead);
    // A part of the family whose row says it lacks them: the items would only be refused.
    const ChipFeatures f16no = chipFeatures(OneChip({.cls = 2, .alg = 16}).rom());
    EXPECT_FALSE(f16no.bootBlockSet || f16no.sdp || f16no.bootBlockRead);
    const ChipFeatures f30 =
        chipFeatures(OneChip({.cls = 2, .alg = 30, .sdp = 1, .bblSet = 1, .bblRead = 1}).rom());
    EXPECT_TRUE(f30.sdp);
    EXPECT_FALSE(f30.bootBlockSet || f30.bootBlockRead);
    EXPECT_TRUE(chipFeatures(OneChip({.cls = 2, .alg = 62}).rom()).badBlocks);
    // The variant whose pages carry no spare bytes has no bad-block markers to scan.
    EXPECT_FALSE(chipFeatures(OneChip({.cls = 2, .alg = 62, .variant = 1}).rom()).badBlocks);
    const ChipFeatures plain = chipFeatures(OneChip({.cls = 0, .alg = 3}).rom());
    EXPECT_FALSE(plain.x2Mode || plain.configMenu || plain.ramTest || plain.autoDetectFlash ||
                 plain.lockBitsMenu || plain.readId || plain.bootBlockSet || plain.sdp ||
                 plain.bootBlockRead || plain.badBlocks);
}

TEST(ChipDisplay, AreaListAndPanels) {
    OneChip pic({.cls = 5, .alg = 27, .width = 16, .variant = 0});
    PicShowData d = PicShow(pic.c.s);
    EXPECT_TRUE(d.area.shown);
    EXPECT_FALSE(d.area.enabled);
    EXPECT_EQ(d.area.items, (QStringList{QStringLiteral("Code"), QStringLiteral("Data")}));
    EXPECT_TRUE(d.panels.pic16);
    EXPECT_FALSE(d.panels.pic18 || d.panels.fuse);

    OneChip pic18({.cls = 5, .alg = 43, .width = 16, .variant = 1});
    d = PicShow(pic18.c.s);
    EXPECT_TRUE(d.area.enabled);
    EXPECT_TRUE(d.panels.pic18);
    EXPECT_FALSE(d.panels.pic16);

    OneChip avr({.cls = 6, .alg = 26, .width = 16});
    avr.c.s.op.area = 1;
    d = PicShow(avr.c.s);
    EXPECT_TRUE(d.area.shown && d.area.enabled);
    EXPECT_EQ(d.area.selected, 1);
    EXPECT_TRUE(d.panels.fuse);

    OneChip sbbv({.cls = 1, .alg = 44, .variant = 1});
    d = PicShow(sbbv.c.s);
    EXPECT_EQ(d.area.items, (QStringList{QStringLiteral("Code"), QStringLiteral("SB&BV")}));

    const std::pair<int, const char*> seconds[] = {{32, "LDROM"}, {54, "BOOT"}, {56, "XAF"}};
    for (const auto& [alg, name] : seconds) {
        OneChip one({.cls = 1, .alg = alg});
        d = PicShow(one.c.s);
        ASSERT_EQ(d.area.items.size(), 2);
        EXPECT_EQ(d.area.items[1], QString::fromLatin1(name));
    }
    OneChip protect({.cls = 2, .alg = 23, .variant = 1});
    EXPECT_EQ(PicShow(protect.c.s).area.items.value(1), QStringLiteral("Protect Register"));

    OneChip mcs({.cls = 1, .alg = 10, .subType = 3});
    d = PicShow(mcs.c.s);
    EXPECT_FALSE(d.area.shown);
    EXPECT_TRUE(d.area.items.isEmpty());
    EXPECT_TRUE(d.panels.fuse);

    OneChip eprom({.cls = 0, .alg = 3});
    d = PicShow(eprom.c.s);
    EXPECT_FALSE(d.area.shown || d.panels.fuse || d.panels.pic16 || d.panels.pic18);
}

TEST(ChipDisplay, ChoiceTextsAtStartUp) {
    TestSession t;
    setChoiceTexts(t.s);
    EXPECT_EQ(t.s.run.vppTexts.size(), 4);
    EXPECT_EQ(t.s.run.vppTexts[3], QStringLiteral("Vpp=      "));
    EXPECT_EQ(t.s.run.vccTexts,
              (QStringList{QStringLiteral(", Vcc=5.00V"), QStringLiteral(", Vcc=6.00V"),
                           QStringLiteral(", Vcc=3.00V")}));
    EXPECT_EQ(t.s.run.algTexts[1], QStringLiteral("INTELLIGENT 1ms 3X"));
}
