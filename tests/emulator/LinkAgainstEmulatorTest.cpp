// The host's own link layer (QSerialPort on the slave side) against the emulator: the
// primitives the operations are built on, over the real pseudo-terminal.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"
#include "app/Session.h"
#include "link/Frames.h"
#include "link/LinkControl.h"
#include "link/Port.h"
#include "link/SetupPacket.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zelvor;
using namespace zelvor::test;
using Bytes = std::vector<std::uint8_t>;

namespace {

class LinkAgainstEmulator : public EmulatorFixture {
  protected:
    // Starts the emulator, then opens the session's port on it.
    void connect(const ProfileKeys& keys, const std::vector<std::string>& faults = {}) {
        ensureQtApp();
        startEmulator(keys, faults, 11);
        s.portOverride = QString::fromStdString(slavePath());
        allocLinkBuffers(s);
        Reopen_com(s);
        ASSERT_EQ(s.link.portFailed, 0);
    }
    void TearDown() override {
        Close_com(s);
        EmulatorFixture::TearDown();
    }
    void chip(int devClass, int alg, int width = 8) {
        s.rom.devClass = static_cast<quint8>(devClass);
        s.rom.algCode = static_cast<quint8>(alg);
        s.rom.dataWidth = width;
    }
    void range(int opCode, int start, int end) {
        s.op.opCode = static_cast<quint8>(opCode);
        s.op.opStart = start;
        s.op.opEnd = end;
    }
    Bytes aux(int n) const { return Bytes(s.link.auxBuf.begin(), s.link.auxBuf.begin() + n); }
    Bytes aux2(int n) const { return Bytes(s.link.auxBuf2.begin(), s.link.auxBuf2.begin() + n); }
    // One program block out of auxBuf in pieces of lenBl, as the program loop sends it.
    int programFromAux(int count, int lenBl) {
        if (Send_mode(s) != 0) return 1;
        if (Rd_reply_r(s, 10) != 0 || s.link.ansBuf[0] != 0x55) return 6;
        for (int off = 0; off < count; off += lenBl) {
            if (Wr_block_r(s, kAuxIndex, off, std::min(lenBl, count - off)) != 0) return 2;
            const int rc = Rd_reply_r(s, 2);
            if (rc != 0) return rc;
            if (s.link.ansLen != 1) return 5;
        }
        return 0;
    }

    ScriptedFrontEnd fe;
    SystemClock clock;
    Session s{fe, clock};
};

} // namespace

TEST_F(LinkAgainstEmulator, Reads16BitEprom) {
    connect({{"alg", "19"}});
    chip(0, 19, 16);
    for (std::uint32_t i = 0; i < 2048; ++i)
        emulator().chip().poke(0, 2048 + i, static_cast<std::uint8_t>(i * 3));
    range(1, 1024, 2047);
    ASSERT_EQ(Send_mode(s), 0);
    ASSERT_EQ(Rd_block_r(s, kAuxIndex, 0), 0);
    EXPECT_EQ(aux(2048), emulator().chip().peekRange(0, 2048, 2048));
}

TEST_F(LinkAgainstEmulator, ReadsPageFlashAcross2112ByteBlocks) {
    connect({{"alg", "62"}});
    chip(2, 62);
    s.rom.optC = 3; // 2112-byte pages
    for (std::uint32_t i = 0; i < 2 * 2112; ++i)
        emulator().chip().poke(0, i, static_cast<std::uint8_t>(i ^ (i >> 8)));
    for (int block = 0; block < 2; ++block) {
        range(1, block * 2112, block * 2112 + 2111);
        ASSERT_EQ(Send_mode(s), 0);
        ASSERT_EQ(Rd_block_r(s, kAuxIndex, 0), 0);
        EXPECT_EQ(aux(2112),
                  emulator().chip().peekRange(0, static_cast<std::uint32_t>(block) * 2112, 2112))
            << "block " << block;
    }
}

TEST_F(LinkAgainstEmulator, ProgramThenReadBackEqualsTheImage) {
    connect({{"alg", "2"}});
    chip(2, 2);
    for (int i = 0; i < 2048; ++i)
        s.link.auxBuf[size_t(i)] = static_cast<quint8>(i * 31 + 7);
    range(2, 0, 2047);
    ASSERT_EQ(programFromAux(2048, 160), 0);
    range(1, 0, 2047);
    ASSERT_EQ(Send_mode(s), 0);
    ASSERT_EQ(Rd_block_r(s, kAux2Index, 0), 0);
    EXPECT_EQ(aux2(2048), aux(2048));
}

TEST_F(LinkAgainstEmulator, NonErasedEpromLocationGivesMismatchRecord) {
    connect({{"alg", "3"}});
    chip(0, 3);
    emulator().chip().poke(0, 0x10, 0x00);
    std::fill_n(s.link.auxBuf.begin(), 64, quint8(0xFF));
    range(2, 0, 63);
    ASSERT_EQ(programFromAux(64, 32), 5);
    ASSERT_EQ(s.link.ansLen, 5);
    EXPECT_EQ(Bytes(s.link.ansBuf.begin(), s.link.ansBuf.begin() + 5),
              (Bytes{0x00, 0x00, 0x10, 0xFF, 0x00}));
}

TEST_F(LinkAgainstEmulator, SetupFaultsGiveSendModeCodes) {
    connect({{"alg", "2"}}, {"nak:op=1:count=2", "silence:op=6:count=1:ms=1300"});
    chip(2, 2);
    range(1, 0, 15);
    EXPECT_EQ(Send_mode(s), 1);
    range(6, 0, 15);
    EXPECT_EQ(Send_mode(s), 2);
    ASSERT_TRUE(waitIdle(5000));
    range(1, 0, 15);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), 0);
}

TEST_F(LinkAgainstEmulator, BulkFaultsGiveReadCodes) {
    connect({{"alg", "2"}}, {"corrupt:op=1:at=bulk:count=2", "drop:op=1:at=bulk:after=2:count=2"});
    chip(2, 2);
    range(1, 0, 15);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), 55);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), -2);
}

TEST_F(LinkAgainstEmulator, ReplyAndPieceFaultsGiveFrameCodes) {
    connect({{"alg", "2"}}, {"corrupt:op=6:at=reply", "nak:op=2:at=piece"});
    chip(2, 2);
    range(6, 0, 15);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_reply_r(s, 2), 1);
    range(2, 0, 15);
    EXPECT_EQ(programFromAux(16, 16), 2);
}

TEST_F(LinkAgainstEmulator, DisconnectEndsInTimeOuts) {
    connect({{"alg", "2"}}, {"disconnect:op=1:bytes=5"});
    chip(2, 2);
    range(1, 0, 15);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), -2);
    EXPECT_EQ(Send_mode(s), 2);
}

TEST_F(LinkAgainstEmulator, StoreNothingIsFoundByReadBack) {
    connect({{"alg", "2"}}, {"store-nothing"});
    chip(2, 2);
    std::fill_n(s.link.auxBuf.begin(), 32, quint8(0x00));
    range(2, 0, 31);
    ASSERT_EQ(programFromAux(32, 16), 0);
    range(1, 0, 31);
    ASSERT_EQ(Send_mode(s), 0);
    ASSERT_EQ(Rd_block_r(s, kAux2Index, 0), 0);
    EXPECT_EQ(aux2(32), Bytes(32, 0xFF));
}

TEST_F(LinkAgainstEmulator, VersionByteAndSpeedChange) {
    connect({{"alg", "2"}, {"version", "31"}});
    chip(2, 2);
    s.op.opCode = 12;
    ASSERT_EQ(Send_mode(s), 0);
    quint8 version = 0;
    ASSERT_EQ(Read_byte(s, version), 0);
    EXPECT_EQ(version, 0x31);
    // Both sides move to 115200 and keep talking.
    EXPECT_EQ(ChcSpd(s, 2), 0);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(emulator().baud(), 115200);
    range(1, 0, 15);
    ASSERT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), 0);
}
