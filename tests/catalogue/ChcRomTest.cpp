#include "ops/ChipChange.h"
#include "ChipFixtures.h"

#include "catalogue/ChipDisplay.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

// A session with an EPROM (1), an AVR (2), a Flash of algorithm 16 (3) and one of 25 (4),
// the AVR current with its data area selected, linked to a fake programmer.
struct ChcRomFixture : ::testing::Test {
    ChipSession c{{{.cls = 0, .alg = 3, .size = 64, .vpp = 1, .pulse = 2, .vcc = 1},
                   {.cls = 6,
                    .alg = 26,
                    .size = 8,
                    .width = 16,
                    .adapter = 13,
                    .name = QStringLiteral("ATmega8"),
                    .sigA = QStringLiteral("93"),
                    .sigB = QStringLiteral("07")},
                   {.cls = 2,
                    .alg = 16,
                    .size = 128,
                    .vpp = 1,
                    .pulse = 1,
                    .vcc = 1,
                    .name = QStringLiteral("28F010")},
                   {.cls = 2,
                    .alg = 25,
                    .size = 128,
                    .vpp = 1,
                    .pulse = 0,
                    .vcc = 0,
                    .name = QStringLiteral("29F010")}}};
    FakeProgrammer* prog = nullptr;

    void SetUp() override {
        c.addEntry(QStringLiteral("AT90S8515"), 2, '0');
        auto t = std::make_unique<FakeProgrammer>();
        prog = t.get();
        c.s.transport = std::move(t);
        allocLinkBuffers(c.s);
        ASSERT_EQ(Open_com(c.s, 0), 0);
        c.s.link.portFailed = 0;

        c.s.settings.romIdx = 2;
        c.s.settings.byMaker = 1;
        c.s.settings.catIdx = 1;
        restoreChip(c.s);
        c.s.op.area = 1;
        c.s.buf.checkSum = 0x1234;
        c.s.buf.addrStart = 0;
        c.s.buf.addrEnd = 511;
        c.s.settings.autoData = 1;
    }
};

} // namespace

TEST_F(ChcRomFixture, SilentProgrammerKeepsThePreviousChipWhole) {
    prog->answer.clear();
    const RomParams before = c.s.rom;
    const QString label = chipLabel(c.s);
    EXPECT_EQ(label, QStringLiteral("AT90S8515   /DATA"));

    EXPECT_EQ(ChcRom(c.s, 1), 2);
    EXPECT_EQ(prog->written.size(), 2u); // the packet went out twice
    EXPECT_EQ(c.s.settings.romIdx, 2);
    EXPECT_EQ(c.s.settings.byMaker, 1);
    EXPECT_EQ(c.s.settings.catIdx, 1);
    EXPECT_EQ(c.s.rom.algCode, before.algCode);
    EXPECT_EQ(c.s.rom.romLen, before.romLen);
    EXPECT_EQ(c.s.rom.romName, before.romName);
    EXPECT_EQ(c.s.op.area, 1);
    EXPECT_EQ(c.s.buf.checkSum, 0x1234);
    EXPECT_EQ(c.s.buf.addrEnd, 511);
    EXPECT_EQ(c.s.settings.autoData, 1);
    EXPECT_EQ(chipLabel(c.s), label);
    EXPECT_EQ(c.fe.lastStatus(), QStringLiteral("Error of link with the programmer"));
    EXPECT_EQ(prog->opens, 2); // the port was reopened
    EXPECT_FALSE(c.s.run.msgLog.join(u'|').contains(QStringLiteral("Device:")));
}

TEST_F(ChcRomFixture, FailedPortChangesNothingAndSendsNothing) {
    c.s.link.portFailed = 1;
    prog->openOk = false;
    EXPECT_EQ(ChcRom(c.s, 1), 1);
    EXPECT_TRUE(prog->written.empty());
    EXPECT_EQ(c.s.settings.romIdx, 2);
    EXPECT_EQ(c.s.op.area, 1);
    EXPECT_EQ(c.s.buf.checkSum, 0x1234);
    EXPECT_EQ(c.s.link.portFailed, 1);
}

TEST_F(ChcRomFixture, UnknownBaseTypeIsRefusedWithoutTraffic) {
    EXPECT_EQ(ChcRom(c.s, 0), kChipUnknown);
    EXPECT_EQ(ChcRom(c.s, 5), kChipUnknown);
    EXPECT_TRUE(prog->written.empty());
    EXPECT_EQ(c.s.settings.romIdx, 2);
}

TEST_F(ChcRomFixture, AcknowledgedChangeMakesTheNewChipCurrent) {
    c.s.rom.fuseBytes = {0x11, 0x22, 0x33, 0x44, 0x55};
    c.s.run.msgLog.clear();
    EXPECT_EQ(ChcRom(c.s, 1), 0);

    // The announcement carries the new algorithm with the old chip's class layout.
    ASSERT_EQ(prog->written.size(), 1u);
    const std::vector<quint8>& pkt = prog->written.front();
    ASSERT_EQ(pkt.size(), 10u);
    EXPECT_EQ(pkt[0], 0x07);
    EXPECT_EQ(pkt[1] & 0x0F, 0);    // opCode 0
    EXPECT_EQ(pkt[2] & 0x3F, 3);    // the new algorithm
    EXPECT_EQ(pkt[2] & 0xC0, 0xC0); // still the AVR's B2 high bits

    const RomParams& p = c.s.rom;
    EXPECT_EQ(c.s.settings.romIdx, 1);
    EXPECT_EQ(c.s.settings.byMaker, 0);
    EXPECT_EQ(p.romName, QStringLiteral("27C512      "));
    EXPECT_EQ(p.devClass, 0);
    EXPECT_EQ(p.romLen, 65536);
    EXPECT_EQ(p.vppSel, 1);
    EXPECT_EQ(p.pulseAlg, 2);
    EXPECT_EQ(c.s.op.area, 0);
    EXPECT_EQ(c.s.buf.checkSum, 0);
    EXPECT_EQ(c.s.buf.addrStart, 0);
    EXPECT_EQ(c.s.buf.addrEnd, 65535);
    EXPECT_EQ(p.fuseBytes, (std::array<quint8, 5>{0xFF, 0xFF, 0xFF, 0xFF, 0x55}));
    EXPECT_EQ(c.s.settings.autoData, 0);
    EXPECT_EQ(c.s.settings.autoWrite, 1);
    EXPECT_GE(c.fe.refreshes, 1);
    ASSERT_FALSE(c.s.run.msgLog.isEmpty());
    EXPECT_TRUE(c.s.run.msgLog.back().startsWith(QStringLiteral("Device:27C512      ")));
}

TEST_F(ChcRomFixture, CatalogueChoiceIsCommittedOnlyOnSuccess) {
    EXPECT_EQ(ChcRom(c.s, 1), 0);
    EXPECT_EQ(c.s.settings.byMaker, 0);
    EXPECT_EQ(ChcRom(c.s, 2, ChipChoice{1, 1}), 0);
    EXPECT_EQ(c.s.settings.byMaker, 1);
    EXPECT_EQ(c.s.settings.catIdx, 1);
    EXPECT_EQ(c.s.rom.romName, QStringLiteral("AT90S8515   "));
    EXPECT_EQ(chipLabel(c.s), QStringLiteral("AT90S8515   /CODE"));
}

TEST_F(ChcRomFixture, OptionsOfTheChipBeforeDoNotReachTheNextPacket) {
    ASSERT_EQ(ChcRom(c.s, 3), 0);
    EXPECT_EQ(c.s.rom.optA, 1);
    EXPECT_EQ(c.s.rom.optB, 1);
    ASSERT_EQ(ChcRom(c.s, 4), 0);
    EXPECT_EQ(c.s.rom.optA, 0);
    EXPECT_EQ(c.s.rom.optB, 0);
    EXPECT_EQ(c.s.rom.optC, 0);

    // Reached the other way round (start-up from the settings) the result is the same.
    const RomParams viaChcRom = c.s.rom;
    c.s.rom.optA = c.s.rom.optB = c.s.rom.optC = 1;
    restoreChip(c.s);
    EXPECT_EQ(c.s.rom.optA, viaChcRom.optA);
    EXPECT_EQ(c.s.rom.romLen, viaChcRom.romLen);
    EXPECT_EQ(c.s.rom.vppSel, viaChcRom.vppSel);
}

TEST_F(ChcRomFixture, AreaListSwitchesTheExtraAreasOffForASecondArea) {
    c.s.settings.autoData = 1;
    c.s.settings.autoCfgw = 1;
    areaListChange(c.s, 0);
    EXPECT_EQ(c.s.op.area, 0);
    EXPECT_EQ(c.s.settings.autoData, 1);
    EXPECT_EQ(c.s.buf.addrEnd, c.s.rom.romLen - 1);
    EXPECT_EQ(c.s.rom.romLen, 4096);
    areaListChange(c.s, 1);
    EXPECT_EQ(c.s.op.area, 1);
    EXPECT_EQ(c.s.settings.autoData, 0);
    EXPECT_EQ(c.s.settings.autoCfgw, 0);
    EXPECT_EQ(c.s.rom.dataWidth, 8); // the AVR's data EEPROM is byte-wide
}
