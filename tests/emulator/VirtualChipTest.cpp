// Physics of the virtual chip: one-way bits, erasing, stuck cells, locks, NAND markers.

#include "VirtualChip.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace zelvor::emu;

TEST(VirtualChip, FreshMemoryIsErased) {
    VirtualChip chip{ChipProfile{}};
    EXPECT_EQ(chip.peek(0, 0), 0xFF);
    EXPECT_EQ(chip.read(0, 0x123456), 0xFF);
    chip.setWordWidth(0, 14);
    EXPECT_EQ(chip.erasedValue(0, 0), 0x3F); // high byte of a 14-bit word
    EXPECT_EQ(chip.erasedValue(0, 1), 0xFF);
    EXPECT_EQ(chip.read(0, 2), 0x3F);
}

TEST(VirtualChip, FlashBitsOnlyFall) {
    VirtualChip chip{ChipProfile{}};
    std::uint8_t found = 0;
    EXPECT_TRUE(chip.program(0, 10, 0xA5, Physics::OneWay, found));
    EXPECT_TRUE(chip.program(0, 10, 0x25, Physics::OneWay, found)); // 1 -> 0 only
    EXPECT_FALSE(chip.program(0, 10, 0xFF, Physics::OneWay, found));
    EXPECT_EQ(found, 0x25);
    EXPECT_FALSE(chip.program(0, 10, 0x5A, Physics::OneWay, found));
    EXPECT_EQ(found, 0x00); // the AND of both
    ASSERT_TRUE(chip.erase(0, 0, 4095, Physics::OneWay));
    EXPECT_EQ(chip.peek(0, 10), 0xFF);
    EXPECT_TRUE(chip.program(0, 10, 0x5A, Physics::OneWay, found));
}

TEST(VirtualChip, UvEpromRefusesElectricalErase) {
    VirtualChip chip{ChipProfile{}};
    std::uint8_t found = 0;
    ASSERT_TRUE(chip.program(0, 0, 0x00, Physics::UvEprom, found));
    EXPECT_FALSE(chip.erase(0, 0, 100, Physics::UvEprom));
    EXPECT_FALSE(chip.eraseAll(Physics::UvEprom));
    EXPECT_EQ(chip.peek(0, 0), 0x00);
}

TEST(VirtualChip, EepromAndRamTakeAnyValue) {
    VirtualChip chip{ChipProfile{}};
    std::uint8_t found = 0;
    EXPECT_TRUE(chip.program(1, 5, 0x00, Physics::AnyValue, found));
    EXPECT_TRUE(chip.program(1, 5, 0xFF, Physics::AnyValue, found));
    EXPECT_EQ(chip.peek(1, 5), 0xFF);
}

TEST(VirtualChip, StuckCellsFailAndReadStuck) {
    ChipProfile profile;
    std::string err;
    ASSERT_TRUE(profile.set("fail", "0x20:0F, 0x30", err)) << err;
    VirtualChip chip{profile};
    std::uint8_t found = 0;
    EXPECT_EQ(chip.read(0, 0x20), 0x0F);
    EXPECT_FALSE(chip.program(0, 0x20, 0x55, Physics::AnyValue, found));
    EXPECT_EQ(found, 0x0F);
    EXPECT_TRUE(chip.program(0, 0x20, 0x0F, Physics::AnyValue, found));
    EXPECT_EQ(chip.read(0, 0x30), 0x00);
}

TEST(VirtualChip, LockedChipRefusesProgrammingAndHidesCode) {
    VirtualChip chip{ChipProfile{}};
    std::uint8_t found = 0;
    ASSERT_TRUE(chip.program(0, 0, 0x12, Physics::OneWay, found));
    chip.setLockLevel(1);
    EXPECT_FALSE(chip.program(0, 1, 0x00, Physics::OneWay, found));
    EXPECT_EQ(chip.read(0, 0), 0x12); // level 1 still verifies
    chip.setLockLevel(2);
    EXPECT_EQ(chip.read(0, 0), 0xFF);
    chip.setLockedRead(VirtualChip::LockedRead::AllZeros);
    EXPECT_EQ(chip.read(0, 0), 0x00);
    EXPECT_EQ(chip.peek(0, 0), 0x12);
    ASSERT_TRUE(chip.eraseAll(Physics::OneWay)); // erasing clears the lock
    EXPECT_EQ(chip.lockLevel(), 0);
    EXPECT_TRUE(chip.program(0, 1, 0x00, Physics::OneWay, found));
}

TEST(VirtualChip, NandBadBlocksCarryMarkersAndRefuseErase) {
    ChipProfile profile;
    std::string err;
    ASSERT_TRUE(profile.set("bad-blocks", "2", err));
    VirtualChip chip{profile};
    const std::uint32_t block = 0x21000;
    chip.markBadBlocks(block, 2112, 2048);
    EXPECT_EQ(chip.peek(0, 2 * block + 2048), 0x00);
    EXPECT_EQ(chip.peek(0, 1 * block + 2048), 0xFF);
    EXPECT_TRUE(chip.isBadByte(2 * block + 5));
    EXPECT_FALSE(chip.erase(0, 2 * block, 3 * block - 1, Physics::OneWay));
    EXPECT_TRUE(chip.erase(0, 1 * block, 2 * block - 1, Physics::OneWay));
    // Small pages: spare byte 0 and byte 5.
    VirtualChip small{profile};
    small.markBadBlocks(16896, 528, 512);
    EXPECT_EQ(small.peek(0, 2 * 16896 + 512), 0x00);
    EXPECT_EQ(small.peek(0, 2 * 16896 + 517), 0x00);
}

TEST(VirtualChip, BootBlockLockoutProtectsItsBlock) {
    VirtualChip chip{ChipProfile{}};
    chip.setSizeBytes(0x40000);
    chip.lockBootBlock(false);
    std::uint8_t found = 0;
    EXPECT_FALSE(chip.program(0, 0x100, 0x00, Physics::OneWay, found));
    EXPECT_TRUE(chip.program(0, 0x4000, 0x00, Physics::OneWay, found));
    EXPECT_FALSE(chip.erase(0, 0, 0x3FFF, Physics::OneWay));
    chip.lockBootBlock(true);
    EXPECT_FALSE(chip.program(0, 0x3FFFF, 0x00, Physics::OneWay, found));
    ASSERT_TRUE(chip.program(0, 0x100, 0xFF, Physics::OneWay, found)); // already FF
    chip.poke(0, 0x100, 0x42);
    ASSERT_TRUE(chip.eraseAll(Physics::OneWay)); // the locked block keeps its data
    EXPECT_EQ(chip.peek(0, 0x100), 0x42);
    EXPECT_EQ(chip.peek(0, 0x4000), 0xFF);
}

TEST(VirtualChip, ImageLoadsAtOffset) {
    const std::string path = ::testing::TempDir() + "emu-image.bin";
    {
        std::ofstream f(path, std::ios::binary);
        f << "\x01\x02\x03";
    }
    ChipProfile profile;
    profile.image = path;
    profile.imageOffset = 0x1000;
    VirtualChip chip{profile};
    std::string err;
    ASSERT_TRUE(chip.loadImage(err)) << err;
    EXPECT_EQ(chip.peek(0, 0x1000), 1);
    EXPECT_EQ(chip.peek(0, 0x1002), 3);
    EXPECT_EQ(chip.peek(0, 0x1003), 0xFF);
    std::remove(path.c_str());
    VirtualChip missing{profile};
    EXPECT_FALSE(missing.loadImage(err));
    EXPECT_NE(err.find("cannot open"), std::string::npos);
}

TEST(VirtualChip, RangeReadMatchesSingleReads) {
    ChipProfile profile;
    std::string err;
    ASSERT_TRUE(profile.set("fail", "0x1001:7E", err));
    VirtualChip chip{profile};
    for (std::uint32_t i = 0; i < 300; ++i)
        chip.poke(0, 4000 + i * 3, static_cast<std::uint8_t>(i));
    auto check = [&](int area) {
        const auto range = chip.readRange(area, 3900, 1200);
        for (std::uint32_t i = 0; i < range.size(); ++i)
            ASSERT_EQ(range[i], chip.read(area, 3900 + i)) << "area " << area << " at " << 3900 + i;
    };
    check(0);
    check(1);
    EXPECT_EQ(chip.readRange(0, 0x1001, 1)[0], 0x7E);
    chip.setLockLevel(2);
    check(0);
    EXPECT_EQ(chip.readRange(0, 4003, 1)[0], 0xFF);
}
