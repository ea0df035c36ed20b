// Boot-block lockout, SDP, automatic programming and the repeat.

#include "FakeProgrammer.h"
#include "protect/AutoProgram.h"
#include "protect/BootBlock.h"
#include "protect/ProtectCommon.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

class BootBlockTest : public ProgrammerFixture {
  protected:
    void SetUp() override {
        s.rom.algCode = 16;
        s.rom.devClass = 2;
        s.rom.romLen = 0x80000;
        s.rom.hasBblSet = s.rom.hasBblRead = s.rom.hasSdp = 1;
    }
};

TEST_F(BootBlockTest, UpperBlockSendsTheUnitCountAndFF0000) {
    EXPECT_EQ(Setup_BBL(s, true), 0);
    const QByteArray p = packetsOf(10).value(0);
    EXPECT_EQ(start(p) & 0x0FFFFF, 0x80000);
    EXPECT_EQ(quint8(p[7]) << 8 | quint8(p[8]), 0x0000);
    EXPECT_EQ(quint8(p[6]) & 0x0F, 0x0F) << "end bits 16-19 of 0xFF0000";
    EXPECT_EQ(ts.fe.lastStatus(), "Установлен \"boot block lockout\"");

    EXPECT_EQ(Setup_BBL(s, false), 0);
    EXPECT_EQ(start(packetsOf(10).value(1)) & 0x0FFFFF, 0);
}

TEST_F(BootBlockTest, WithoutTheCapabilityNothingIsSent) {
    s.rom.hasBblSet = s.rom.hasBblRead = s.rom.hasSdp = 0;
    EXPECT_EQ(Setup_BBL(s, true), kRefused);
    EXPECT_EQ(Read_bblClick(s), kRefused);
    EXPECT_EQ(ts.fe.lastStatus(), "Отсутствует режим \"boot block lockout\"");
    EXPECT_EQ(Mode_SDPClick(s), kRefused);
    EXPECT_EQ(ts.fe.lastStatus(), "Отсутствует режим SDP");
    s.settings.english = 1;
    EXPECT_EQ(Mode_SDPClick(s), kRefused);
    EXPECT_EQ(ts.fe.lastStatus(), "The \"Mode SDP Enable/Disable\" is not supported");
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(BootBlockTest, LockoutCheckShowsBothBytes) {
    prog.bulk = {bytesOf({0x00}), bytesOf({0xFF})};
    EXPECT_EQ(Read_bblClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Установлены \"boot block lockout\":=00=FF");
    EXPECT_EQ(packetsOf(11).size(), 2);
}

TEST_F(BootBlockTest, LockoutCheckMakesBothReadsAndReportsAFailure) {
    prog.refuseFromPacket = 0;
    EXPECT_NE(Read_bblClick(s), 0);
    EXPECT_EQ(packetsOf(11).size(), 4) << "both reads, each packet twice";
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

TEST_F(BootBlockTest, SdpUsesItsFixedStartAndKeepsTheEnd) {
    s.op.opEnd = 0x1234;
    EXPECT_EQ(Mode_SDPClick(s), 0);
    const QByteArray p = packetsOf(9).value(0);
    EXPECT_EQ(start(p) & 0xFFFF, 0x842);
    EXPECT_EQ(quint8(p[7]) << 8 | quint8(p[8]), 0x1234);
    EXPECT_EQ(ts.fe.lastStatus(), "Режим SDP снят");

    prog.ackPackets = false;
    EXPECT_NE(Mode_SDPClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), "Ошибка обмена данными");
}

// Automatic programming over recorded steps.
struct Steps {
    QStringList ran;
    std::map<QString, int> result;
    ChipCommands commands() {
        auto step = [this](const QString& name) {
            return [this, name](Session&) {
                ran << name;
                return result.count(name) ? result[name] : 0;
            };
        };
        return {step("read"),    step("erase"),   step("blank"),
                step("program"), step("compare"), step("lock")};
    }
};

class AutoProgramTest : public ::testing::Test {
  protected:
    void steps(int erase, int blank, int write, int compare, int lock) {
        auto& p = ts.s.settings;
        p.autoErase = erase;
        p.autoBlank = blank;
        p.autoWrite = write;
        p.autoCompare = compare;
        p.autoLock = lock;
    }
    TestSession ts;
    Steps rec;
};

TEST_F(AutoProgramTest, RunsTheChosenStepsInOrder) {
    steps(1, 1, 1, 1, 1);
    EXPECT_EQ(autoprgClick(ts.s, rec.commands()), 0);
    EXPECT_EQ(rec.ran, QStringList({"erase", "blank", "program", "compare", "lock"}));
    EXPECT_TRUE(ts.fe.statuses.isEmpty()) << "no message of its own";
}

TEST_F(AutoProgramTest, NoStepsSendsNothing) {
    steps(0, 0, 0, 0, 0);
    EXPECT_EQ(autoprgClick(ts.s, rec.commands()), 0);
    EXPECT_TRUE(rec.ran.isEmpty());
}

TEST_F(AutoProgramTest, AFailedStepEndsTheRun) {
    steps(1, 1, 1, 1, 1);
    rec.result["erase"] = 8;
    EXPECT_EQ(autoprgClick(ts.s, rec.commands()), 8);
    EXPECT_EQ(rec.ran, QStringList({"erase"}));

    rec.ran.clear();
    rec.result.clear();
    rec.result["compare"] = 9;
    EXPECT_EQ(autoprgClick(ts.s, rec.commands()), 9);
    EXPECT_EQ(rec.ran.last(), "compare") << "a cancelled compare skips the lock";
}

TEST_F(AutoProgramTest, RepeatProgramsTenTimesWhateverHappens) {
    rec.result["program"] = 5;
    EXPECT_EQ(CprogClick(ts.s, rec.commands()), 5);
    EXPECT_EQ(rec.ran.size(), 10);
    EXPECT_EQ(rec.ran.count("program"), 10);
    rec.result.clear();
    EXPECT_EQ(CprogClick(ts.s, rec.commands()), 0);
}

} // namespace
