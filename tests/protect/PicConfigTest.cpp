// Mid-range PIC and PIC18 configuration: the layout file, the word shown as selections,
// the fold, and what reading and writing exchange with the programmer.

#include "protect/PicConfig.h"
#include "FakeProgrammer.h"
#include "TestDir.h"
#include "app/TextFile.h"
#include "ops/Engine.h"
#include "protect/ConfigCommands.h"
#include "protect/Pic18Config.h"
#include "protect/ProtectCommon.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

const QString kLine = QStringLiteral("3FF9 Osc,LP 3FFC,XT 3FFD,HS 3FFE,RC @;Wdt,ON @,OF "
                                     "3FFB;CP,OFF @,ALL 000F;Same,A 1234,B 1234#tail");

TEST(PicLayout, LineIsSplitIntoFieldsAndOptions) {
    const PicLayout l = parsePicLayoutLine(kLine);
    EXPECT_EQ(l.defaultWord, 0x3FF9);
    ASSERT_EQ(l.fields.size(), 4u);
    EXPECT_EQ(l.fields[0].name, "Osc");
    EXPECT_EQ(l.fields[0].texts,
              QStringList({"LP oscillator", "XT oscillator", "HS oscillator", "RC oscillator"}));
    EXPECT_EQ(l.fields[0].words.back(), 0x3FFF) << "@ stands for 3FFF";
    EXPECT_EQ(l.fields[0].mask(), 0x0003);
    EXPECT_EQ(l.fields[1].texts, QStringList({"Enabled", "Disabled"}));
    EXPECT_EQ(l.fields[2].texts, QStringList({"Memory unprotected", "All memory protected"}));
    EXPECT_EQ(l.fields[3].mask(), 0) << "equal first and last options";
    EXPECT_EQ(picOptionText("Upper3/4"), "Upper3/4") << "unknown mnemonics as written";
    EXPECT_EQ(picOptionText("on"), "on") << "matching is case-sensitive";
}

TEST(PicLayout, TooManyFieldsAndOptionsAreDropped) {
    QString line = "3FFF ";
    for (int f = 0; f < 13; ++f) {
        line += QStringLiteral("F%1").arg(f);
        for (int o = 0; o < 10; ++o)
            line += QStringLiteral(",O%1 3FF%2").arg(o).arg(o);
        line += ';';
    }
    const PicLayout l = parsePicLayoutLine(line + "#");
    ASSERT_EQ(l.fields.size(), 11u);
    for (const PicField& f : l.fields)
        EXPECT_EQ(f.words.size(), 8u);
}

TEST(PicLayout, LineNumbersCountFromZeroAndASemicolonEndsTheSearch) {
    const QStringList lines = {"3FF0 A,X 0001,Y 0000#", "3FF1 B,X 0001,Y 0000#", ";",
                               "3FF3 C,X 1,Y 0#"};
    ASSERT_TRUE(findPicLayout(lines, 0));
    EXPECT_EQ(findPicLayout(lines, 0)->defaultWord, 0x3FF0);
    EXPECT_EQ(findPicLayout(lines, 1)->fields[0].name, "B");
    EXPECT_FALSE(findPicLayout(lines, 3)) << "behind the ';' line";
    EXPECT_FALSE(findPicLayout(lines, 9));
}

class PicConfigTest : public ProgrammerFixture {
  protected:
    void SetUp() override {
        dir.writeLines("prgpic16.lst", {kLine, ";"});
        s.run.startDir = dir.path();
        s.rom.algCode = 27;
        s.rom.devClass = 5;
        s.rom.dataWidth = s.rom.baseWidth = 14;
        s.rom.vppSel = 0;
    }
    TestDir dir;
};

TEST_F(PicConfigTest, PanelShowsTheDefaultWord) {
    setupConfigPanels(s);
    ASSERT_TRUE(s.cfg.picLayoutFound);
    EXPECT_EQ(s.cfg.cfgWord, 0x3FF9);
    EXPECT_EQ(s.cfg.picFields[0].selected, 1) << "XT: low bits 01";
    EXPECT_EQ(s.cfg.picFields[1].selected, 1) << "Wdt off: bit 2 clear";
    EXPECT_EQ(s.cfg.picFields[2].selected, 0);
    EXPECT_EQ(s.cfg.picFields[3].selected, 0);
    EXPECT_EQ(s.cfg.userId, "FFFF");
    EXPECT_TRUE(ts.fe.boxes.isEmpty());
}

TEST_F(PicConfigTest, WordThatFitsNoOptionShowsTheFirstAndWarns) {
    setupConfigPanels(s);
    s.cfg.cfgWord = 0x1FF5; // CP field (bits 0x3FF0): neither 3FF0 nor 0000
    PicBitShow16(s);
    EXPECT_EQ(s.cfg.picFields[2].selected, 0);
    EXPECT_EQ(ts.fe.boxes.value(0), "Mask CP not correct");
}

TEST_F(PicConfigTest, FoldReplacesOnlyEachFieldsMask) {
    setupConfigPanels(s);
    s.cfg.picFields[0].selected = 2; // HS 3FFE
    s.cfg.picFields[2].selected = 1; // ALL 000F
    foldPicFields(s.cfg);
    EXPECT_EQ(s.cfg.cfgWord, 0x000A);
}

TEST_F(PicConfigTest, MissingLineClearsTheLayoutAndRefusesToWrite) {
    setupConfigPanels(s);
    s.rom.vppSel = 5;
    setupConfigPanels(s);
    EXPECT_FALSE(s.cfg.picLayoutFound);
    EXPECT_TRUE(s.cfg.picFields.empty());
    EXPECT_EQ(s.cfg.cfgWord, 0x3FFF);
    EXPECT_EQ(SetcfgwF(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(PicConfigTest, LongFormWritesIdNibblesWord6AndTheWord) {
    setupConfigPanels(s);
    s.cfg.userId = "A5C3";
    s.cfg.picWord6 = 0x1234;
    EXPECT_EQ(SetcfgwF(s), 0);
    const QByteArray all = prog.pieces.value(0);
    EXPECT_EQ(all, bytesOf({0x3F, 0xFA, 0x3F, 0xF5, 0x3F, 0xFC, 0x3F, 0xF3, 0x3F, 0xFF, 0x3F, 0xFF,
                            0x12, 0x34, 0x3F, 0xF9}));
    const QByteArray p = packetsOf(2).value(0);
    EXPECT_EQ(quint8(p[3]) & 0x03, 2) << "area 2 in B3";
    EXPECT_EQ(quint8(p[8]), 7);
    EXPECT_EQ(s.op.area, 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Микросхема запрограммирована");
}

TEST_F(PicConfigTest, WordThatDidNotStickIsAProgrammingError) {
    setupConfigPanels(s);
    prog.echoWrites = false;
    EXPECT_EQ(SetcfgwF(s), opres::kVerifyMismatch);
    EXPECT_EQ(packetsOf(1).size(), 1) << "read back once";
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка программирования");
    s.settings.english = 1;
    EXPECT_NE(SetcfgwF(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Error of programming ");
}

TEST_F(PicConfigTest, ShortFormWritesOneWord) {
    s.rom.pulseAlg = 1;
    setupConfigPanels(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(prog.pieces.value(0), bytesOf({0x3F, 0xF9}));
    EXPECT_EQ(quint8(packetsOf(2).value(0)[8]), 0);
}

TEST_F(PicConfigTest, BadUserIdIsRefused) {
    setupConfigPanels(s);
    s.cfg.userId = "XYZ";
    EXPECT_EQ(SetcfgwF(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(PicConfigTest, ReadTakesTheWordsFromTheChip) {
    setupConfigPanels(s);
    prog.bulk.push_back(bytesOf({0x3F, 0xF1, 0x3F, 0xF2, 0x3F, 0xF3, 0x3F, 0xF4, 0x3F, 0xFF, 0x3F,
                                 0xFF, 0x0F, 0x83, 0x3F, 0xFE}));
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.cfg.userId, "1234");
    EXPECT_EQ(s.cfg.picWord6, 0x0F83);
    EXPECT_EQ(s.cfg.cfgWord, 0x3FFE);
    EXPECT_EQ(s.cfg.picFields[0].selected, 2);
    EXPECT_EQ(s.rom.dataWidth, 14);
    EXPECT_EQ(ts.fe.lastStatus(), "Информация считана в буфер");
}

TEST_F(PicConfigTest, ReadFailureKeepsTheWordAndReopens) {
    setupConfigPanels(s);
    prog.bulkSumDelta = 1;
    prog.bulk = {QByteArray(16, 0), QByteArray(16, 0)};
    EXPECT_NE(ReadcfgwF(s), 0);
    EXPECT_EQ(s.cfg.cfgWord, 0x3FF9);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

TEST(Pic18Panel, ShowAndFoldKeepTheBytes) {
    ConfigState c;
    TestSession ts;
    ts.s.rom.romLen = 0x8000;
    Pic18CfgI(ts.s);
    EXPECT_EQ(pic18Text(ts.s.cfg), "00270F0F000185000FC00FE00F40");
    EXPECT_EQ(ts.s.cfg.pic18.fosc, 0);
    EXPECT_EQ(ts.s.cfg.pic18.wdtps, 0);
    EXPECT_TRUE(ts.s.cfg.pic18.upperBlocksEnabled);
    foldPic18Panel(ts.s.cfg);
    EXPECT_EQ(ts.s.cfg.pic18Cfg, ConfigState::kPic18Defaults);

    ts.s.cfg.pic18.fosc = 5;                    // HS: value 2
    ts.s.cfg.pic18.borv = 0;                    // 2.0 V: value 3
    ts.s.cfg.pic18.wdtps = 7;                   // 1:1: value 0
    ts.s.cfg.pic18.checked[8] |= 0x01;          // CP0 programmed
    ts.s.cfg.pic18.checked[6] &= quint8(~0x80); // debugger off
    foldPic18Panel(ts.s.cfg);
    EXPECT_EQ(ts.s.cfg.pic18Cfg[1], 0x22);
    EXPECT_EQ(ts.s.cfg.pic18Cfg[2], 0x0F);
    EXPECT_EQ(ts.s.cfg.pic18Cfg[3], 0x01);
    EXPECT_EQ(ts.s.cfg.pic18Cfg[8], 0x0E);
    EXPECT_EQ(ts.s.cfg.pic18Cfg[6], 0x85);

    ts.s.rom.romLen = 0x4000;
    Pic18CfgS(ts.s);
    EXPECT_FALSE(ts.s.cfg.pic18.upperBlocksEnabled);
}

class Pic18Test : public ProgrammerFixture {
  protected:
    void SetUp() override {
        s.rom.algCode = 43;
        s.rom.devClass = 5;
        s.rom.romLen = 0x4000;
        setupConfigPanels(s);
    }
};

TEST_F(Pic18Test, WriteSendsFourteenBytesAtTheConfigurationAddress) {
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(prog.pieces.value(0),
              QByteArray(reinterpret_cast<const char*>(ConfigState::kPic18Defaults.data()), 14))
        << "disabled boxes still write their state";
    const QByteArray p = packetsOf(2).value(0);
    EXPECT_EQ(quint8(p[3]), 0x30);
    EXPECT_EQ(quint8(p[8]), 0x13);
}

TEST_F(Pic18Test, BytesThatDidNotStickAreAProgrammingError) {
    prog.echoWrites = false;       // the chip keeps reading erased bytes
    s.cfg.pic18.checked[8] = 0x01; // CP0 programmed
    EXPECT_EQ(SetcfgwF(s), opres::kVerifyMismatch);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка программирования");
}

TEST_F(Pic18Test, ReadReplacesTheBytes) {
    QByteArray data(20, char(0xAA));
    data[1] = char(0x26);
    prog.bulk.push_back(data);
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.cfg.pic18Cfg[1], 0x26);
    EXPECT_EQ(s.cfg.pic18.fosc, 1);
    EXPECT_EQ(s.cfg.pic18Cfg[13], 0xAA);
}

TEST_F(Pic18Test, ProgrammingErrorIsReported) {
    prog.ackPackets = false;
    EXPECT_NE(SetcfgwF(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
    s.settings.english = 1;
    prog.ackPackets = true;
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "The device is programmed");
}

TEST_F(PicConfigTest, ShippedLayoutFileParsesForEveryLine) {
    const QStringList lines = readTextLines(dataFile("prgpic16.lst")).value_or(QStringList());
    int n = 0;
    for (int i = 0; i < lines.size() && !lines[i].startsWith(';'); ++i, ++n) {
        const auto l = findPicLayout(lines, i);
        ASSERT_TRUE(l) << i;
        EXPECT_FALSE(l->fields.empty()) << i;
        for (const PicField& f : l->fields)
            EXPECT_GE(f.words.size(), 2u) << i << " " << f.name.toStdString();
    }
    EXPECT_GT(n, 0);
}

} // namespace
