// Each injected fault gives the host the documented return code, without hanging beyond the
// time-outs, and the emulator serves the next operation afterwards.

#include "EmulatorFixture.h"
#include "RawHost.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kRead16 = RawHost::packet({0x01, 2, 0, 0, 0, 0, 0, 0x0F});
const Bytes kBlank = RawHost::packet({0x06, 2, 0, 0, 0, 0, 0, 0x0F});

class EmulatorFaults : public EmulatorFixture {
  protected:
    void start(const std::vector<std::string>& faults) {
        startEmulator({{"alg", "2"}}, faults, 42);
        ASSERT_TRUE(host.open(slavePath()));
    }
    // A clean read afterwards proves the emulator recovered.
    void expectRecovered() {
        ASSERT_TRUE(waitIdle(8000));
        Bytes data;
        ASSERT_EQ(host.sendMode(kRead16), 0);
        EXPECT_EQ(host.rdBlockR(16, data), 0);
    }
    RawHost host;
};

} // namespace

TEST_F(EmulatorFaults, NakOnSetupPacketGivesCode1) {
    start({"nak:op=1:count=2"});
    EXPECT_EQ(host.sendMode(kRead16), 1);
    expectRecovered();
}

TEST_F(EmulatorFaults, OneNakIsMendedBySecondAttempt) {
    start({"nak:op=1:count=1"});
    EXPECT_EQ(host.sendMode(kRead16), 0);
    Bytes data;
    EXPECT_EQ(host.rdBlockR(16, data), 0);
}

TEST_F(EmulatorFaults, WrongAckGivesCode1) {
    start({"wrong-ack:op=1:count=2"});
    EXPECT_EQ(host.sendMode(kRead16), 1);
    expectRecovered();
}

TEST_F(EmulatorFaults, SilenceGivesCode2) {
    start({"silence:op=1:count=1:ms=1300"});
    EXPECT_EQ(host.sendMode(kRead16), 2);
    expectRecovered();
}

TEST_F(EmulatorFaults, DroppedBulkBytesGiveMinus2) {
    start({"drop:op=1:at=bulk:bytes=2"});
    ASSERT_EQ(host.sendMode(kRead16), 0);
    Bytes data;
    EXPECT_EQ(host.rdBlockR(16, data), -2);
}

TEST_F(EmulatorFaults, CorruptBulkChecksumGives55ThenResendHeals) {
    start({"corrupt:op=1:at=bulk:count=2"});
    ASSERT_EQ(host.sendMode(kRead16), 0);
    Bytes data;
    EXPECT_EQ(host.rdBlockR(16, data), 55);
    // The third frame is clean: a fresh read succeeds at once.
    ASSERT_TRUE(waitIdle(8000));
    ASSERT_EQ(host.sendMode(kRead16), 0);
    EXPECT_EQ(host.rdBlockR(16, data), 0);
}

TEST_F(EmulatorFaults, CorruptReplyChecksumGivesCode1AfterTries) {
    start({"corrupt:op=6:at=reply"});
    ASSERT_EQ(host.sendMode(kBlank), 0);
    Bytes reply;
    EXPECT_EQ(host.rdReplyR(reply, 2), 1);
    // Resent once after the first 0x01; nothing more once the host's two tries are used.
    EXPECT_EQ(host.rdReply(reply), 7);
    EXPECT_EQ(transcriptOf("reply").size(), 2u);
}

TEST_F(EmulatorFaults, DroppedReplyGivesShortReplyCodes) {
    start({"drop:op=6:at=reply:bytes=3"});
    ASSERT_EQ(host.sendMode(kBlank), 0);
    Bytes reply;
    EXPECT_EQ(host.rdReplyR(reply, 2), 7); // nothing of the 3-byte frame is left
}

TEST_F(EmulatorFaults, NakedPiecesGiveCode2) {
    start({"nak:op=2:at=piece"});
    Bytes reply;
    EXPECT_EQ(
        host.programBlock(RawHost::packet({0x02, 2, 0, 0, 0, 0, 0, 0x0F}), Bytes(16, 0), 16, reply),
        2);
    EXPECT_EQ(chip().peek(0, 0), 0xFF);
}

TEST_F(EmulatorFaults, WrongPieceAckOnceIsMendedByResend) {
    start({"wrong-ack:op=2:at=piece:count=1"});
    Bytes reply;
    EXPECT_EQ(host.programBlock(RawHost::packet({0x02, 2, 0, 0, 0, 0, 0, 0x0F}), Bytes(16, 0x5A), 8,
                                reply),
              0);
    EXPECT_EQ(chip().peek(0, 15), 0x5A);
}

TEST_F(EmulatorFaults, SlowAnswersStillSucceed) {
    start({"slow:ms=150"});
    Bytes data;
    ASSERT_EQ(host.sendMode(kRead16), 0);
    EXPECT_EQ(host.rdBlockR(16, data), 0);
}

TEST_F(EmulatorFaults, DisconnectMidFrameGivesMinus2AndThenSilence) {
    start({"disconnect:op=1:bytes=9"});
    ASSERT_EQ(host.sendMode(kRead16), 0); // the ack is byte 1
    Bytes data;
    EXPECT_EQ(host.rdBlockR(16, data), -2);
    EXPECT_EQ(host.sendMode(kRead16), 2);
    EXPECT_FALSE(transcriptOf("disconnect").empty());
}

TEST_F(EmulatorFaults, StoreNothingAcknowledgesButKeepsTheChip) {
    start({"store-nothing"});
    Bytes reply;
    EXPECT_EQ(host.programBlock(RawHost::packet({0x02, 2, 0, 0, 0, 0, 0, 0x0F}), Bytes(16, 0x00),
                                16, reply),
              0);
    Bytes back;
    ASSERT_EQ(host.sendMode(kRead16), 0);
    ASSERT_EQ(host.rdBlockR(16, back), 0);
    EXPECT_EQ(back, Bytes(16, 0xFF));
}

TEST_F(EmulatorFaults, SameSeedSameFaults) {
    auto runOnce = [this](std::uint32_t seed) {
        startEmulator({{"alg", "2"}}, {"corrupt:op=1:at=bulk:prob=50"}, seed);
        RawHost h;
        EXPECT_TRUE(h.open(slavePath()));
        std::string pattern;
        for (int i = 0; i < 12; ++i) {
            Bytes data;
            EXPECT_EQ(h.sendMode(kRead16), 0);
            pattern += std::to_string(h.rdBlockR(16, data)) + ",";
        }
        EXPECT_TRUE(waitIdle(8000));
        pattern += std::to_string(transcriptOf("fault").size());
        TearDown();
        return pattern;
    };
    const std::string first = runOnce(3);
    EXPECT_EQ(first, runOnce(3));
    EXPECT_NE(first.find("55"), std::string::npos) << first; // some blocks failed twice
    EXPECT_NE(first.find("0,"), std::string::npos) << first; // and some got through
}
