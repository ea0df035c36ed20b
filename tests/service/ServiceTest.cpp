// Identification, RAM test, bad-block scan and the firmware commands against a scripted
// programmer.

#include "FakeProgrammer.h"
#include "protect/ProtectCommon.h"
#include "service/Firmware.h"
#include "service/RamTest.h"
#include "service/ReadId.h"

#include <QHash>

using namespace zelvor;
using namespace zelvor::test;

namespace {

class ServiceTest : public ProgrammerFixture {
  protected:
    void chip(int alg, int devClass, int variant = 0) {
        s.rom.algCode = quint8(alg);
        s.rom.devClass = quint8(devClass);
        s.rom.variant = variant;
        s.rom.canReadId = 1;
        s.rom.dataWidth = s.rom.baseWidth = 8;
    }
    void entry(const QString& name, const QString& a, const QString& b, const QString& c) {
        CatEntry e;
        e.name = name;
        e.id0 = a;
        e.id1 = b;
        e.id2 = c;
        s.cat.entries.push_back(e);
    }
};

TEST_F(ServiceTest, IdentificationPlansFollowTheChip) {
    chip(48, 2);
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0, 1}));
    chip(53, 2);
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0, 1, 0xFFF2}));
    EXPECT_EQ(idPlan(s).opCode, 11);
    chip(37, 2);
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0, 2}));
    chip(3, 0);
    s.buf.addrStart = 0x100;
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0x100, 0x101}));
    chip(44, 1, 1);
    EXPECT_EQ(idPlan(s).count(), 7);
    chip(44, 1, 0);
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{5, 6, 4, 3, 2}));
    chip(28, 1);
    EXPECT_EQ(idPlan(s).cmd, (std::vector<int>{0x28, 0x28, 0x28}));
    chip(28, 6);
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0x30, 0x31, 0x32}));
    EXPECT_TRUE(idPlan(s).cmd.empty());
    chip(10, 1);
    s.rom.subType = 3;
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0x20, 0x21}));
    s.rom.subType = 0;
    s.rom.adapter = 5;
    EXPECT_EQ(idPlan(s).addr, (std::vector<qint32>{0, 1}));
}

TEST_F(ServiceTest, IdentificationTextAndLookup) {
    entry("FIRST", "1F", "51", "");
    entry("SECOND", "1F", "51", "");
    entry("AVR", "1E", "93", "0A");
    entry("lower", "bf", "b5", "");
    EXPECT_EQ(findCatalogueEntry(s.cat, 2, "1F 51 "), 1) << "the first match wins";
    EXPECT_EQ(findCatalogueEntry(s.cat, 3, "1E 93 0A "), 3);
    EXPECT_EQ(findCatalogueEntry(s.cat, 2, "BF B5 "), 0) << "lower-case codes never match";
    EXPECT_EQ(findCatalogueEntry(s.cat, 4, "1F 51 00 00 "), 0);

    IdPlan four;
    four.addr = {0, 1, 2, 3};
    four.twoByteReads = true;
    EXPECT_EQ(idText(four, {{0xEC, 0x01}, {0x75, 0x02}, {0xA5, 0x03}, {0xBD, 0x04}}),
              "EC 75 A5 BD 04 ")
        << "first bytes and the last read's second byte";
    IdPlan words;
    words.addr = {0, 1};
    words.wordPairs = true;
    EXPECT_EQ(idText(words, {{0x00, 0x01}, {0x22, 0x4F}}), "00 01 22 4F ") << "each word whole";
}

TEST_F(ServiceTest, IdentificationNamesTheChip) {
    chip(52, 6);
    entry("ATtiny13", "1E", "90", "07");
    prog.bulk = {bytesOf({0x1E}), bytesOf({0x90}), bytesOf({0x07})};
    int found = -1;
    EXPECT_EQ(ReadIdClick(s, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(ts.fe.boxes.value(0), "ATtiny13");
    for (const QByteArray& p : packetsOf(7))
        EXPECT_EQ(quint8(p[3]), 0x30) << "command 0x30";
}

TEST_F(ServiceTest, UnknownCodesAreListed) {
    chip(3, 0);
    prog.bulk = {bytesOf({0xC2}), bytesOf({0x11})};
    EXPECT_EQ(ReadIdClick(s), 0);
    EXPECT_EQ(ts.fe.boxes.value(0),
              "Микросхема в базе не найдена.   Идентификационные коды:    C2 11 ");
}

TEST_F(ServiceTest, IdentificationRefusalAndLinkFailure) {
    chip(3, 0);
    s.rom.canReadId = 0;
    EXPECT_EQ(ReadIdClick(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), "Отсутствует идентификационный код");

    s.rom.canReadId = 1;
    prog.refuseFromPacket = 0;
    EXPECT_NE(ReadIdClick(s), 0);
    EXPECT_EQ(packetsOf(7).size(), 2) << "the remaining reads are skipped";
    EXPECT_TRUE(ts.fe.boxes.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

TEST_F(ServiceTest, IdentificationKeepsConfigurationValues) {
    chip(52, 6);
    s.rom.fuseBytes[1] = 0x12;
    prog.bulk = {bytesOf({0x1E}), bytesOf({0x90}), bytesOf({0x07})};
    EXPECT_EQ(ReadIdClick(s), 0);
    EXPECT_EQ(s.rom.fuseBytes[1], 0x12);
}

class RamTest : public ServiceTest {
  protected:
    void SetUp() override {
        chip(0, 3);
        s.rom.canTestRam = 1;
    }
};

TEST_F(RamTest, OneByteWindowSendsOneClippedCommand) {
    s.buf.addrStart = 0x100;
    s.buf.addrEnd = 0x100;
    EXPECT_EQ(TestRAMClick(s), 0);
    const auto cmds = packetsOf(8);
    ASSERT_EQ(cmds.size(), 1);
    EXPECT_EQ(start(cmds[0]), 0x100);
    EXPECT_EQ(end(cmds[0]), 0x100);
    EXPECT_EQ(ts.fe.lastStatus(), "Тест ОЗУ выполнен успешно");
    EXPECT_EQ(ts.fe.progress.back(), 65535);
}

TEST_F(RamTest, WindowOf4096SendsTwoCommands) {
    s.buf.addrStart = 0;
    s.buf.addrEnd = 4095;
    EXPECT_EQ(TestRAMClick(s), 0);
    const auto cmds = packetsOf(8);
    ASSERT_EQ(cmds.size(), 2);
    EXPECT_EQ(start(cmds[1]), 2048);
    EXPECT_EQ(end(cmds[1]), 4095);
    EXPECT_EQ(ts.fe.progressCaptions.value(0), "Выполняется \"Тестирование ОЗУ\"");
    for (size_t i = 1; i < ts.fe.progress.size(); ++i)
        EXPECT_GE(ts.fe.progress[i], ts.fe.progress[i - 1]);
}

TEST_F(RamTest, FailureCancelAndRefusal) {
    s.buf.addrEnd = 8191;
    prog.replyStatus = 0x00;
    EXPECT_EQ(TestRAMClick(s), 8);
    EXPECT_EQ(packetsOf(8).size(), 1) << "stops at the first failed block";
    EXPECT_EQ(ts.fe.lastStatus(), "Тест ОЗУ не прошел");

    prog.replyStatus = 0x55;
    port->packets.clear();
    ts.fe.progress.clear();
    ts.fe.cancelAfterSteps = 3; // the bar's start, then blocks 1 and 2
    const int before = ts.fe.statuses.size();
    EXPECT_EQ(TestRAMClick(s), 9);
    EXPECT_EQ(packetsOf(8).size(), 2) << "the block in hand completes";
    EXPECT_EQ(ts.fe.statuses.mid(before).join('|'), "") << "no message after Cancel";

    ts.fe.cancelAfterSteps = -1;
    prog.ackPackets = false;
    EXPECT_EQ(TestRAMClick(s), 1);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");

    s.rom.canTestRam = 0;
    s.settings.english = 1;
    EXPECT_EQ(TestRAMClick(s), kRefused);
    EXPECT_EQ(ts.fe.lastStatus(), "The mode \"test RAM\" is not supported");
}

TEST_F(ServiceTest, BadBlockScanListsEveryBlock) {
    chip(62, 2, 0);
    s.rom.optC = 3;
    s.rom.romLen = 3 * 0x21000;
    QByteArray good(2049, char(0xFF));
    QByteArray bad = good;
    bad[2048] = 0;
    prog.bulk = {good, bad, good};
    int badCount = 0;
    EXPECT_EQ(Badblock1Click(s, &badCount), 0);
    EXPECT_EQ(badCount, 1);
    EXPECT_TRUE(ts.fe.statuses.contains("0000000 Clear block 255"));
    EXPECT_TRUE(ts.fe.statuses.contains("0000001 ======   Bad block 0"));
    EXPECT_EQ(ts.fe.lastStatus(), "Проверка bad block закончена");
    EXPECT_EQ(start(packetsOf(1).value(1)) >> 8, 64) << "first page of block 1";
}

TEST_F(ServiceTest, BadBlockScanOfSmallPageFlashReadsTheSpareArea) {
    chip(61, 2, 0);
    s.rom.optC = 1;
    s.rom.romLen = 2 * 0x4200;
    QByteArray page(2112, char(0xFF));
    QByteArray bad = page;
    bad[517] = 0;
    prog.bulk = {bad, page};
    int badCount = 0;
    EXPECT_EQ(Badblock1Click(s, &badCount), 0);
    EXPECT_EQ(badCount, 1);
    EXPECT_TRUE(ts.fe.statuses.contains("0000000 ======   Bad block 0"));
}

TEST_F(ServiceTest, BadBlockScanStopsOnAReadFailure) {
    chip(62, 2, 0);
    s.rom.romLen = 3 * 0x21000;
    prog.refuseFromPacket = 0;
    EXPECT_NE(Badblock1Click(s), 0);
    EXPECT_EQ(packetsOf(1).size(), 2);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");

    port->packets.clear();
    chip(62, 2, 1);
    EXPECT_EQ(Badblock1Click(s), kRefused) << "no markers without a spare area";
    chip(16, 2);
    EXPECT_EQ(Badblock1Click(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(ServiceTest, FirmwareVersionLine) {
    EXPECT_EQ(firmwareGeneration(0x20), "Версия 5.");
    EXPECT_EQ(firmwareGeneration(0x22), "Версия 4.");
    BaseRow row;
    row.baseName = "27C256";
    s.base.rows.push_back(row);
    s.settings.romIdx = 1;
    s.rom.sizeDiv = 2;
    prog.version = 0x31;
    EXPECT_EQ(showFirmwareVersion(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Версия 5.31 Тип м.с 27C256 2");
    prog.ackPackets = false;
    EXPECT_NE(showFirmwareVersion(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

class FirmwareTest : public ServiceTest {
  protected:
    void SetUp() override {
        chip(5, 0);
        s.rom.canErase = s.rom.canBlank = s.rom.canWrite = s.rom.canCompare = 1;
        s.buf.size = 0x8000;
        s.buf.addrStart = 0x100;
        s.buf.addrEnd = 0x1FFF;
    }
    ChipCommands recorder() {
        auto step = [this](const QString& name) {
            return [this, name](Session& ss) {
                ran << name;
                seen << QStringLiteral("%1:%2:%3")
                            .arg(ss.rom.algCode)
                            .arg(ss.buf.addrStart)
                            .arg(ss.buf.addrEnd, 0, 16);
                return result.value(name, 0);
            };
        };
        return {step("read"),    step("erase"),   step("blank"),
                step("program"), step("compare"), step("lock")};
    }
    QStringList ran, seen;
    QHash<QString, int> result;
};

TEST_F(FirmwareTest, UpdateRunsTheStepsAsAlgorithm63OverTheFirst32K) {
    EXPECT_EQ(updateFirmware(s, recorder()), 0);
    EXPECT_EQ(ran, QStringList({"erase", "blank", "program", "compare"}));
    EXPECT_EQ(seen.value(0), "63:0:7fff");
    EXPECT_EQ(packetsOf(13).size(), 2);
    EXPECT_EQ(s.rom.algCode, 5);
    EXPECT_EQ(s.buf.addrStart, 0x100);
    EXPECT_EQ(s.buf.addrEnd, 0x1FFF);
    EXPECT_EQ(ts.fe.statuses.first(), "Выполняется замена прошивки");
    EXPECT_EQ(ts.fe.lastStatus(), "Замена прошивки выполнена");
}

TEST_F(FirmwareTest, FailedStepIsNotFollowedBySuccess) {
    result["blank"] = 8;
    EXPECT_EQ(updateFirmware(s, recorder()), 8);
    EXPECT_EQ(ran, QStringList({"erase", "blank"}));
    EXPECT_EQ(packetsOf(13).size(), 2) << "the programmer is switched back";
    EXPECT_FALSE(ts.fe.statuses.contains("Замена прошивки выполнена"));
    EXPECT_EQ(s.rom.algCode, 5);
}

TEST_F(FirmwareTest, UpdateIsRefusedForAnEmptyShortOrUnsuitableImage) {
    s.buf.size = 0;
    EXPECT_EQ(updateFirmware(s, recorder()), 99);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка ! Буфер пуст.");
    s.buf.size = 0x7FFF;
    EXPECT_EQ(updateFirmware(s, recorder()), kRefused);
    s.buf.size = 0x8000;
    s.rom.dataWidth = 16;
    EXPECT_EQ(updateFirmware(s, recorder()), kRefused);
    s.rom.dataWidth = 8;
    s.rom.canBlank = 0;
    EXPECT_EQ(updateFirmware(s, recorder()), kRefused);
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(FirmwareTest, UpdateAtHighSpeedLowersItFirstAndKeepsItLowered) {
    s.settings.baudIdx = 2;
    EXPECT_EQ(updateFirmware(s, recorder()), 0);
    const QByteArray speed = packetsOf(4).value(0);
    ASSERT_FALSE(speed.isEmpty());
    EXPECT_EQ(quint8(speed[3]), 0);
    EXPECT_EQ(s.settings.baudIdx, 0);
    EXPECT_EQ(port->openedRates.value(0), 9600);
}

TEST_F(FirmwareTest, ProgramSwitchShowsTheCode) {
    EXPECT_EQ(switchProgram(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "0");
    prog.ackPackets = false;
    EXPECT_EQ(switchProgram(s), 1);
    EXPECT_EQ(ts.fe.lastStatus(), "1");
}

TEST_F(FirmwareTest, SelfTestStopsWhenTheReadFails) {
    result["read"] = 66;
    EXPECT_EQ(selfTest(s, recorder()), 66);
    EXPECT_EQ(ran, QStringList({"read"}));

    ran.clear();
    result.clear();
    s.rom.algCode = 9;
    result["blank"] = 8;
    EXPECT_EQ(selfTest(s, recorder()), 8);
    EXPECT_EQ(ran, QStringList({"read", "erase", "erase", "erase", "blank", "program", "compare"}));
}

} // namespace
