// End to end over the real pseudo-terminal: a raw host (termios on the slave side) drives
// the emulator through every kind of exchange.

#include "EmulatorFixture.h"
#include "RawHost.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace zelvor;
using namespace zelvor::test;
using Bytes = std::vector<std::uint8_t>;

namespace {

class EmulatorExchange : public EmulatorFixture {
  protected:
    void openHost() { ASSERT_TRUE(host.open(slavePath())) << slavePath(); }
    Bytes chipBytes(int area, std::uint32_t at, std::uint32_t n) {
        return chip().peekRange(area, at, n);
    }
    void fill(int area, std::uint32_t at, std::uint32_t n, int seed = 0) {
        for (std::uint32_t i = 0; i < n; ++i)
            chip().poke(area, at + i, static_cast<std::uint8_t>((i * 7 + seed + (i >> 8)) & 0xFF));
    }
    RawHost host;
};

} // namespace

TEST_F(EmulatorExchange, ReadsA16BitEpromInWordBlocks) {
    startEmulator({{"alg", "19"}});
    openHost();
    fill(0, 0, 4096);
    for (std::uint32_t block = 0; block < 2; ++block) {
        const std::uint32_t s = block * 1024, e = s + 1023;
        Bytes data;
        ASSERT_EQ(host.sendMode(RawHost::packet(
                      {0x01, 19, 0, static_cast<std::uint8_t>(s >> 8), static_cast<std::uint8_t>(s),
                       0, static_cast<std::uint8_t>(e >> 8), static_cast<std::uint8_t>(e)})),
                  0);
        ASSERT_EQ(host.rdBlockR(2048, data), 0);
        EXPECT_EQ(data, chipBytes(0, block * 2048, 2048)) << "block " << block;
    }
}

TEST_F(EmulatorExchange, ReadsLargePageNandAcross2112ByteBlocks) {
    startEmulator({{"alg", "62"}});
    openHost();
    fill(0, 0, 3 * 2112, 3);
    for (std::uint32_t page = 0; page < 3; ++page) {
        Bytes data;
        ASSERT_EQ(host.sendMode(RawHost::packet(
                      {0x01, 0xC0 | 62, 0, static_cast<std::uint8_t>(page), 0, 0, 0x08, 0x40})),
                  0);
        ASSERT_EQ(host.rdBlockR(2112, data), 0);
        EXPECT_EQ(data, chipBytes(0, page * 2112, 2112)) << "page " << page;
    }
}

TEST_F(EmulatorExchange, ReadsSmallPageNandWithEncodedCount) {
    startEmulator({{"alg", "61"}});
    openHost();
    fill(0, 0, 3 * 2112, 5);
    // Second block of 2112 bytes: page 4 of 528, L = 0x0F84.
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 0xC0 | 61, 0, 4, 0, 0, 0x0F, 0x84})), 0);
    ASSERT_EQ(host.rdBlockR(2112, data), 0);
    EXPECT_EQ(data, chipBytes(0, 2112, 2112));
}

TEST_F(EmulatorExchange, ProgramThenReadBackGivesTheImage) {
    startEmulator({{"alg", "2"}});
    openHost();
    Bytes image(2048);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 1);
    Bytes reply;
    ASSERT_EQ(
        host.programBlock(RawHost::packet({0x02, 2, 0, 0x08, 0, 0, 0x0F, 0xFF}), image, 160, reply),
        0);
    Bytes back;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 2, 0, 0x08, 0, 0, 0x0F, 0xFF})), 0);
    ASSERT_EQ(host.rdBlockR(2048, back), 0);
    EXPECT_EQ(back, image);
    EXPECT_EQ(chipBytes(0, 0x800, 2048), image);
}

TEST_F(EmulatorExchange, Program16BitWordsInPieces) {
    startEmulator({{"alg", "19"}});
    openHost();
    Bytes image(512);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(0xF0 ^ i);
    Bytes reply;
    ASSERT_EQ(
        host.programBlock(RawHost::packet({0x02, 19, 0, 0, 0, 0, 0x00, 0xFF}), image, 160, reply),
        0);
    EXPECT_EQ(chipBytes(0, 0, 512), image);
}

TEST_F(EmulatorExchange, ProgrammingOverNonErasedEpromGivesMismatchRecord) {
    startEmulator({{"alg", "3"}});
    openHost();
    chip().poke(0, 0x12, 0x0F);
    Bytes data(0x20, 0xFF);
    data[0x12] = 0xF0; // needs 0 -> 1 in the low nibble
    Bytes reply;
    ASSERT_EQ(
        host.programBlock(RawHost::packet({0x02, 0x80 | 3, 0, 0, 0, 0, 0, 0x1F}), data, 16, reply),
        5);
    EXPECT_EQ(reply, (Bytes{0x00, 0x00, 0x12, 0xF0, 0x00}));
    EXPECT_TRUE(waitIdle());
    // The emulator is ready for the next operation.
    Bytes back;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 3, 0, 0, 0x12, 0, 0, 0x12})), 0);
    ASSERT_EQ(host.rdBlockR(1, back), 0);
    EXPECT_EQ(back, Bytes{0x00});
}

TEST_F(EmulatorExchange, WordMismatchRecordCarriesTheFoundWord) {
    startEmulator({{"alg", "19"}});
    openHost();
    chip().poke(0, 2 * 5, 0x12);
    chip().poke(0, 2 * 5 + 1, 0x34);
    Bytes data(16, 0xFF);
    Bytes reply;
    ASSERT_EQ(host.programBlock(RawHost::packet({0x02, 19, 0, 0, 0, 0, 0, 7}), data, 16, reply), 5);
    EXPECT_EQ(reply, (Bytes{0x00, 0x00, 0x05, 0x12, 0x34}));
}

TEST_F(EmulatorExchange, EraseBlankCheckAndUvEproms) {
    startEmulator({{"alg", "2"}, {"erase-ms", "0"}});
    openHost();
    chip().poke(0, 0x100, 0x00);
    Bytes reply;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x06, 2, 0, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, (Bytes{0x01, 0x00, 0x01, 0x00, 0x00}));
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 2, 0, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x55});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x06, 2, 0, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x55});
    // A UV EPROM (algorithm 3) cannot be erased electrically; algorithm 5 with the erase flag can.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 3, 0, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x01});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 5, 0x80, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x55});
}

TEST_F(EmulatorExchange, SlowEraseOutlastsSeveralReplyTries) {
    startEmulator({{"alg", "16"}, {"erase-ms", "1300"}});
    openHost();
    Bytes reply;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 16, 0, 0, 0, 0, 0xFF, 0xFF})), 0);
    EXPECT_EQ(host.rdReplyR(reply, 2), 7); // two tries are not enough
    ASSERT_EQ(host.rdReplyR(reply, 40), 0);
    EXPECT_EQ(reply, Bytes{0x55});
}

TEST_F(EmulatorExchange, NandEraseOfBadBlockFailsAndMarkerStays) {
    startEmulator({{"alg", "62"}, {"bad-blocks", "1"}, {"erase-ms", "0"}});
    openHost();
    Bytes reply, data;
    // Block 1 starts at page 64.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 0xC0 | 62, 0, 64, 0, 0, 0x08, 0x01})), 0);
    ASSERT_EQ(host.rdBlockR(2049, data), 0);
    EXPECT_EQ(data[2048], 0x00);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 0xC0 | 62, 0, 64, 0, 0, 0xFF, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x01});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 0xC0 | 62, 0, 0, 0, 0, 0xFF, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply, Bytes{0x55});
}

TEST_F(EmulatorExchange, VersionIdSpeedAndRamTest) {
    startEmulator({{"alg", "2"}, {"id", "BF B5"}, {"version", "20"}, {"fail", "0x900"}});
    openHost();
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0C, 2, 0, 0, 0, 0, 0, 0})), 0);
    EXPECT_EQ(host.read(1), Bytes{0x20});
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x07, 2, 0, 0, 1, 0, 0, 1})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0xB5});
    Bytes reply;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x08, 2, 0, 0, 0, 0, 0x07, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply[0], 0x55);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x08, 2, 0, 0x08, 0, 0, 0x0F, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    EXPECT_EQ(reply[0], 0x01);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x04, 2, 2, 0, 0, 0, 0, 0})), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(emulator().baud(), 115200);
}

TEST_F(EmulatorExchange, AvrFuseWriteThenRead) {
    startEmulator({{"alg", "52"}});
    openHost();
    Bytes reply, data;
    ASSERT_EQ(host.sendMode({0x07, 0x33, 0xF4, 0xAC, 0xE1, 0x00, 0xA0, 0xE1, 0x00, 0x35}), 0);
    ASSERT_EQ(host.rdReplyR(reply, 10), 0);
    EXPECT_EQ(reply, Bytes{0x55});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x37, 0xC0 | 52, 0x50, 0, 0, 0x50, 0, 0})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0xE1});
}

TEST_F(EmulatorExchange, LockedAvrReadsAllOnesUntilErased) {
    startEmulator({{"alg", "52"}, {"erase-ms", "0"}});
    openHost();
    chip().poke(0, 0, 0x12);
    Bytes reply, data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x33, 0xC0 | 52, 0xAC, 0xC0, 0x00, 0xE0, 0xC0, 0x00})),
              0);
    ASSERT_EQ(host.rdReplyR(reply, 5), 0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x31, 0xC0 | 52, 0x20, 0, 0, 0x20, 0, 0})), 0);
    ASSERT_EQ(host.rdBlockR(2, data), 0);
    EXPECT_EQ(data, (Bytes{0xFF, 0xFF}));
    ASSERT_EQ(host.sendMode(RawHost::packet({0x35, 0xC0 | 52, 0xAC, 0, 0, 0x80, 0, 0})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x31, 0xC0 | 52, 0x20, 0, 0, 0x20, 0, 0})), 0);
    ASSERT_EQ(host.rdBlockR(2, data), 0);
    EXPECT_EQ(data, (Bytes{0xFF, 0xFF})); // erased now, not hidden
    EXPECT_EQ(chip().lockLevel(), 0);
}

TEST_F(EmulatorExchange, BadPacketChecksumIsNakedAndNoiseIgnored) {
    startEmulator({{"alg", "2"}});
    openHost();
    Bytes pkt = RawHost::packet({0x01, 2, 0, 0, 0, 0, 0, 0x0F});
    pkt[9] ^= 0x01;
    EXPECT_EQ(host.sendMode(pkt), 1);
    host.write({0x55, 0x13});
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 2, 0, 0, 0, 0, 0, 0x0F})), 0);
    EXPECT_EQ(host.rdBlockR(16, data), 0);
    EXPECT_FALSE(transcriptOf("noise").empty());
}

TEST_F(EmulatorExchange, TranscriptHasOneJsonLinePerFrame) {
    startEmulator({{"alg", "2"}});
    openHost();
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 2, 0, 0, 0, 0, 0, 0x03})), 0);
    ASSERT_EQ(host.rdBlockR(4, data), 0);
    ASSERT_TRUE(waitIdle());
    const auto setup = transcriptOf("setup");
    ASSERT_EQ(setup.size(), 1u);
    EXPECT_NE(setup[0].find("\"hex\":\"07010200000000000306\""), std::string::npos) << setup[0];
    EXPECT_NE(setup[0].find("\"units\":4"), std::string::npos);
    ASSERT_EQ(transcriptOf("bulk").size(), 1u);
    EXPECT_NE(transcriptOf("bulk")[0].find("\"hex\":\"FFFFFFFFFC\""), std::string::npos);
    ASSERT_EQ(transcriptOf("answer").size(), 1u);
    for (const auto& line : transcript()) {
        EXPECT_EQ(line.front(), '{');
        EXPECT_EQ(line.back(), '}');
    }
}

TEST_F(EmulatorExchange, BootBlockLockoutSdpAndWordIds) {
    startEmulator({{"alg", "16"}, {"size", "0x40000"}, {"id", "1F 07 A5"}});
    openHost();
    Bytes data;
    // Lower block locked out, upper not: the lockout read answers 01, 00.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0A, 16, 0, 0, 0, 0, 0, 0})), 0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0B, 16, 0, 0, 0, 0, 0, 0})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0x01});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0B, 16, 0, 0, 1, 0, 0, 1})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0x00});
    ASSERT_EQ(host.sendMode(RawHost::packet({0x09, 16, 0, 0x08, 0x42, 0, 0, 0})), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_FALSE(chip().sdpEnabled());
    EXPECT_TRUE(chip().bootBlockLocked(false));
    EXPECT_FALSE(chip().bootBlockLocked(true));
}

TEST_F(EmulatorExchange, WordIdReadsUseOperation11) {
    startEmulator({{"alg", "38"}, {"id", "89 C4"}});
    openHost();
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0B, 38, 0, 0, 1, 0, 0, 1})), 0);
    ASSERT_EQ(host.rdBlockR(2, data), 0);
    EXPECT_EQ(data, (Bytes{0x00, 0xC4}));
    // Signature rows at 0x30..0x32 of an MCS-51 part.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x07, 10, 0x80, 0, 0x31, 0x80, 0, 0x31})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0xC4});
}

TEST_F(EmulatorExchange, FirmwareUpdateGoesToItsOwnMemory) {
    startEmulator({{"alg", "2"}, {"erase-ms", "0"}});
    openHost();
    chip().poke(0, 0, 0x11);
    Bytes reply;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0D, 63, 0, 0, 0, 0, 0x7F, 0xFF})), 0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 63, 0, 0, 0, 0, 0x7F, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    ASSERT_EQ(host.programBlock(RawHost::packet({0x02, 63, 0, 0, 0, 0, 0, 0x0F}), Bytes(16, 0xA7),
                                16, reply),
              0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0D, 63, 0, 0, 0, 0, 0x7F, 0xFF})), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().peek(emu::VirtualChip::kFirmwareArea, 0), 0xA7);
    EXPECT_EQ(chip().peek(0, 0), 0x11);
    EXPECT_EQ(transcriptOf("program-switch").size(), 2u);
}

TEST_F(EmulatorExchange, PicDataAreaIsByteWideAndCodeWordsAre14Bit) {
    startEmulator({{"alg", "27"}});
    openHost();
    Bytes data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x31, 0xC0 | 27, 0x00, 0, 0, 0x00, 0, 1})), 0);
    ASSERT_EQ(host.rdBlockR(4, data), 0);
    EXPECT_EQ(data, (Bytes{0x3F, 0xFF, 0x3F, 0xFF}));
    Bytes reply;
    ASSERT_EQ(host.programBlock(RawHost::packet({0x32, 0xC0 | 27, 0x01, 0, 0, 0x01, 0, 3}),
                                Bytes{0x00, 0x12, 0xFF, 0x34}, 4, reply),
              0);
    EXPECT_EQ(chip().peekRange(1, 0, 4), (Bytes{0x00, 0x12, 0xFF, 0x34}));
}

TEST_F(EmulatorExchange, HostGivingUpABlockStartsTheNextOperation) {
    startEmulator({{"alg", "2"}});
    openHost();
    Bytes reply, data;
    ASSERT_EQ(host.sendMode(RawHost::packet({0x02, 2, 0, 0, 0, 0, 0, 0x3F})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 10), 0);
    ASSERT_EQ(host.wrBlockR(Bytes(16, 0x00)), 0);
    ASSERT_EQ(host.rdReplyR(reply, 2), 0);
    // The host stops after one piece of four and reads instead.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 2, 0, 0, 0, 0, 0, 0x1F})), 0);
    ASSERT_EQ(host.rdBlockR(32, data), 0);
    Bytes expected(32, 0xFF);
    std::fill_n(expected.begin(), 16, 0x00);
    EXPECT_EQ(data, expected);
    EXPECT_EQ(transcriptOf("block-abandoned").size(), 1u);
}

TEST(EmulatorOnTty, ServesAGivenDevice) {
    // A pty pair stands in for a serial port: the emulator serves the slave, the test the master.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    termios t{};
    tcgetattr(master, &t);
    cfmakeraw(&t);
    tcsetattr(master, TCSANOW, &t);
    emu::EmulatorOptions options;
    options.tty = ptsname(master);
    options.profile.version = 0x02;
    EmulatorInstance instance;
    std::string error;
    ASSERT_TRUE(instance.start(options, error)) << error;
    const Bytes pkt = RawHost::packet({0x0C, 2, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(write(master, pkt.data(), pkt.size()), 10);
    Bytes got;
    while (got.size() < 2) {
        pollfd p{master, POLLIN, 0};
        ASSERT_GT(poll(&p, 1, 2000), 0);
        std::uint8_t buf[8];
        const ssize_t n = read(master, buf, sizeof buf);
        ASSERT_GT(n, 0);
        got.insert(got.end(), buf, buf + n);
    }
    EXPECT_EQ(got, (Bytes{0x55, 0x02}));
    instance.stop();
    close(master);
}

TEST_F(EmulatorExchange, Mcs51LocksAsDataByteOrSelector) {
    startEmulator({{"alg", "32"}, {"erase-ms", "0"}});
    openHost();
    chip().poke(0, 0, 0x42);
    Bytes reply, data;
    // Lock bits 1 and 2 written as the byte 0xFC at 0xFFFF of the LDROM area.
    ASSERT_EQ(host.programBlock(RawHost::packet({0x02, 32, 0x80, 0xFF, 0xFF, 0x80, 0xFF, 0xFF}),
                                Bytes{0xFC}, 1, reply),
              0);
    EXPECT_EQ(chip().lockLevel(), 2);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x01, 32, 0, 0, 0, 0, 0, 0})), 0);
    ASSERT_EQ(host.rdBlockR(1, data), 0);
    EXPECT_EQ(data, Bytes{0xFF}); // the code is hidden
    // Programming a locked chip gives the mismatch record.
    EXPECT_EQ(
        host.programBlock(RawHost::packet({0x02, 32, 0, 0, 1, 0, 0, 1}), Bytes{0x00}, 1, reply), 5);
    // Lock selector 1 on algorithm 10 sets level 1 only.
    ASSERT_EQ(host.sendMode(RawHost::packet({0x05, 10, 0x80, 0, 0, 0x80, 0x0F, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 20), 0);
    EXPECT_EQ(chip().lockLevel(), 0);
    ASSERT_EQ(host.sendMode(RawHost::packet({0x03, 10, 0x81, 0, 0, 0x80, 0x0F, 0xFF})), 0);
    ASSERT_EQ(host.rdReplyR(reply, 5), 0);
    EXPECT_EQ(reply, Bytes{0x55});
    EXPECT_EQ(chip().lockLevel(), 1);
}

TEST(EmulatorTranscriptFile, OneJsonLinePerFrameInTheFile) {
    const std::string path = ::testing::TempDir() + "emu-transcript.jsonl";
    emu::EmulatorOptions options;
    options.transcriptPath = path;
    EmulatorInstance instance;
    std::string error;
    ASSERT_TRUE(instance.start(options, error)) << error;
    RawHost host;
    ASSERT_TRUE(host.open(instance.slavePath()));
    ASSERT_EQ(host.sendMode(RawHost::packet({0x0C, 2, 0, 0, 0, 0, 0, 0})), 0);
    EXPECT_EQ(host.read(1).size(), 1u);
    ASSERT_TRUE(instance.emulator().waitIdle(3000));
    instance.stop();
    FILE* f = std::fopen(path.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char line[4096];
    std::vector<std::string> lines;
    while (std::fgets(line, sizeof line, f))
        lines.emplace_back(line);
    std::fclose(f);
    std::remove(path.c_str());
    ASSERT_EQ(lines.size(), 3u); // setup, ack, version byte
    EXPECT_NE(lines[0].find("\"kind\":\"setup\""), std::string::npos);
    EXPECT_NE(lines[0].find("\"name\":\"version\""), std::string::npos);
    EXPECT_NE(lines[2].find("\"kind\":\"version\""), std::string::npos);
    EXPECT_NE(lines[2].find("\"hex\":\"21\""), std::string::npos);
}
