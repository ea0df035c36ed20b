// Lock bits and the x2 mode against a scripted programmer: what each step sends and how
// its result is reported.

#include "protect/LockBits.h"
#include "FakeProgrammer.h"
#include "protect/ProtectCommon.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

class LockBitsTest : public ProgrammerFixture {
  protected:
    void chip(int alg, int devClass, int variant = 0) {
        s.rom.algCode = quint8(alg);
        s.rom.devClass = quint8(devClass);
        s.rom.variant = variant;
        s.rom.canLock = 1;
        s.buf.addrStart = 0;
        s.buf.addrEnd = 0x0FFF;
    }
    static int addr16(const QByteArray& p) { return quint8(p[4]) << 8 | quint8(p[5]); }
};

TEST_F(LockBitsTest, ChipWithoutLockBitsNeverReachesTheProgrammer) {
    chip(44, 1, 1);
    s.rom.canLock = 0;
    EXPECT_EQ(SetBitClick(s), kRefused);
    EXPECT_EQ(lockBitsMenu(s, 3), kRefused);
    EXPECT_EQ(setX2Click(s), kRefused);
    EXPECT_TRUE(port->packets.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Отсутствует бит секретности"));
    s.settings.english = 1;
    (void)Set_Bit(s, kLockBit1);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The mode \"lock bit\" is not supported"));
}

TEST_F(LockBitsTest, Algorithm44ToolbarRunsFiveAddressCodedSteps) {
    chip(44, 1, 1);
    EXPECT_EQ(SetBitClick(s), 0);
    const auto locks = packetsOf(3);
    ASSERT_EQ(locks.size(), 5);
    const int want[] = {0x3000, 0x4000, 0x5000, 0x4000, 0x5000};
    const int sel[] = {1, 2, 4, 2, 4};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(addr16(locks[i]), want[i]) << i;
        EXPECT_EQ(quint8(locks[i][3]) & 0x0F, sel[i]) << "selector travels in B3";
    }
    EXPECT_EQ(ts.fe.statuses.count(QStringLiteral("Бит защиты/X2 установлен")), 5);
}

TEST_F(LockBitsTest, X2ModeByVariant) {
    chip(44, 1, 1);
    EXPECT_EQ(setX2Click(s), 0);
    EXPECT_EQ(addr16(packetsOf(3).last()), 0x2000);

    port->packets.clear();
    chip(44, 1, 0);
    s.buf.addrStart = 0x10;
    s.buf.addrEnd = 0x7FF;
    EXPECT_EQ(setX2Click(s), 0);
    const QByteArray p = packetsOf(3).last();
    EXPECT_EQ(addr16(p), 0x10);
    EXPECT_EQ(quint8(p[7]) << 8 | quint8(p[8]), 0x7FF) << "x2 on variant 0 sends the window";
}

TEST_F(LockBitsTest, Algorithm32WritesTheLockByteAsDataInTheSecondArea) {
    chip(32, 1, 0);
    s.op.area = 0;
    EXPECT_EQ(lockBitsMenu(s, 3), 0);
    ASSERT_EQ(prog.pieces.size(), 3);
    EXPECT_EQ(prog.pieces[0], bytesOf({0xFE}));
    EXPECT_EQ(prog.pieces[1], bytesOf({0xFC}));
    EXPECT_EQ(prog.pieces[2], bytesOf({0xFE})) << "lock bit 3 repeats the byte of bit 1";
    for (const QByteArray& p : packetsOf(2)) {
        EXPECT_EQ(addr16(p), 0xFFFF);
        EXPECT_TRUE(quint8(p[3]) & 0x80) << "area 1";
    }
    EXPECT_EQ(s.op.area, 0) << "area restored";
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Бит защиты/X2 установлен"));

    prog.pieces.clear();
    EXPECT_EQ(setX2Click(s), 0);
    EXPECT_EQ(prog.pieces.value(0), bytesOf({0xDF}));
}

TEST_F(LockBitsTest, Algorithm59WritesF8AtAddressZero) {
    chip(59, 1);
    EXPECT_EQ(lockBitsMenu(s, 1), 0);
    EXPECT_EQ(prog.pieces.value(0), bytesOf({0xF8}));
    EXPECT_EQ(addr16(packetsOf(2).value(0)), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Бит защиты установлен"));
}

TEST_F(LockBitsTest, ParallelAvrLockGoesToTheLockArea) {
    chip(45, 6, 0);
    s.op.area = 0;
    EXPECT_EQ(SetBitClick(s), 0);
    const auto locks = packetsOf(3);
    ASSERT_EQ(locks.size(), 3);
    for (const QByteArray& p : locks) {
        EXPECT_EQ(quint8(p[3]), 0x20) << "area 3 addresses the lock byte, not the high fuse";
        EXPECT_EQ(quint8(p[6]), 0xF9);
    }
    EXPECT_EQ(s.op.area, 0);
}

TEST_F(LockBitsTest, SerialAvrLockSendsTheFixedCommand) {
    chip(52, 6);
    EXPECT_EQ(lockBitsMenu(s, 1), 0);
    const QByteArray p = packetsOf(3).value(0);
    EXPECT_EQ(quint8(p[3]), 0xAC);
    EXPECT_EQ(quint8(p[4]), 0xC0);
    EXPECT_EQ(quint8(p[5]), 0x00);
    EXPECT_EQ(quint8(p[6]), 0xE0);
}

TEST_F(LockBitsTest, McsFuseChipsCarryTheChosenBitsInTheLockValue) {
    chip(28, 1);
    s.op.lockByte = 0x5A; // whatever an earlier write left
    EXPECT_EQ(lockBitsMenu(s, 2), 0);
    const auto locks = packetsOf(3);
    ASSERT_EQ(locks.size(), 2);
    EXPECT_EQ(quint8(locks[0][5]), 0xE2) << "bit 1 programmed";
    EXPECT_EQ(quint8(locks[1][5]), 0xE0) << "bits 1 and 2 programmed";

    port->packets.clear();
    chip(10, 1);
    s.rom.subType = 3;
    s.rom.fuseBytes[0] = 0xF7;
    EXPECT_EQ(lockBitsMenu(s, 1), 0);
    EXPECT_EQ(quint8(packetsOf(3).value(0)[5]), 0xF6);
}

TEST_F(LockBitsTest, LinkFailureReopensThePortAndEndsTheSequence) {
    chip(40, 1);
    prog.refuseFromPacket = 1;
    EXPECT_NE(SetBitClick(s), 0);
    EXPECT_EQ(packetsOf(3).size(), 3) << "step 1, then step 2 sent twice; step 3 never";
    EXPECT_EQ(ts.fe.statuses.count(QStringLiteral("Ошибка обмена данными")), 1);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Ошибка обмена данными"));
    EXPECT_FALSE(port->openedDevices.isEmpty()) << "the port was reopened";

    s.settings.english = 1;
    (void)Set_Bit(s, kLockBit1);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error of link with the programmer"));
}

TEST_F(LockBitsTest, RefusedReplyIsAProgrammingError) {
    chip(40, 1);
    prog.replyStatus = 0x00;
    const int before = port->openedDevices.size();
    EXPECT_EQ(Set_Bit(s, kLockBit1), LockResult::NotProgrammed);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Ошибка программирования"));
    EXPECT_EQ(port->openedDevices.size(), before) << "the port stays open";
    EXPECT_NE(lockBitsMenu(s, 1), 0);
}

TEST_F(LockBitsTest, EnglishSuccessTextIsTheSameForLockAndX2) {
    s.settings.english = 1;
    chip(54, 1);
    EXPECT_EQ(setX2Click(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Lock bits it is established  "));
    chip(40, 1);
    EXPECT_EQ(lockBitsMenu(s, 1), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Lock bits it is established  "));
}

} // namespace
