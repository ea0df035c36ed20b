// Chip profile files and fault specifications: parsing, errors, determinism.

#include "ChipProfile.h"
#include "FaultPlan.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace zelvor::emu;

TEST(ChipProfile, ReadsKeysFromFile) {
    const std::string path = ::testing::TempDir() + "emu-profile.txt";
    {
        std::ofstream f(path);
        f << "# a 16-bit EPROM\nalg = 19\nwidth=16\nid=1F 51 FF  # codes\n\nversion=0x10\n"
             "bad-blocks=1,5\nramtest=fail\nfuses=FC E1\n";
    }
    ChipProfile p;
    std::string err;
    ASSERT_TRUE(p.loadFile(path, err)) << err;
    EXPECT_EQ(p.algCode, 19);
    EXPECT_EQ(p.dataWidth, 16);
    EXPECT_EQ(p.id, (std::vector<std::uint8_t>{0x1F, 0x51, 0xFF}));
    EXPECT_EQ(p.version, 0x10);
    EXPECT_EQ(p.badBlocks, (std::vector<std::uint32_t>{1, 5}));
    EXPECT_FALSE(p.ramTestOk);
    EXPECT_EQ(p.fuses[0], 0xFC);
    EXPECT_EQ(p.fuses[2], 0xFF);
    std::remove(path.c_str());
}

TEST(ChipProfile, BadInputNamesTheLine) {
    const std::string path = ::testing::TempDir() + "emu-profile-bad.txt";
    {
        std::ofstream f(path);
        f << "alg=19\nwidth=sixteen\n";
    }
    ChipProfile p;
    std::string err;
    EXPECT_FALSE(p.loadFile(path, err));
    EXPECT_NE(err.find(":2:"), std::string::npos) << err;
    EXPECT_FALSE(p.set("colour", "red", err));
    EXPECT_NE(err.find("unknown profile key"), std::string::npos);
    EXPECT_FALSE(p.set("alg", "64", err));
    EXPECT_FALSE(p.set("id", "GG", err));
    EXPECT_FALSE(p.loadFile("/nonexistent/profile", err));
    std::remove(path.c_str());
}

TEST(FaultPlan, ParsesSpecsAndRejectsGarbage) {
    FaultPlan plan;
    std::string err;
    EXPECT_TRUE(plan.add("drop:op=1:bytes=3:at=bulk", err)) << err;
    EXPECT_TRUE(plan.add("silence:ms=900:count=1", err)) << err;
    EXPECT_FALSE(plan.add("explode", err));
    EXPECT_FALSE(plan.add("nak:op=14", err));
    EXPECT_FALSE(plan.add("nak:at=somewhere", err));
    EXPECT_FALSE(plan.add("nak:colour=1", err));
}

TEST(FaultPlan, AfterCountAndOperationFilter) {
    FaultPlan plan;
    std::string err;
    ASSERT_TRUE(plan.add("nak:op=2:after=1:count=2", err));
    EXPECT_EQ(plan.strike(FaultKind::Nak, FaultAt::Setup, 1), nullptr); // other operation
    EXPECT_EQ(plan.strike(FaultKind::Nak, FaultAt::Setup, 2), nullptr); // let pass
    EXPECT_NE(plan.strike(FaultKind::Nak, FaultAt::Setup, 2), nullptr);
    EXPECT_NE(plan.strike(FaultKind::Nak, FaultAt::Setup, 2), nullptr);
    EXPECT_EQ(plan.strike(FaultKind::Nak, FaultAt::Setup, 2), nullptr); // count used up
    EXPECT_EQ(plan.strike(FaultKind::Drop, FaultAt::Bulk, 2), nullptr);
}

TEST(FaultPlan, PlaceFilter) {
    FaultPlan plan;
    std::string err;
    ASSERT_TRUE(plan.add("corrupt:at=reply", err));
    EXPECT_EQ(plan.strike(FaultKind::Corrupt, FaultAt::Bulk, 1), nullptr);
    EXPECT_NE(plan.strike(FaultKind::Corrupt, FaultAt::Reply, 1), nullptr);
}

TEST(FaultPlan, SameSeedSameFaults) {
    auto run = [](std::uint32_t seed) {
        FaultPlan plan(seed);
        std::string err;
        EXPECT_TRUE(plan.add("drop:prob=50", err));
        std::string pattern;
        for (int i = 0; i < 64; ++i) {
            pattern += plan.strike(FaultKind::Drop, FaultAt::Bulk, 1) ? '1' : '0';
            pattern += static_cast<char>('a' + plan.random(26));
        }
        return pattern;
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
    const std::string p = run(7);
    EXPECT_NE(p.find('1'), std::string::npos);
    EXPECT_NE(p.find('0'), std::string::npos);
}
