// Erase sector lists and their restriction to the address window.

#include "ops/SectorList.h"

#include <gtest/gtest.h>

namespace zelvor::ops {
namespace {

using List = std::vector<qint32>;

RomParams chip(int alg, int variant = 0, int optA = 0, int optC = 0, int lowVcc = 0,
               int width = 8) {
    RomParams p;
    p.algCode = quint8(alg);
    p.variant = variant;
    p.optA = optA;
    p.optC = optC;
    p.lowVcc = lowVcc;
    p.dataWidth = width;
    return p;
}

TEST(SectorList, ByAlgorithmAndSize) {
    EXPECT_EQ(sectorList(chip(33), 0x80000, 0).size(), 8u);
    EXPECT_EQ(sectorList(chip(33), 0x10000, 0), List{0});
    EXPECT_TRUE(sectorList(chip(33), 0xFFFF, 0).empty());
    EXPECT_EQ(sectorList(chip(17, 1), 0, 0), (List{0x1E000, 0x1C000, 0x1D000, 0}));
    EXPECT_EQ(sectorList(chip(17, 0), 0, 0), (List{0, 0x2000, 0x3000, 0x4000}));
    // Option A without low voltage: by size, doubled for a byte-wide part.
    EXPECT_EQ(sectorList(chip(17, 0, 1), 0x40000, 0), (List{0, 0x4000, 0x6000, 0x8000, 0x20000}));
    EXPECT_EQ(sectorList(chip(38, 1, 1, 0, 0, 16), 0x40000, 0),
              (List{0x3E000, 0x3C000, 0x3D000, 0x30000, 0x20000, 0x10000, 0}));
    EXPECT_TRUE(sectorList(chip(38, 0, 1, 0, 0, 16), 0x12345, 0).empty());
    // Low-voltage layouts.
    EXPECT_EQ(sectorList(chip(38, 0, 1, 0, 1, 16), 0x20000, 0).size(), 8u + 3u);
    EXPECT_EQ(sectorList(chip(38, 1, 1, 0, 1, 16), 0x10000, 0).size(), 2u + 7u);
    EXPECT_EQ(sectorList(chip(46, 0, 1, 1), 0x10000, 0).size(), 8u);
    EXPECT_EQ(sectorList(chip(46, 0, 0, 1), 0x10000, 0).size(), 16u);
    EXPECT_EQ(sectorList(chip(46), 0x10000, 0).size(), 32u);
    EXPECT_EQ(sectorList(chip(60, 0, 1), 16896 * 3, 0), (List{0, 16896, 33792}));
    EXPECT_EQ(sectorList(chip(61), 8448 * 2, 0), (List{0, 8448}));
    EXPECT_EQ(sectorList(chip(62, 0), 135168 * 2, 0), (List{0, 135168}));
    EXPECT_EQ(sectorList(chip(9), 0x8000, 0x123), List{0x123});
}

TEST(SectorList, Algorithm62SendsEverySectorTwice) {
    EXPECT_EQ(eraseCommands(chip(62, 1), 0x40000, 0, 0x3FFFF), (List{0, 0, 0x20000, 0x20000}));
}

TEST(SectorList, WindowRestriction) {
    EXPECT_EQ(eraseCommands(chip(53), 0x80000, 0x20000, 0x2FFFF), List{0x20000});
    EXPECT_EQ(eraseCommands(chip(53), 0x80000, 0x1FFFF, 0x20000), (List{0x10000, 0x20000}));
    // An unsorted boot-block list: only the sectors the window touches, in sending order.
    EXPECT_EQ(eraseCommands(chip(38, 1), 0, 0x1C000, 0x1CFFF), List{0x1C000});
    EXPECT_EQ(eraseCommands(chip(38, 1), 0, 0x0, 0x1BFFF), List{0});
    EXPECT_EQ(eraseCommands(chip(38, 1), 0, 0x1D800, 0x1E7FF), (List{0x1E000, 0x1D000}));
    // Algorithms without the restriction erase the whole list.
    EXPECT_EQ(eraseCommands(chip(33), 0x40000, 0x20000, 0x2FFFF).size(), 4u);
}

} // namespace
} // namespace zelvor::ops
