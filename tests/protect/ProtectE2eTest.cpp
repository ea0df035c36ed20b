// Protection, configuration and service commands over a real pseudo-terminal against the
// virtual programmer: what the commands report is what the virtual chip holds.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"
#include "ShippedTable.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueParser.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"
#include "protect/BootBlock.h"
#include "protect/ConfigCommands.h"
#include "protect/Fuses.h"
#include "protect/LockBits.h"
#include "protect/Pic18Config.h"
#include "protect/PicConfig.h"
#include "service/Firmware.h"
#include "service/RamTest.h"
#include "service/ReadId.h"

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

struct LiveSession {
    ScriptedFrontEnd fe;
    SystemClock clock;
    Session s{fe, clock};
};

class ProtectE2e : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        QString why;
        ASSERT_EQ(loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0)
            << why.toStdString();
        (void)loadCatalogue(s);
        s.run.startDir = QStringLiteral(ZELVOR_SOURCE_DIR "/data");
    }

    // Makes base type `name` the chip, starts the virtual programmer for it and opens the port.
    void begin(const QString& name, ProfileKeys extra = {}, std::vector<std::string> faults = {},
               int english = 0) {
        const int index = findBaseByName(s.base, name);
        ASSERT_GT(index, 0) << name.toStdString();
        s.settings.english = english;
        s.settings.romIdx = index;
        s.settings.byMaker = 0;
        restoreChip(s);
        Inc_data(s);
        setupConfigPanels(s);
        const RomParams& p = s.rom;
        ProfileKeys keys{{"alg", std::to_string(p.algCode)},
                         {"class", std::to_string(p.devClass)},
                         {"width", std::to_string(p.dataWidth)},
                         {"variant", std::to_string(p.variant)},
                         {"size", std::to_string(p.romLen)}};
        if (p.algCode == 61) keys.push_back({"page", std::to_string(264 << p.optC)});
        keys.insert(keys.end(), extra.begin(), extra.end());
        startEmulator(keys, faults);
        s.portOverride = QString::fromStdString(slavePath());
        allocLinkBuffers(s);
        ASSERT_EQ(Open_com(s, 0), 0);
        InitMem(s);
    }

    QString status() { return live.fe.lastStatus(); }

    LiveSession live;
    Session& s = live.s;
};

TEST_F(ProtectE2e, SerialAvrFusesLockAndIdentification) {
    ASSERT_NO_FATAL_FAILURE(begin("ATtiny13", {{"id", "1E 90 07"}}));
    s.rom.fuseBytes[1] = 0x6A;
    s.rom.fuseBytes[2] = 0xFB;
    FuseSetN(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(status(), "Биты конфигурации установлены");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(1), 0x6A);
    EXPECT_EQ(chip().fuse(2), 0xFB);

    s.rom.fuseBytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.rom.fuseBytes[1], 0x6A);
    EXPECT_EQ(s.rom.fuseBytes[2], 0xFB);
    EXPECT_EQ(status(), "Биты конфигурации считаны");

    int found = 0;
    QString text;
    EXPECT_EQ(ReadIdClick(s, &found, &text), 0);
    EXPECT_EQ(text, "1E 90 07 ");
    ASSERT_GT(found, 0);
    EXPECT_TRUE(s.cat.at(found).name.startsWith("ATtiny13"));
    EXPECT_EQ(s.rom.fuseBytes[1], 0x6A) << "identification keeps the values read";

    EXPECT_EQ(SetBitClick(s), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_GT(chip().lockLevel(), 0);
}

TEST_F(ProtectE2e, ParallelAvrWritesEveryByteAndTheToolbarLockOnlyTheLockByte) {
    ASSERT_NO_FATAL_FAILURE(begin("ATmega8HV", {}, {}, 1));
    s.cfg.fuseCount = 2;
    s.rom.fuseBytes = {0xFF, 0xE1, 0xD9, 0xFF, 0xFF};
    FuseSetN(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(status(), "Fuse bits is set ");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(1), 0xE1);
    EXPECT_EQ(chip().fuse(2), 0xD9);

    EXPECT_EQ(SetBitClick(s), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(0), 0xF9);
    EXPECT_EQ(chip().fuse(2), 0xD9) << "the high fuse is left alone";

    s.rom.fuseBytes = {0, 0, 0, 0, 0};
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.rom.fuseBytes[0], 0xF9);
    EXPECT_EQ(s.rom.fuseBytes[1], 0xE1);
    EXPECT_EQ(s.rom.fuseBytes[2], 0xD9);
    EXPECT_EQ(status(), "The device is read out in the buffer ");
}

TEST_F(ProtectE2e, McsFuseChipAndLockMenu) {
    ASSERT_NO_FATAL_FAILURE(begin("AT89S51"));
    s.cfg.fuseCount = 1;
    s.rom.fuseBytes[1] = 0xF5;
    FuseSetN(s);
    EXPECT_EQ(SetcfgwF(s), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(1), 0xF5);
    EXPECT_EQ(lockBitsMenu(s, 2), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(0), 0xE0);
}

TEST_F(ProtectE2e, MidRangePicConfigurationRoundTrip) {
    ASSERT_NO_FATAL_FAILURE(begin("PIC16F83"));
    ASSERT_TRUE(s.cfg.picLayoutFound);
    s.cfg.cfgWord = 0x3FF2;
    PicBitShow16(s);
    s.cfg.userId = "1A2B";
    EXPECT_EQ(SetcfgwF(s), 0);
    EXPECT_EQ(status(), "Микросхема запрограммирована");
    const quint16 written = s.cfg.cfgWord;
    s.cfg.cfgWord = 0x3FFF;
    s.cfg.userId = "FFFF";
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.cfg.cfgWord, written);
    EXPECT_EQ(s.cfg.userId, "1A2B");
    EXPECT_TRUE(live.fe.boxes.isEmpty()) << live.fe.boxes.join('|').toStdString();
}

TEST_F(ProtectE2e, Pic18ConfigurationRoundTrip) {
    ASSERT_NO_FATAL_FAILURE(begin("PIC18F242", {{"size", "0"}}));
    s.cfg.pic18.fosc = 5;
    s.cfg.pic18.checked[8] = 0x03;
    EXPECT_EQ(SetcfgwF(s), 0);
    const auto written = s.cfg.pic18Cfg;
    Pic18CfgI(s);
    EXPECT_EQ(ReadcfgwF(s), 0);
    EXPECT_EQ(s.cfg.pic18Cfg, written);
    EXPECT_EQ(s.cfg.pic18.fosc, 5);
}

TEST_F(ProtectE2e, McsLockAndX2) {
    ASSERT_NO_FATAL_FAILURE(begin("P89C58X2"));
    EXPECT_EQ(SetBitClick(s), 0);
    EXPECT_EQ(live.fe.statuses.count("Бит защиты/X2 установлен"), 5);
    EXPECT_EQ(setX2Click(s), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_GT(chip().lockLevel(), 0);
}

TEST_F(ProtectE2e, DataWrittenLock) {
    ASSERT_NO_FATAL_FAILURE(begin("W78E516"));
    EXPECT_EQ(lockBitsMenu(s, 2), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().peek(1, 0xFFFF), 0xFC);
}

TEST_F(ProtectE2e, BootBlockLockoutAndSdp) {
    ASSERT_NO_FATAL_FAILURE(begin("49F001"));
    EXPECT_EQ(Read_bblClick(s), 0);
    EXPECT_EQ(status(), "Установлены \"boot block lockout\":=00=00");
    EXPECT_EQ(Setup_BBL(s, true), 0);
    EXPECT_EQ(status(), "Установлен \"boot block lockout\"");
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(chip().bootBlockLocked(true));
    EXPECT_EQ(Read_bblClick(s), 0);
    EXPECT_EQ(status(), "Установлены \"boot block lockout\":=00=01");
    s.rom.hasSdp = 1;
    EXPECT_EQ(Mode_SDPClick(s), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(chip().sdpEnabled());
}

TEST_F(ProtectE2e, RamTestPassesAndFails) {
    ASSERT_NO_FATAL_FAILURE(begin("6116", {{"fail", "0x600"}}));
    s.buf.addrEnd = 0x3FF;
    EXPECT_EQ(TestRAMClick(s), 0);
    EXPECT_EQ(status(), "Тест ОЗУ выполнен успешно");
    s.buf.addrEnd = s.rom.romLen - 1;
    EXPECT_EQ(TestRAMClick(s), 8);
    EXPECT_EQ(status(), "Тест ОЗУ не прошел");
}

TEST_F(ProtectE2e, BadBlocksOfLargeAndSmallPageNand) {
    ASSERT_NO_FATAL_FAILURE(begin("K9F1G08", {{"bad-blocks", "1"}}));
    s.rom.romLen = 3 * 0x21000; // the first three blocks are enough
    int bad = 0;
    EXPECT_EQ(Badblock1Click(s, &bad), 0);
    EXPECT_EQ(bad, 1);
    EXPECT_TRUE(live.fe.statuses.contains("0000001 ======   Bad block 0"));
    EXPECT_TRUE(live.fe.statuses.contains("0000002 Clear block 255"));
}

TEST_F(ProtectE2e, BadBlocksOfSmallPageNand) {
    ASSERT_NO_FATAL_FAILURE(begin("K9F5608", {{"bad-blocks", "0,2"}}));
    s.rom.romLen = 4 * 0x4200;
    int bad = 0;
    EXPECT_EQ(Badblock1Click(s, &bad), 0);
    EXPECT_EQ(bad, 2);
    EXPECT_TRUE(live.fe.statuses.contains("0000001 Clear block 255"));
}

TEST_F(ProtectE2e, FirmwareVersion) {
    ASSERT_NO_FATAL_FAILURE(begin("27256", {{"version", "20"}}));
    EXPECT_EQ(showFirmwareVersion(s), 0);
    EXPECT_TRUE(status().startsWith("Версия 5.20 Тип м.с 27256")) << status().toStdString();
}

// Faults: each family ends with its failure message and never with success.
struct FaultCase {
    const char* chip;
    const char* fault;
    const char* command;
};

class ProtectFaultE2e : public ProtectE2e, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ProtectFaultE2e, FailureIsReported) {
    const FaultCase& f = GetParam();
    ASSERT_NO_FATAL_FAILURE(begin(f.chip, {{"id", "1E 90 07"}}, {f.fault}));
    const QString cmd = f.command;
    int rc = 0;
    if (cmd == "fuse-write") {
        rc = SetcfgwF(s);
    } else if (cmd == "fuse-read") {
        rc = ReadcfgwF(s);
    } else if (cmd == "lock") {
        rc = SetBitClick(s);
    } else if (cmd == "id") {
        rc = ReadIdClick(s);
    } else if (cmd == "ramtest") {
        s.buf.addrEnd = 0xFFF;
        rc = TestRAMClick(s);
    } else if (cmd == "bbl") {
        rc = Read_bblClick(s);
    } else if (cmd == "version") {
        rc = showFirmwareVersion(s);
    } else if (cmd == "pic-read") {
        rc = ReadcfgwF(s);
    } else if (cmd == "pic-write") {
        rc = SetcfgwF(s);
    }
    EXPECT_NE(rc, 0);
    EXPECT_EQ(status(), "Ошибка обмена данными");
}

INSTANTIATE_TEST_SUITE_P(Faults, ProtectFaultE2e,
                         ::testing::Values(FaultCase{"ATtiny13", "nak:op=3", "fuse-write"},
                                           FaultCase{"ATtiny13", "corrupt:op=7", "fuse-read"},
                                           FaultCase{"ATtiny13", "drop:op=7", "id"},
                                           FaultCase{"ATtiny13", "nak:op=3", "lock"},
                                           FaultCase{"6116", "corrupt:op=8", "ramtest"},
                                           FaultCase{"49F001", "nak:op=11", "bbl"},
                                           FaultCase{"27256", "nak:op=12", "version"},
                                           FaultCase{"PIC16F83", "corrupt:op=1", "pic-read"},
                                           FaultCase{"PIC16F83", "nak:at=piece", "pic-write"}));

} // namespace
} // namespace zelvor::test

namespace zelvor::test {
namespace {

// Every algorithm of the shipped table: each protection, configuration and service
// command the chip has succeeds against the virtual programmer.
class ProtectAllE2e : public ProtectE2e, public ::testing::WithParamInterface<int> {};

TEST_P(ProtectAllE2e, CommandsTheChipHas) {
    const QString name = s.base.at(GetParam()).key().trimmed();
    ASSERT_NO_FATAL_FAILURE(begin(name, {{"size", "0"}}, {}, GetParam() % 2));
    const RomParams& p = s.rom;
    SCOPED_TRACE("algorithm " + std::to_string(p.algCode) + " " + name.toStdString());
    auto ok = [this](int rc, const char* what) {
        EXPECT_EQ(rc, 0) << what << ": " << live.fe.lastStatus().toStdString();
    };
    if (p.canReadId == 1) ok(ReadIdClick(s), "identification");
    if (configKind(p) != ConfigKind::None &&
        (configKind(p) != ConfigKind::PicMid || s.cfg.picLayoutFound)) {
        ok(ReadcfgwF(s), "configuration read");
        ok(SetcfgwF(s), "configuration write");
    }
    if (p.canLock == 1 && p.algCode == 32) {
        // Lock bit 3 writes 0xFE again over 0xFC: a one-way cell keeps 0xFC, so the third
        // step of the toolbar sequence reports a programming error. Bits 1 and 2 pass.
        ok(lockBitsMenu(s, 2), "lock bits 1, 2");
        EXPECT_NE(SetBitClick(s), 0);
    } else if (p.canLock == 1) {
        ok(SetBitClick(s), "lock bits");
    }
    if (hasX2Mode(p) && p.canLock == 1) ok(setX2Click(s), "x2");
    if (p.hasBblRead == 1) ok(Read_bblClick(s), "lockout check");
    if (p.hasBblSet == 1) ok(Setup_BBL(s, false), "lockout");
    if (p.hasSdp == 1) ok(Mode_SDPClick(s), "SDP");
    if (p.canTestRam == 1) {
        s.buf.addrEnd = std::min(s.rom.romLen, 4096) - 1;
        ok(TestRAMClick(s), "RAM test");
    }
    if (badBlockSize(p) > 0) {
        s.rom.romLen = 2 * badBlockSize(p);
        ok(Badblock1Click(s), "bad blocks");
    }
    ok(showFirmwareVersion(s), "version");
    EXPECT_TRUE(live.fe.boxes.filter("Mask").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ShippedTable, ProtectAllE2e, ::testing::ValuesIn(oneRowPerAlgorithm()),
                         [](const auto& info) { return "row" + std::to_string(info.param); });

} // namespace
} // namespace zelvor::test
