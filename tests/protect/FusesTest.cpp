// Fuse and lock bits: prgatmel.lst, the boxes, and the exchanges of writing and reading.

#include "protect/Fuses.h"
#include "FakeProgrammer.h"
#include "TestDir.h"
#include "protect/ConfigCommands.h"
#include "protect/ProtectCommon.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

TEST(FuseLayout, ByteCountComesFromTheFirstBlank) {
    FuseLayout l = parseFuseLayoutLine("E1D9   CKSEL0,CKSEL1,,SUT0 trailing text");
    EXPECT_EQ(l.fuseCount, 2);
    EXPECT_EQ(l.defaults[0], 0xE1);
    EXPECT_EQ(l.defaults[1], 0xD9);
    EXPECT_EQ(l.names[0], "CKSEL0");
    EXPECT_EQ(l.names[2], "") << "two commas hide a box";
    EXPECT_EQ(l.names[3], "SUT0");
    EXPECT_EQ(l.names[4], "");

    l = parseFuseLayoutLine("6299FF A,B,C");
    EXPECT_EQ(l.fuseCount, 3);
    EXPECT_EQ(l.defaults[2], 0xFF);
    EXPECT_EQ(l.names[1], "B");
    EXPECT_EQ(l.names[2], "") << "without a blank after it the last name is empty";

    l = parseFuseLayoutLine("52     X,Y ");
    EXPECT_EQ(l.fuseCount, 1);
    EXPECT_EQ(l.defaults[0], 0x52);

    EXPECT_EQ(parseFuseLayoutLine("E1D9FF00 A ").fuseCount, 0) << "no blank in columns 3, 5, 7";
    EXPECT_EQ(parseFuseLayoutLine("ZZ     A ").fuseCount, 0) << "not hexadecimal";
}

TEST(FuseLayout, LinesCountFromOneAndMcsChipsUseLine27) {
    const QStringList lines = {"E1     A ", "E2     B ", ";", "E4     D "};
    EXPECT_EQ(findFuseLayout(lines, 1)->defaults[0], 0xE1);
    EXPECT_EQ(findFuseLayout(lines, 2)->names[0], "B");
    EXPECT_FALSE(findFuseLayout(lines, 4));
    EXPECT_FALSE(findFuseLayout(lines, 0));
    RomParams r;
    r.algCode = 28;
    r.devClass = 1;
    r.vccSel = 3;
    EXPECT_EQ(fuseLayoutLineNumber(r), 27);
    r.algCode = 10;
    r.subType = 3;
    EXPECT_EQ(fuseLayoutLineNumber(r), 27);
    r.algCode = 52;
    r.devClass = 6;
    EXPECT_EQ(fuseLayoutLineNumber(r), 3);
}

class FusesTest : public ProgrammerFixture {
  protected:
    void chip(int alg, int devClass, int variant = 0) {
        s.rom.algCode = quint8(alg);
        s.rom.devClass = quint8(devClass);
        s.rom.variant = variant;
        s.rom.canLock = 1;
        s.rom.vccSel = 1;
        s.rom.fuseBytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        s.run.startDir = dir.path();
    }
    TestDir dir;
};

TEST_F(FusesTest, PanelTakesDefaultsAndNamesFromTheFile) {
    dir.writeLines("prgatmel.lst", {"E1D9   CKSEL0,CKSEL1 "});
    chip(52, 6);
    setupConfigPanels(s);
    EXPECT_EQ(s.cfg.fuseCount, 2);
    EXPECT_EQ(s.rom.fuseBytes[1], 0xE1);
    EXPECT_EQ(s.rom.fuseBytes[2], 0xD9);
    EXPECT_EQ(s.cfg.fuseNames[0], "CKSEL0");
    EXPECT_EQ(s.cfg.fuseValueLine, "E1D9");
    EXPECT_FALSE(s.cfg.fuseChecked[0]) << "bit 0 of E1 is 1";
    EXPECT_TRUE(s.cfg.fuseChecked[1]);
    EXPECT_FALSE(s.cfg.bootLockEnabled) << "algorithm 52";

    s.rom.romLen = 512;
    s.rom.fuseBytes[4] = 0x9A;
    FuseSetN(s);
    EXPECT_EQ(s.cfg.fuseValueLine, "E1D9     Cal. byte 9A");
}

TEST_F(FusesTest, ParallelAvrVariant1KeepsItsOneByteAsTheLockByte) {
    dir.writeLines("prgatmel.lst", {"3C     A "});
    chip(45, 6, 1);
    setupConfigPanels(s);
    EXPECT_EQ(s.rom.fuseBytes[0], 0x3C);
    EXPECT_EQ(s.rom.fuseBytes[1], 0xFF);
    EXPECT_EQ(s.cfg.fuseValueLine, "3C");
    EXPECT_TRUE(s.cfg.lockChecked[0]) << "lb1 = bit 0x80";
    EXPECT_TRUE(s.cfg.lockChecked[1]) << "lb2 = bit 0x40";
}

TEST_F(FusesTest, MissingFileLeavesThePanelAsItWas) {
    chip(52, 6);
    s.cfg.fuseNames[0] = "OLD";
    setupConfigPanels(s);
    EXPECT_EQ(s.cfg.fuseNames[0], "OLD");
    EXPECT_TRUE(ts.fe.boxes.isEmpty());
}

TEST_F(FusesTest, DirectCommandsCarryEachByteWithItsCommand) {
    chip(52, 6);
    s.cfg.fuseCount = 1;
    s.rom.fuseBytes[1] = 0xE1;
    FuseSetN(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    const auto cmds = packetsOf(3);
    ASSERT_EQ(cmds.size(), 3) << "lock, low and high even for a one-byte chip";
    EXPECT_EQ(cmds[1], bytesOf({0x07, 0x33, 0xF4, 0xAC, 0xE1, 0x00, 0xA0, 0xE1, 0x00, 0x35}));
    EXPECT_EQ(quint8(cmds[0][6]), 0xE0);
    EXPECT_EQ(quint8(cmds[2][6]), 0xA8);
    EXPECT_EQ(ts.fe.lastStatus(), "Биты конфигурации установлены");

    port->packets.clear();
    s.cfg.fuseCount = 3;
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(packetsOf(3).size(), 4);
    EXPECT_EQ(quint8(packetsOf(3)[3][6]), 0xA4);
}

TEST_F(FusesTest, CheckedBoxProgramsItsBit) {
    chip(26, 6);
    s.cfg.fuseCount = 2;
    FuseSetN(s);
    s.cfg.fuseChecked[8 + 7] = true; // h7
    s.cfg.lockChecked[0] = true;     // lb1
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(s.rom.fuseBytes[2], 0x7F);
    EXPECT_EQ(s.rom.fuseBytes[0], 0xFE);
    EXPECT_EQ(quint8(packetsOf(3)[0][4]), 0xFE);
    EXPECT_EQ(quint8(packetsOf(3)[2][4]), 0x7F);
}

TEST_F(FusesTest, FailedCommandStopsTheWriteWithTheLinkError) {
    chip(52, 6);
    prog.refuseFromPacket = 1;
    EXPECT_NE(SetcfgwF(s), 0);
    EXPECT_EQ(packetsOf(3).size(), 3) << "first command, then the second twice";
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

TEST_F(FusesTest, OneFuseAvrSendsFuseAndLockAsCommandsAndNeedsTheirConfirmation) {
    chip(42, 6);
    s.cfg.fuseCount = 1;
    s.rom.fuseBytes[1] = 0x5C;
    FuseSetN(s);
    s.cfg.lockChecked[0] = true;
    EXPECT_EQ(SetcfgwF(s), 0);
    const auto cmds = packetsOf(3);
    ASSERT_EQ(cmds.size(), 2);
    EXPECT_EQ(quint8(cmds[0][6]), 0xA0);
    EXPECT_EQ(quint8(cmds[0][4]), 0x5C);
    EXPECT_EQ(quint8(cmds[1][6]), 0xE0);
    EXPECT_EQ(quint8(cmds[1][4]), 0xFD);

    prog.replyStatus = 0x00;
    EXPECT_NE(SetcfgwF(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка программирования");

    // Without lock permission only the fuse byte goes, and lock boxes are refused.
    prog.replyStatus = 0x55;
    port->packets.clear();
    s.rom.canLock = 0;
    s.cfg.lockChecked = {};
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(packetsOf(3).size(), 1);
    s.cfg.lockChecked[1] = true;
    EXPECT_EQ(SetcfgwF(s), kRefused);
    EXPECT_EQ(ts.fe.lastStatus(), "Отсутствует бит секретности");
}

TEST_F(FusesTest, ParallelAvrWritesEachByteInItsArea) {
    chip(45, 6, 0);
    s.rom.pulseAlg = 0;
    s.cfg.fuseCount = 3;
    s.rom.fuseBytes = {0xFC, 0xE1, 0xD9, 0xFD, 0xFF};
    FuseSetN(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    const auto steps = packetsOf(3);
    ASSERT_EQ(steps.size(), 4);
    const int b3[] = {0x40, 0x41, 0x42, 0x20};
    const int b6[] = {0xE1, 0xD9, 0xFD, 0xFC};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quint8(steps[i][3]), b3[i]) << i;
        EXPECT_EQ(quint8(steps[i][6]), b6[i]) << i;
    }
    EXPECT_EQ(s.op.area, 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Биты конфигурации установлены");
}

TEST_F(FusesTest, RefusedLockStepIsNotReportedAsSuccess) {
    chip(45, 6, 0);
    s.rom.canLock = 0;
    EXPECT_EQ(SetcfgwF(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), "Отсутствует бит секретности");
    EXPECT_FALSE(ts.fe.statuses.contains("Биты конфигурации установлены"));
}

TEST_F(FusesTest, McsFuseChipWritesFusesThenLock) {
    chip(28, 1);
    s.cfg.fuseCount = 1;
    s.rom.fuseBytes[0] = 0xFE;
    s.rom.fuseBytes[1] = 0xF5;
    FuseSetN(s);
    EXPECT_EQ(s.cfg.fuseValueLine, "F5FE");
    EXPECT_EQ(SetcfgwF(s), 0);
    const auto steps = packetsOf(3);
    ASSERT_EQ(steps.size(), 2);
    EXPECT_EQ(quint8(steps[0][5]), 0x15);
    EXPECT_EQ(quint8(steps[1][5]), 0xE2);
}

TEST_F(FusesTest, ReadTakesTheFiveBytesInOrder) {
    chip(52, 6);
    s.cfg.fuseCount = 3;
    for (int v : {0xFC, 0xE1, 0xD9, 0xFD, 0x9A})
        prog.bulk.push_back(bytesOf({v}));
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.rom.fuseBytes, (std::array<quint8, 5>{0xFC, 0xE1, 0xD9, 0xFD, 0x9A}));
    const auto reads = packetsOf(7);
    ASSERT_EQ(reads.size(), 5);
    EXPECT_EQ(quint8(reads[0][3]), 0x58);
    EXPECT_EQ(quint8(reads[2][4]), 0x08);
    EXPECT_EQ(quint8(reads[4][3]), 0x38);
    EXPECT_EQ(s.cfg.fuseValueLine, "E1D9FD");
    EXPECT_EQ(ts.fe.lastStatus(), "Биты конфигурации считаны");
}

TEST_F(FusesTest, ParallelAvrReadsWordsFromTheFuseAreas) {
    chip(45, 6, 1);
    s.cfg.fuseCount = 1;
    prog.bulk.push_back(bytesOf({0x21, 0xC3}));
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(packetsOf(1).size(), 1) << "variant 1 reads bytes 0 and 1 only";
    EXPECT_EQ(s.rom.fuseBytes[0], 0xC3);
    EXPECT_EQ(s.rom.fuseBytes[1], 0x21);
    EXPECT_EQ(s.rom.dataWidth, 8);
}

TEST_F(FusesTest, ReadFailureKeepsTheBytes) {
    chip(52, 6);
    prog.bulk = {bytesOf({0x11}), bytesOf({0x22})};
    prog.refuseFromPacket = 1;
    EXPECT_NE(ReadcfgwF(s), 0);
    EXPECT_EQ(s.rom.fuseBytes[0], 0x11);
    EXPECT_EQ(s.rom.fuseBytes[1], 0xFF);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
    s.settings.english = 1;
    prog.refuseFromPacket = -1;
    prog.bulk.clear();
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "The device is read out in the buffer ");
}

} // namespace
