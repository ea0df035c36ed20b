// The serial code over a real pseudo-terminal: QSerialPort on the slave side, a scripted
// programmer on the master side. Time is simulated: it stands still while the script works
// and jumps over its pauses and the host's time-outs, so every reading is exact.

#include "PtyPeer.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"
#include "SimulatedClock.h"
#include "app/Session.h"
#include "link/Frames.h"
#include "link/LinkControl.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "link/TimedRead.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <termios.h>

#include <functional>
#include <vector>

using namespace zelvor;
using namespace zelvor::test;

namespace {

class PtyLink : public ::testing::Test {
  protected:
    PtyLink() {
        ensureQtApp();
        s.portOverride = peer.slavePath();
        allocLinkBuffers(s);
        s.rom.devClass = 0;
        s.rom.algCode = 3;
        s.op.opCode = 1;
        s.op.opStart = 0;
        s.op.opEnd = 0x7FF;
    }

    void SetUp() override {
        ASSERT_TRUE(peer.ok());
        Reopen_com(s);
        ASSERT_EQ(s.link.portFailed, 0);
    }

    // Plays the programmer on the peer's thread; the clock only moves while the script
    // sleeps on it, so no answer comes too late however busy the machine is.
    void play(std::function<void(PtyPeer&)> script) {
        clock.join();
        peer.run([this, script = std::move(script)](PtyPeer& p) {
            script(p);
            clock.leave();
        });
    }

    PtyPeer peer;
    ScriptedFrontEnd fe;
    SimulatedClock clock;
    Session s{fe, clock};
};

} // namespace

TEST_F(PtyLink, PacketAcknowledgedAndWrongAnswerRetried) {
    const SetupPacket expected = buildSetupPacket(s.rom, s.op, 0, s.link.packet);
    QByteArray first, second;
    play([&](PtyPeer& p) {
        first = p.readBytes(10);
        p.writeBytes(QByteArray(1, char(0x55)));
        second = p.readBytes(10);
        p.writeBytes(QByteArray(1, char(0x01)));
        (void)p.readBytes(10);
        p.writeBytes(QByteArray(1, char(0x55)));
    });
    EXPECT_EQ(Send_mode(s), 0);
    EXPECT_EQ(Send_mode(s), 0);
    peer.join();
    EXPECT_EQ(first, QByteArray(reinterpret_cast<const char*>(expected.data()), 10));
    EXPECT_EQ(second, first);
}

TEST_F(PtyLink, FramesBothWays) {
    s.buf.blocks.push_back(RomBuf::newBlock());
    for (int i = 0; i < 2048; ++i)
        s.buf.page(0)[i] = quint8(i * 7);
    QByteArray written;
    QByteArray answer;
    play([&](PtyPeer& p) {
        written = p.readBytes(1 + 200 + 1);
        p.writeBytes(QByteArray(1, char(0x55)));
        QByteArray data(2048, 0);
        for (int i = 0; i < 2048; ++i)
            data[i] = char(i ^ 0x5A);
        quint8 sum = 0;
        for (char c : data)
            sum = quint8(sum + quint8(c));
        p.writeBytes(data + QByteArray(1, char(sum)));
        answer = p.readBytes(1);
    });
    EXPECT_EQ(Wr_block_r(s, 0, 100, 200), 0);
    EXPECT_EQ(Rd_block_r(s, 0, 0), 0);
    peer.join();
    ASSERT_EQ(written.size(), 202);
    EXPECT_EQ(quint8(written[0]), 199);
    EXPECT_EQ(quint8(written[1]), quint8(100 * 7));
    EXPECT_EQ(answer, QByteArray(1, char(0x55)));
    EXPECT_EQ(s.buf.page(0)[1000], quint8(1000 ^ 0x5A));
}

TEST_F(PtyLink, SilentPeerTimesOutAfterTheTotalBudget) {
    std::vector<quint8> buf(300);
    const qint64 start = clock.nowMs();
    EXPECT_EQ(Read_com(s, buf, 300, 0), -2);
    EXPECT_EQ(clock.nowMs() - start, 500 + 2 * 300);
    EXPECT_EQ(s.link.lastRead, 0);
}

TEST_F(PtyLink, PeerThatStopsTimesOutAfterTheInterval) {
    qint64 lastWriteAt = -1;
    play([&](PtyPeer& p) {
        for (int i = 0; i < 3; ++i) {
            clock.sleepAsParty(150);
            p.writeBytes(QByteArray(2, char(i)));
            lastWriteAt = clock.nowMs();
            // The clock stands still until the bytes have reached the host's side.
            pollfd in{p.slaveFd(), POLLIN, 0};
            (void)::poll(&in, 1, 50);
        }
    });
    std::vector<quint8> buf(1000);
    EXPECT_EQ(Read_com(s, buf, 1000, 0), -2); // total budget 2500 ms
    peer.join();
    EXPECT_EQ(s.link.lastRead, 6);
    EXPECT_EQ(lastWriteAt, 450);
    // Seen at most one wait slice after it was written; the interval runs from there.
    const qint64 sinceLast = clock.nowMs() - lastWriteAt;
    EXPECT_GE(sinceLast, 500);
    EXPECT_LE(sinceLast, 500 + kIdleSliceMs);
}

TEST_F(PtyLink, SpeedChangeReopensAtTheNewRate) {
    QByteArray packet;
    play([&](PtyPeer& p) {
        packet = p.readBytes(10);
        p.writeBytes(QByteArray(1, char(0x55)));
    });
    EXPECT_EQ(ChcSpd(s, 2), 0);
    peer.join();
    EXPECT_EQ(quint8(packet[3]), 2);
    EXPECT_EQ(s.link.portBaud, 115200);
    termios t{};
    ASSERT_EQ(::tcgetattr(peer.slaveFd(), &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), speed_t(B115200));

    // The programmer now answers at the new rate.
    play([&](PtyPeer& p) {
        (void)p.readBytes(10);
        p.writeBytes(QByteArray(1, char(0x55)));
    });
    s.op.opCode = 1;
    EXPECT_EQ(Send_mode(s), 0);
    peer.join();
}

TEST_F(PtyLink, PortThatCannotBeOpened) {
    // Held by this session already: a second program cannot have it.
    ScriptedFrontEnd fe2;
    Session other{fe2, clock};
    other.portOverride = peer.slavePath();
    Reopen_com(other);
    EXPECT_EQ(other.link.portFailed, 1);
    EXPECT_EQ(other.link.portBaud, 0);

    other.portOverride = QStringLiteral("/dev/zelvor-no-such-port");
    const qint64 start = clock.nowMs();
    Reopen_com(other);
    EXPECT_EQ(other.link.portFailed, 1);
    EXPECT_EQ(Send_mode(other), 1);
    EXPECT_EQ(clock.nowMs(), start); // at once: no time-out waited
}

TEST_F(PtyLink, PeerThatDisappears) {
    play([&](PtyPeer& p) {
        (void)p.readBytes(10);
        p.vanish();
    });
    EXPECT_NE(Send_mode(s), 0);
    peer.join();
    // Nothing hangs afterwards: the port is closed and the node is gone.
    const qint64 start = clock.nowMs();
    EXPECT_NE(Send_mode(s), 0);
    Reopen_com(s);
    EXPECT_EQ(s.link.portFailed, 1);
    EXPECT_NE(Send_mode(s), 0);
    EXPECT_LT(clock.nowMs() - start, 1500); // no more than a time-out or two
}
