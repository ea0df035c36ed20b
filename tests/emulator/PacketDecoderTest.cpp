// The emulator's own decoding of set-up packets, on known packets of each family.

#include "PacketDecoder.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace zelvor::emu;

namespace {

SetupPacket packet(std::initializer_list<int> b1to8) {
    SetupPacket p;
    p.b[0] = 0x07;
    int i = 1;
    for (int v : b1to8)
        p.b[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(v);
    p.b[9] = p.expectedChecksum();
    return p;
}

Operation decode(const SetupPacket& p, ChipProfile profile = {}) {
    PacketDecoder d(profile);
    return d.decode(p);
}

} // namespace

TEST(PacketDecoder, EpromReadExampleChecksAndDecodes) {
    SetupPacket p;
    p.b = {0x07, 0x11, 0x83, 0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0x9A};
    ASSERT_TRUE(p.checksumOk());
    const Operation op = decode(p);
    EXPECT_EQ(op.opCode, 1);
    EXPECT_EQ(op.algCode, 3);
    EXPECT_EQ(op.devClass, 0);
    EXPECT_EQ(op.raw.b[1] >> 4 & 3, 1); // vppSel 1
    EXPECT_EQ(op.raw.b[2] >> 6, 2);     // pulseAlg 2
    EXPECT_EQ(op.start, 0u);
    EXPECT_EQ(op.end, 0x7FFu);
    EXPECT_EQ(op.units, 2048u);
    EXPECT_EQ(op.bytesPerUnit, 1);
}

TEST(PacketDecoder, ProgramVariantCarriesVccBitAndOwnChecksum) {
    SetupPacket p;
    p.b = {0x07, 0x92, 0x83, 0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0x1B};
    ASSERT_TRUE(p.checksumOk());
    const Operation op = decode(p);
    EXPECT_EQ(op.opCode, 2);
    EXPECT_EQ(op.byteCount(), 2048u);
}

TEST(PacketDecoder, BadChecksumAndLeadAreRejected) {
    SetupPacket p;
    p.b = {0x07, 0x11, 0x83, 0x00, 0x00, 0x00, 0x00, 0x07, 0xFF, 0x9B};
    EXPECT_FALSE(p.checksumOk());
    p.b[9] = 0x9A;
    p.b[0] = 0x08;
    EXPECT_FALSE(p.checksumOk());
}

TEST(PacketDecoder, DataFlashPageAndByteAddress) {
    // Algorithm 57, 264-byte pages (optC 0): opStart 1000 is page 3, byte 208; W = 6.
    const Operation op = decode(packet({0x01, 0xC0 | 57, 0x00, 0x06, 0xD0, 0x02, 0x08, 0x40}));
    EXPECT_TRUE(op.pageAddressed);
    EXPECT_EQ(op.start, 1000u);
    EXPECT_EQ(op.units, 0x0840u);
    // 528-byte pages (optC 1, B6 = 4): page 5 byte 300 -> W = 5 << 2 = 20, R = 0x12C.
    const Operation op2 =
        decode(packet({0x01, 0xC0 | 57, 0x00, 20 | 0x01, 0x2C, 0x04, 0x00, 0x10}));
    EXPECT_EQ(op2.start, 5u * 528 + 300);
}

TEST(PacketDecoder, NandCountWordOfAlgorithm61) {
    // Read of 2112 bytes, variant 0: L = 0x0F84 -> 16 pieces of 132.
    const Operation op = decode(packet({0x01, 61, 0x00, 0x08, 0x00, 0x01, 0x0F, 0x84}));
    EXPECT_EQ(op.units, 2112u);
    EXPECT_EQ(op.start, (0x10008u) * 528); // page bits 16-23 come from B6
    // Variant 1: ((2112 div 528) << 12) | 0x384.
    const Operation v1 = decode(packet({0x01, 61, 0x00, 0x00, 0x00, 0x00, 0x43, 0x84}));
    EXPECT_EQ(v1.units, 2112u);
    // Program: L is the number of 132-byte pieces.
    const Operation prog = decode(packet({0x02, 61, 0x00, 0x04, 0x00, 0x00, 0x00, 0x10}));
    EXPECT_EQ(prog.pieces, 16);
}

TEST(PacketDecoder, LargePageNandUsesProfilePageSize) {
    const Operation op = decode(packet({0x01, 62, 0x00, 0x01, 0x00, 0x00, 0x08, 0x40}));
    EXPECT_EQ(op.start, 2112u);
    ChipProfile wide;
    wide.variant = 1;
    const Operation v1 = decode(packet({0x01, 62, 0x00, 0x01, 0x00, 0x00, 0x08, 0x00}), wide);
    EXPECT_EQ(v1.start, 2048u);
}

TEST(PacketDecoder, SmallPageFlashOf46InPages) {
    const Operation op = decode(packet({0x01, 46, 0x00, 0x03, 0x00, 0x84, 0x00, 0x04}));
    EXPECT_EQ(op.start, 3u * 512);
    EXPECT_EQ(op.units, 2048u);
    const Operation prog = decode(packet({0x02, 46, 0x00, 0x03, 0x00, 0x84, 0x00, 0x10}));
    EXPECT_EQ(prog.pieces, 16);
}

TEST(PacketDecoder, WordAlgorithmsCarryTwoBytesPerAddress) {
    const Operation op = decode(packet({0x01, 19, 0x00, 0x04, 0x00, 0x00, 0x07, 0xFF}));
    EXPECT_EQ(op.bytesPerUnit, 2);
    EXPECT_EQ(op.units, 1024u);
    EXPECT_EQ(op.byteCount(), 2048u);
    // ID reads of an always-wide algorithm stay two bytes per address.
    const Operation id = decode(packet({0x0B, 38, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01}));
    EXPECT_EQ(id.bytesPerUnit, 2);
    // Algorithm 23 only with a 16-bit profile.
    const SetupPacket mw = packet({0x31, 23, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3F});
    EXPECT_EQ(decode(mw).bytesPerUnit, 1);
    ChipProfile x16;
    x16.dataWidth = 16;
    EXPECT_EQ(decode(mw, x16).bytesPerUnit, 2);
}

TEST(PacketDecoder, PicAreaFromB3) {
    // Mid-range PIC, code area: 14-bit words.
    const Operation code = decode(packet({0x31, 0xC0 | 27, 0x00, 0x00, 0x00, 0x00, 0x03, 0xFF}));
    EXPECT_EQ(code.devClass, 5);
    EXPECT_EQ(code.area, 0);
    EXPECT_EQ(code.bytesPerUnit, 2);
    const Operation data = decode(packet({0x31, 0xC0 | 27, 0x01, 0x00, 0x00, 0x01, 0x00, 0x3F}));
    EXPECT_EQ(data.area, 1);
    EXPECT_EQ(data.bytesPerUnit, 1);
    // PIC18 configuration at 0x300000.
    const Operation cfg = decode(packet({0x31, 0xC0 | 43, 0x30, 0x00, 0x00, 0x30, 0x00, 0x13}));
    EXPECT_EQ(cfg.start, 0x300000u);
    EXPECT_EQ(cfg.units, 20u);
    EXPECT_EQ(cfg.area, 2);
}

TEST(PacketDecoder, AvrFuseCommand) {
    SetupPacket p;
    p.b = {0x07, 0x33, 0xF4, 0xAC, 0xE1, 0x00, 0xA0, 0xE1, 0x00, 0x35};
    ASSERT_TRUE(p.checksumOk());
    const Operation op = decode(p);
    EXPECT_EQ(op.devClass, 6);
    EXPECT_EQ(op.opCode, 3);
    EXPECT_EQ(op.algCode, 52);
    EXPECT_EQ(op.cmd, 0xA0);
    EXPECT_EQ(op.value, 0xE1);
    // Reading the data EEPROM (B3 0xA0) is byte-wide, the flash word-wide.
    EXPECT_EQ(decode(packet({0x31, 0xC0 | 52, 0xA0, 0x00, 0x00, 0xA0, 0x00, 0x3F})).bytesPerUnit,
              1);
    EXPECT_EQ(decode(packet({0x31, 0xC0 | 52, 0x20, 0x00, 0x00, 0x20, 0x03, 0xFF})).bytesPerUnit,
              2);
}

TEST(PacketDecoder, ParallelAvrAreasOf45) {
    EXPECT_EQ(decode(packet({0x31, 0xC0 | 45, 0x83, 0, 0, 0x83, 0, 0x3F})).area, 1);
    const Operation fuse = decode(packet({0x31, 0xC0 | 45, 0x04, 0, 0, 0x04, 0, 0}));
    EXPECT_EQ(fuse.area, 2);
    EXPECT_EQ(fuse.bytesPerUnit, 2);
    const Operation lock = decode(packet({0x33, 0xC0 | 45, 0x20, 0, 0, 0xF9, 0, 0}));
    EXPECT_EQ(lock.area, 3);
    EXPECT_EQ(lock.value, 0xF9);
}

TEST(PacketDecoder, SerialEepromAbove64K) {
    ChipProfile big;
    big.size = 0x20000;
    const SetupPacket p = packet({0x31, 0x40 | 21, 0x61, 0x08, 0x00, 0x61, 0x0F, 0xFF});
    const Operation op = decode(p, big);
    EXPECT_EQ(op.devClass, 4);
    EXPECT_EQ(op.start, 0x10800u);
    EXPECT_EQ(op.end, 0x10FFFu);
    // On a chip of 64 K or less bit 0 is the odd page code, not an address bit.
    const Operation small = decode(p);
    EXPECT_EQ(small.start, 0x0800u);
    EXPECT_EQ(small.end, 0x0FFFu);
}

TEST(PacketDecoder, FlagBitsAreNotAddressBits) {
    // Algorithm 16 with optA/optB flags in B3 and the nibble rule in B6.
    const Operation op = decode(packet({0x01, 16, 0xC1, 0x08, 0x00, 0xC1, 0x0F, 0xFF}));
    EXPECT_EQ(op.start, 0x10800u);
    EXPECT_EQ(op.end, 0x10FFFu);
    // Algorithm 36: address bits 20-21 travel in B3 bits 6-7.
    const Operation a36 =
        decode(packet({0x01, 36, 0x40 | 0x10 | 0x02, 0x00, 0x00, 0x52, 0x07, 0xFF}));
    EXPECT_EQ(a36.start, 0x120000u);
    EXPECT_EQ(a36.end, 0x1207FFu);
    // Algorithm 48 above 16 M: B2 bit 6.
    const Operation a48 = decode(packet({0x01, 0x40 | 48, 0x00, 0x10, 0x00, 0x00, 0x17, 0xFF}));
    EXPECT_EQ(a48.start, 0x1001000u);
    // Algorithm 47: bits 6-7 of B3 and B6 are flags.
    const Operation a47 =
        decode(packet({0x01, 47, 0x80 | 0x02, 0x00, 0x00, 0x80 | 0x02, 0x03, 0xFF}));
    EXPECT_EQ(a47.start, 0x20000u);
    EXPECT_EQ(a47.units, 1024u);
}

TEST(PacketDecoder, AreaAndLockBitsOfMcs51) {
    // Algorithm 32 area 1 (LDROM): B3 0x80.
    const Operation ld = decode(packet({0x02, 32, 0x80, 0xFF, 0xFF, 0x80, 0xFF, 0xFF}));
    EXPECT_EQ(ld.devClass, 1);
    EXPECT_EQ(ld.area, 1);
    EXPECT_EQ(ld.start, 0xFFFFu);
    // Algorithm 10, lock command with selector 2.
    const Operation lk = decode(packet({0x03, 10, 0x80 | 0x02, 0x00, 0x00, 0x80, 0x0F, 0xFF}));
    EXPECT_EQ(lk.lockSel, 2);
    // Class-1 serial algorithm 28: B3 is a command, no address bits.
    const Operation s28 = decode(packet({0x07, 0x80 | 28, 0x28, 0x00, 0x01, 0x28, 0x00, 0x01}));
    EXPECT_EQ(s28.devClass, 1);
    EXPECT_EQ(s28.cmd, 0x28);
    EXPECT_EQ(s28.start, 1u);
}

TEST(PacketDecoder, SpeedCodeAndEraseFlag) {
    const Operation sp = decode(packet({0x04, 61, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(sp.opCode, 4);
    EXPECT_EQ(sp.speedCode, 4);
    const Operation er = decode(packet({0x05, 5, 0x80, 0x00, 0x00, 0x01, 0xFF, 0xFF}));
    EXPECT_TRUE(er.eraseFlag);
    EXPECT_EQ(er.start, 0u);
}

TEST(PacketDecoder, LowVccBit) {
    EXPECT_TRUE(decode(packet({0x41, 33, 0, 0, 0, 0, 0x07, 0xFF})).lowVcc);
    EXPECT_FALSE(decode(packet({0x01, 33, 0, 0, 0, 0, 0x07, 0xFF})).lowVcc);
}
