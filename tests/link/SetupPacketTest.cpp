// The set-up packet: byte layout per device class and algorithm, the reused bytes, the
// Vpp choice that cannot be sent, and the sender's retries.

#include "link/SetupPacket.h"
#include "LinkFixture.h"

#include <QStringList>

using namespace zelvor;
using namespace zelvor::test;

namespace {

QString hex(const SetupPacket& p) {
    QStringList parts;
    for (quint8 b : p)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(u' ');
}

RomParams chip(int devClass, int alg) {
    RomParams r;
    r.devClass = quint8(devClass);
    r.algCode = quint8(alg);
    return r;
}

OpState block(int opCode, qint32 start, qint32 end, int area = 0) {
    OpState o;
    o.opCode = quint8(opCode);
    o.opStart = start;
    o.opEnd = end;
    o.area = area;
    return o;
}

// Builds a packet and checks the parts every packet shares: the start byte and the sum.
SetupPacket build(const RomParams& r, const OpState& o, int baud = 0, SetupPacket prev = {}) {
    const SetupPacket p = buildSetupPacket(r, o, baud, prev);
    EXPECT_EQ(p[0], 0x07);
    quint8 sum = 0;
    for (int i = 1; i <= 8; ++i)
        sum = quint8(sum + p[size_t(i)]);
    EXPECT_EQ(p[9], sum);
    return p;
}

RomParams eprom() {
    RomParams r = chip(0, 3);
    r.vppSel = 1;
    r.vccSel = 1;
    r.pulseAlg = 2;
    return r;
}

// A chip of the forced-option algorithms as the chip selection leaves it.
RomParams pageFlash(int alg, int optC = 0, int variant = 0) {
    RomParams r = chip(2, alg);
    r.vppSel = 3;
    r.pulseAlg = 3;
    r.vccSel = 0;
    r.optC = optC;
    r.variant = variant;
    return r;
}

} // namespace

TEST(SetupPacket, EpromReadAndProgramBlocks) {
    EXPECT_EQ(hex(build(eprom(), block(1, 0, 0x7FF))), "07 11 83 00 00 00 00 07 FF 9A");
    EXPECT_EQ(hex(build(eprom(), block(2, 0, 0x7FF))), "07 92 83 00 00 00 00 07 FF 1B");
    // Upper address bits travel in B3 and B6; a 3 V part sets 0x40 in the mode byte.
    RomParams low = eprom();
    low.lowVcc = 1;
    EXPECT_EQ(hex(build(low, block(1, 0x012345, 0x034567))), "07 51 83 01 23 45 03 45 67 EC");
}

TEST(SetupPacket, VppChoiceThreeIsSentAsZeroByParallelChips) {
    RomParams r = eprom();
    r.vppSel = 3;
    EXPECT_EQ(build(r, block(1, 0, 0xFF))[1], 0x01);
    EXPECT_EQ(packetVppSel(r), 0);
    RomParams serial = chip(4, 21);
    serial.vppSel = 3;
    EXPECT_EQ(packetVppSel(serial), 3);
}

TEST(SetupPacket, ClassesSevenToNineAreBuiltAsParallelChips) {
    SetupPacket stale;
    stale.fill(0xEE);
    for (int cls : {7, 8, 9}) {
        RomParams r = eprom();
        r.devClass = quint8(cls);
        EXPECT_EQ(hex(build(r, block(2, 0, 0x7FF), 0, stale)), "07 92 83 00 00 00 00 07 FF 1B")
            << "class " << cls;
    }
}

TEST(SetupPacket, SpeedChangeCarriesTheCodeInB3) {
    EXPECT_EQ(build(eprom(), block(4, 0x050000, 0x05FFFF), 2)[3], 0x02);
    EXPECT_EQ(build(pageFlash(57), block(4, 1000, 1263), 8)[3], 0x08);
    EXPECT_EQ(build(pageFlash(61), block(4, 264 * 300, 264 * 300 + 2111), 1)[3], 0x01);
    const SetupPacket serial = build(chip(4, 21), block(4, 0x10000, 0x1FFFF), 4);
    EXPECT_EQ(serial[3], 0x04);
    EXPECT_EQ(serial[6], 0x04); // serial parts copy B3 into B6
}

TEST(SetupPacket, PageFlashAddressing) {
    // 264-byte pages: byte 1000 is page 3, byte 208; the page goes one bit up.
    EXPECT_EQ(hex(build(pageFlash(57), block(1, 1000, 1263))), "07 01 F9 00 06 D0 02 01 08 DB");
    // 528-byte pages, program: the count is the number of 132-byte pieces.
    const SetupPacket p528 = build(pageFlash(57, 1), block(2, 528 * 5 + 300, 528 * 5 + 300 + 263));
    EXPECT_EQ(p528[3], 0x00);
    EXPECT_EQ(p528[4], 0x14 | 0x01); // page 5 << 2, with bit 8 of byte 300
    EXPECT_EQ(p528[5], 0x2C);
    EXPECT_EQ(p528[6], 0x04);
    EXPECT_EQ(p528[7] << 8 | p528[8], 2);

    // Algorithm 61: a 2112-byte read is announced as 16 pieces of 132.
    EXPECT_EQ(hex(build(pageFlash(61), block(1, 0, 2111))), "07 01 FD 00 00 00 00 0F 84 91");
    // Far pages: page 70000 needs a third byte (B6); the count comes from the low 16 bits
    // of both addresses even where the block crosses a 64 KiB line.
    const qint32 far = 264 * 70000;
    const SetupPacket p61 = build(pageFlash(61), block(1, far, far + 2111));
    EXPECT_EQ(p61[3], 0x11);
    EXPECT_EQ(p61[4], 0x70);
    EXPECT_EQ(p61[5], 0x00);
    EXPECT_EQ(p61[6], 0x01);
    EXPECT_EQ(p61[7] << 8 | p61[8], 0x0F84);
    // Variant 1 counts 528-byte pages in the top nibble; blank check is encoded the same.
    const SetupPacket v1 = build(pageFlash(61, 0, 1), block(6, 0, 2111));
    EXPECT_EQ(v1[7] << 8 | v1[8], 0x4384);
    // Program: pieces of 132, the last one partial.
    const SetupPacket w = build(pageFlash(61), block(2, 0, 199));
    EXPECT_EQ(w[7] << 8 | w[8], 2);
}

TEST(SetupPacket, OtherPagedAlgorithms) {
    // 60 (and 62 variant 0): page number, column, B6 0, read count in bytes.
    const qint32 start60 = 264 * 0x1234 + 7;
    const SetupPacket p60 = build(pageFlash(60), block(1, start60, start60 + 2111));
    EXPECT_EQ(p60[3], 0x12);
    EXPECT_EQ(p60[4], 0x34);
    EXPECT_EQ(p60[5], 0x07);
    EXPECT_EQ(p60[6], 0x00);
    EXPECT_EQ(p60[7] << 8 | p60[8], 2112);
    EXPECT_EQ(build(pageFlash(62), block(2, 0, 2111))[8], 16);

    // 62 variant 1: 2048-byte pages, pieces of 128.
    const SetupPacket p62 = build(pageFlash(62, 0, 1), block(2, 2048 * 3, 2048 * 4 - 1));
    EXPECT_EQ(hex(p62), "07 02 FE 00 03 00 00 00 10 13");
    EXPECT_EQ(build(pageFlash(62, 0, 1), block(1, 0, 2047))[7], 0x08);

    // 46 with optC 1: 512-byte pages, fixed B6, counts in units of 512 (read) or 128.
    const SetupPacket r46 = build(pageFlash(46, 1), block(1, 512 * 5, 512 * 9 - 1));
    EXPECT_EQ(r46[3], 0x00);
    EXPECT_EQ(r46[4], 0x05);
    EXPECT_EQ(r46[5], 0x00);
    EXPECT_EQ(r46[6], 0x84);
    EXPECT_EQ(r46[7] << 8 | r46[8], 4);
    EXPECT_EQ(build(pageFlash(46, 1), block(2, 0, 2047))[8], 16);
    // 46 with optC 0 addresses plainly.
    EXPECT_EQ(build(pageFlash(46, 0), block(1, 0x0123, 0x01FF))[5], 0x23);
}

TEST(SetupPacket, SerialEepromLayout) {
    RomParams r = chip(4, 22);
    r.vppSel = 2;
    r.pulseAlg = 2;
    r.vccSel = 5; // bit 2 -> mode bit 7, bits 0-1 -> algorithm bits 6-7
    r.lowVcc = 1;
    EXPECT_EQ(hex(build(r, block(1, 0x10000, 0x1FFFF))), "07 F1 56 27 00 00 27 FF FF 93");
    RomParams m = chip(4, 23);
    m.variant = 1;
    EXPECT_EQ(build(m, block(1, 0, 0x7F, 1))[3], 0x02);
    EXPECT_EQ(build(m, block(1, 0, 0x7F, 0))[3], 0x00);
}

TEST(SetupPacket, PicLayout) {
    RomParams r = chip(5, 27);
    r.adapter = 26;
    r.variant = 1;
    r.pulseAlg = 1;
    r.vccSel = 1;
    const SetupPacket p = build(r, block(1, 0, 0x7FF, 2));
    EXPECT_EQ(p[1], 0x31);
    EXPECT_EQ(p[2], 0xDB);
    EXPECT_EQ(p[3], 0xD6);
    EXPECT_EQ(p[6], 0xD6);
    r.variant = 0;
    r.adapter = 0;
    r.vccSel = 0;
    EXPECT_EQ(build(r, block(1, 0, 0x7FF, 0))[3], 0x08);

    RomParams pic18 = chip(5, 43);
    EXPECT_EQ(build(pic18, block(1, 0x7F0000, 0x7F00FF, 1))[3], 0x3F);
    EXPECT_EQ(build(pic18, block(1, 0x300000, 0x3000FF, 1))[3], 0x31);
}

TEST(SetupPacket, AvrAlgorithm45ByOperationAndArea) {
    const RomParams r = chip(6, 45);
    struct Row {
        int op, area, b3;
    };
    const Row rows[] = {{7, 0, 0x88}, {3, 2, 0x40}, {3, 3, 0x20}, {3, 5, 0x42},
                        {3, 0, 0x41}, {1, 0, 0x02}, {1, 1, 0x83}, {1, 2, 0x04},
                        {1, 3, 0x14}, {2, 0, 0x18}, {2, 1, 0x99}};
    for (const Row& row : rows)
        EXPECT_EQ(build(r, block(row.op, 0, 0xFF, row.area))[3], row.b3)
            << "op " << row.op << " area " << row.area;
    RomParams v1 = r;
    v1.variant = 1;
    EXPECT_EQ(build(v1, block(2, 0, 0xFF, 1))[3], 0x91);

    // Combinations no rule covers repeat the previous packet's byte.
    SetupPacket prev{};
    prev[3] = 0x52;
    EXPECT_EQ(build(r, block(1, 0, 0xFF, 4), 0, prev)[3], 0x52);
    EXPECT_EQ(build(r, block(2, 0, 0xFF, 4), 0, prev)[3], 0x5A);
    EXPECT_EQ(build(r, block(6, 0, 0xFF, 0), 0, prev)[3], 0x52);

    OpState lock = block(3, 0, 0, 2);
    lock.lockByte = 0xC3;
    EXPECT_EQ(build(r, lock)[6], 0xC3);
}

TEST(SetupPacket, AvrCommandBytes) {
    RomParams r = chip(6, 52);
    OpState o = block(7, 0, 0);
    o.cmdArg = 0x58;
    EXPECT_EQ(build(r, o)[3], 0x58);
    o.opCode = 5;
    EXPECT_EQ(build(r, o)[3], 0xAC);
    EXPECT_EQ(build(r, o)[6], 0x80);
    o.opCode = 3;
    EXPECT_EQ(build(r, o)[6], 0x58);
    o.opCode = 1;
    o.area = 1;
    EXPECT_EQ(build(r, o)[3], 0xA0);
    EXPECT_EQ(build(r, o)[6], 0xA0);
    o.opCode = 2;
    o.area = 0;
    EXPECT_EQ(build(r, o)[3], 0x40);

    // Algorithm 41: variant 0 marks the algorithm byte with 0x40 and uses the fixed
    // commands; variant 1 takes cmdArg.
    RomParams a41 = chip(6, 41);
    o = block(7, 0, 0);
    o.cmdArg = 0x58;
    EXPECT_EQ(build(a41, o)[2], 0x69);
    EXPECT_EQ(build(a41, o)[3], 0x30);
    a41.variant = 1;
    EXPECT_EQ(build(a41, o)[2], 0xE9);
    EXPECT_EQ(build(a41, o)[3], 0x58);

    RomParams other = chip(6, 40);
    o.opCode = 3;
    EXPECT_EQ(build(other, o)[3], 0xAC);
    EXPECT_EQ(build(other, o)[6], 0xE0);
}

TEST(SetupPacket, Mcs51CommandBytes) {
    RomParams r = chip(1, 41);
    r.pulseAlg = 2;
    OpState o = block(7, 0x30, 0x30);
    o.cmdArg = 0x28;
    o.lockByte = 0x3F;
    EXPECT_EQ(build(r, o)[2], 0xA9);
    EXPECT_EQ(build(r, o)[3], 0x28);
    o.opCode = 3;
    EXPECT_EQ(build(r, o)[3], 0xAC);
    EXPECT_EQ(build(r, o)[6], 0x3F);
    o.opCode = 5;
    EXPECT_EQ(build(r, o)[6], 0x80);
    o = block(1, 0, 0x7F, 1);
    EXPECT_EQ(build(r, o)[3], 0xA0);
    EXPECT_EQ(build(r, o)[6], 0xA0);
    // The same number on another class is an ordinary parallel algorithm.
    RomParams flash = chip(2, 41);
    flash.pulseAlg = 1;
    EXPECT_EQ(build(flash, block(1, 0x020000, 0x02FFFF))[2], 0x69);
    EXPECT_EQ(build(flash, block(1, 0x020000, 0x02FFFF))[3], 0x02);
}

TEST(SetupPacket, ParallelFlagBits) {
    // 15 variant 0 with options A and C; B6 keeps its low nibble and takes B3's high one.
    RomParams a15 = chip(2, 15);
    a15.optA = 1;
    a15.optC = 1;
    const SetupPacket p15 = build(a15, block(1, 0x030000, 0x04FFFF));
    EXPECT_EQ(p15[3], 0xB3);
    EXPECT_EQ(p15[6], 0xB4);

    // 36/37: address bits 20-21 move to bits 6-7; the moved bits replace the old 6-7.
    RomParams a36 = chip(2, 36);
    EXPECT_EQ(build(a36, block(1, 0x250000, 0x25FFFF))[3], 0x95);
    RomParams a37 = chip(2, 37);
    a37.variant = 1;
    a37.optA = 1;
    a37.optB = 1;
    EXPECT_EQ(build(a37, block(1, 0x100000, 0x10FFFF))[3], 0x40);
    a37.optB = 0;
    EXPECT_EQ(build(a37, block(1, 0, 0xFFFF))[3], 0x00);

    // 10 variant 0: adapter 5 picks 0x20/0x10 by sub-type, others 0x40/0x80 by opt21;
    // a lock write adds the selector.
    RomParams a10 = chip(0, 10);
    a10.adapter = 5;
    a10.subType = 1;
    EXPECT_EQ(build(a10, block(1, 0, 0xFF))[3], 0x20);
    a10.subType = 0;
    EXPECT_EQ(build(a10, block(1, 0, 0xFF))[3], 0x10);
    a10.adapter = 3;
    a10.opt21 = 1;
    EXPECT_EQ(build(a10, block(1, 0, 0xFF))[3], 0x40);
    a10.opt21 = 0;
    OpState lock = block(3, 0, 0xFF);
    lock.lockSel = 0x0C;
    EXPECT_EQ(build(a10, lock)[3], 0x8C);
    EXPECT_EQ(build(a10, lock)[6], 0x80);

    // 44: B6 copies B3 whatever the class.
    RomParams a44 = chip(1, 44);
    a44.variant = 1;
    const SetupPacket p44 = build(a44, block(1, 0, 0xFF, 1));
    EXPECT_EQ(p44[3], 0xC0);
    EXPECT_EQ(p44[6], 0xC0);
    EXPECT_EQ(build(a44, block(1, 0, 0xFF, 0))[3], 0x80);

    RomParams a54 = chip(1, 54);
    EXPECT_EQ(build(a54, block(1, 0, 0x7FF, 1))[6], 0x01);
    RomParams a32 = chip(1, 32);
    const SetupPacket p32 = build(a32, block(1, 0, 0x01FFFF, 1));
    EXPECT_EQ(p32[3], 0x80);
    EXPECT_EQ(p32[6], 0x81);

    // 47: B6 keeps six bits and takes the two flag bits of B3.
    RomParams a47 = chip(2, 47);
    a47.optC = 1;
    const SetupPacket p47 = build(a47, block(1, 0x010000, 0x3FFFFF));
    EXPECT_EQ(p47[3], 0xC1);
    EXPECT_EQ(p47[6], 0xFF);
    a47.variant = 1;
    a47.optC = 0;
    EXPECT_EQ(build(a47, block(1, 0x010000, 0x3FFFFF))[6], 0x3F);

    RomParams a24 = chip(2, 24);
    const SetupPacket p24 = build(a24, block(1, 0x010000, 0x02FFFF));
    EXPECT_EQ(p24[3], 0x81);
    EXPECT_EQ(p24[6], 0x81);

    // 48: fixed algorithm byte, bit 6 for blocks above 16 MiB.
    RomParams a48 = chip(2, 48);
    a48.pulseAlg = 3;
    OpState high = block(1, 0x000000, 0x0007FF);
    EXPECT_EQ(build(a48, high)[2], 0x30);
    high.addrHigh = 1;
    EXPECT_EQ(build(a48, high)[2], 0x70);
}

class SetupPacketSend : public LinkFixture {
  protected:
    SetupPacketSend() {
        s.rom = eprom();
        s.op = block(1, 0, 0x7FF);
    }
};

TEST_F(SetupPacketSend, AcknowledgedPacketIsKeptForTheNextOne) {
    port->queue({0x55});
    EXPECT_EQ(Make_mode(s), 0);
    ASSERT_EQ(port->packets.size(), 1);
    EXPECT_EQ(port->packets[0].toHex(' ').toUpper(), QByteArray("07 11 83 00 00 00 00 07 FF 9A"));
    EXPECT_EQ(hex(s.link.packet), "07 11 83 00 00 00 00 07 FF 9A");

    // Algorithm 45 in area 4 repeats B3 of the packet sent before.
    s.rom = chip(6, 45);
    s.op = block(1, 0, 0xFF, 1);
    port->queue({0x55, 0x55});
    EXPECT_EQ(Make_mode(s), 0);
    s.op.area = 4;
    EXPECT_EQ(Make_mode(s), 0);
    EXPECT_EQ(quint8(port->packets[2][3]), 0x83);
}

TEST_F(SetupPacketSend, VppChoiceThreeBecomesZeroForGood) {
    s.rom.vppSel = 3;
    port->ackPackets = true;
    EXPECT_EQ(Make_mode(s), 0);
    EXPECT_EQ(s.rom.vppSel, 0);
    EXPECT_EQ(quint8(port->packets[0][1]), 0x01);
    s.rom.devClass = 4;
    s.rom.vppSel = 3;
    EXPECT_EQ(Make_mode(s), 0);
    EXPECT_EQ(s.rom.vppSel, 3);
}

TEST_F(SetupPacketSend, AnswerCodes) {
    port->queue({0x01});
    EXPECT_EQ(Make_mode(s), 1);
    EXPECT_EQ(Make_mode(s), 2); // nothing came
    port->failWrite = true;
    EXPECT_EQ(Make_mode(s), 3);
}

TEST_F(SetupPacketSend, SendModeRepeatsOnce) {
    port->queue({0x33, 0x55});
    EXPECT_EQ(Send_mode(s), 0);
    EXPECT_EQ(port->packets.size(), 2);
    EXPECT_EQ(port->packets[0], port->packets[1]);

    port->packets.clear();
    port->queue({0x01});
    const qint64 before = ts.clock.now;
    EXPECT_EQ(Send_mode(s), 2); // the second attempt's code
    EXPECT_EQ(port->packets.size(), 2);
    EXPECT_EQ(ts.clock.now - before, 502); // one answer byte waited for in vain

    port->packets.clear();
    port->failWrite = true;
    EXPECT_EQ(Send_mode(s), 3);
}

TEST_F(SetupPacketSend, DemoAndFailedPortSendNothing) {
    s.link.portFailed = 1;
    EXPECT_EQ(Send_mode(s), 1);
    EXPECT_TRUE(port->sent.isEmpty());
    EXPECT_EQ(ts.clock.now, 0);

    s.link.portFailed = 0;
    port->close();
    EXPECT_EQ(Send_mode(s), 1);
    EXPECT_TRUE(port->sent.isEmpty());

    s.link.demoMode = 1;
    EXPECT_EQ(Send_mode(s), 0);
    EXPECT_TRUE(port->sent.isEmpty());
    EXPECT_GT(ts.clock.now, 0);
    EXPECT_LT(ts.clock.now, 50);
}
