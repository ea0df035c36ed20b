// Port level: speed codes, opening and reopening, the byte primitives and their codes, the
// read time-out rule, the pause, and the port map file.

#include "LinkFixture.h"
#include "TestDir.h"
#include "link/PortMap.h"
#include "link/TimedRead.h"

#include <vector>

using namespace zelvor;
using namespace zelvor::test;

TEST(SpeedCodes, RateOfEveryCode) {
    const int expected[] = {9600, 57600, 115200, 460800, 230400, 460800, 460800, 460800, 460800};
    for (int code = 0; code <= 8; ++code)
        EXPECT_EQ(rateForCode(code), expected[code]) << code;
    EXPECT_EQ(rateForCode(-1), 460800);
    EXPECT_EQ(rateForCode(9), 460800);
}

using Port = LinkFixture;

TEST_F(Port, ReopenOpensTheMappedDeviceAtTheCodesRate) {
    s.portPaths = defaultPortPaths();
    s.portPaths[1] = QStringLiteral("/dev/ttyUSB0");
    s.settings.comPort = 1;
    s.settings.baudIdx = 3;
    Reopen_com(s);
    EXPECT_EQ(port->openedDevices, QStringList{QStringLiteral("/dev/ttyUSB0")});
    EXPECT_EQ(port->openedRates, QList<qint32>{460800});
    EXPECT_EQ(s.link.portBaud, 460800);
    EXPECT_EQ(s.link.portFailed, 0);

    s.settings.comPort = 7; // anything above COM3 is COM4
    s.settings.baudIdx = 4;
    Reopen_com(s);
    EXPECT_EQ(port->openedDevices.last(), defaultPortPaths()[3]);
    EXPECT_EQ(s.link.portBaud, 230400);

    s.portOverride = QStringLiteral("/dev/pts/9");
    Reopen_com(s);
    EXPECT_EQ(port->openedDevices.last(), QStringLiteral("/dev/pts/9"));
}

TEST_F(Port, FailedOpenIsRememberedUntilAReopenSucceeds) {
    port->failOpen = true;
    Reopen_com(s);
    EXPECT_EQ(s.link.portFailed, 1);
    EXPECT_EQ(s.link.portBaud, 0);
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(Close_com(s), -1);

    port->failOpen = false;
    Reopen_com(s);
    EXPECT_EQ(s.link.portFailed, 0);
    EXPECT_EQ(s.link.portBaud, 9600);
    EXPECT_EQ(Close_com(s), 0);
}

TEST_F(Port, DemoModeLeavesThePortAlone) {
    s.link.demoMode = 1;
    const int closes = port->closes;
    Reopen_com(s);
    EXPECT_TRUE(port->openedDevices.isEmpty());
    EXPECT_EQ(port->closes, closes);
    quint8 version = 0x42;
    EXPECT_EQ(Read_byte(s, version), 0);
    EXPECT_EQ(version, 0x42);
    EXPECT_TRUE(port->sent.isEmpty());
}

TEST_F(Port, ReadAndWriteCodes) {
    std::vector<quint8> buf(16, 0);
    port->queue({1, 2, 3});
    EXPECT_EQ(Read_com(s, buf, 3, 4), 0);
    EXPECT_EQ(buf[4], 1);
    EXPECT_EQ(buf[6], 3);
    EXPECT_EQ(s.link.lastRead, 3);
    EXPECT_EQ(port->readTotals.last(), 506);

    port->queue({9});
    EXPECT_EQ(Read_com(s, buf, 4, 0), -2);
    EXPECT_EQ(s.link.lastRead, 1);

    EXPECT_EQ(Read_com(s, buf, 4, 14), -1); // would run past the buffer
    port->failRead = true;
    EXPECT_EQ(Read_com(s, buf, 1, 0), -1);

    EXPECT_EQ(Write_com(s, buf, 4, 13), -1);
    EXPECT_TRUE(port->sent.isEmpty());
    EXPECT_EQ(Write_com(s, buf, 2, 4), 0);
    EXPECT_EQ(port->sent, bytes({1, 2}));
    port->close();
    EXPECT_EQ(Write_com(s, buf, 2, 4), -1);
}

TEST_F(Port, SingleBytes) {
    EXPECT_EQ(Send_byte(s, 0x5A), 0);
    EXPECT_EQ(port->sent, bytes({0x5A}));
    port->queue({0x55, 0x54});
    EXPECT_EQ(Wait_ack(s), 0);
    EXPECT_EQ(Wait_ack(s), 1);
    EXPECT_EQ(Wait_ack(s), 2);
    EXPECT_EQ(s.link.xferBuf[0], 0); // cleared before the read

    quint8 v = 0;
    port->queue({0x21});
    EXPECT_EQ(Read_byte(s, v), 0);
    EXPECT_EQ(v, 0x21);
    EXPECT_EQ(Read_byte(s, v), 2);

    port->failWrite = true;
    EXPECT_EQ(Send_byte(s, 0x55), 1);
}

TEST_F(Port, WaitPumpsEventsUntilTheTimeIsUp) {
    Wait_ms(s, 0);
    EXPECT_EQ(ts.fe.pumps, 1);
    const qint64 start = ts.clock.now;
    Wait_ms(s, 100);
    EXPECT_GE(ts.clock.now - start, 100);
    EXPECT_LT(ts.clock.now - start, 120);
    EXPECT_GE(ts.fe.pumps, 5);
}

namespace {

// Bytes that arrive at given times on the fake clock.
class TimedSource : public ByteSource {
  public:
    explicit TimedSource(FakeClock& c) : clock(c) {}
    struct Arrival {
        qint64 at;
        quint8 byte;
    };
    std::vector<Arrival> script;
    size_t next = 0;
    bool failAtEnd = false;
    FakeClock& clock;

    int take(quint8* dest, int max) override {
        int n = 0;
        while (n < max && next < script.size() && script[next].at <= clock.now)
            dest[n++] = script[next++].byte;
        return n;
    }
    bool wait(int ms) override {
        if (next < script.size() && script[next].at <= clock.now + ms) {
            clock.now = std::max(clock.now, script[next].at);
            return true;
        }
        if (failAtEnd) return false;
        clock.now += ms;
        return true;
    }
};

} // namespace

TEST(ReadTimeouts, SilentPeerWaitsTheWholeBudget) {
    FakeClock clock;
    TimedSource src(clock);
    std::vector<quint8> buf(2112);
    // The front end runs every 50 ms of the wait, which keeps its length.
    std::vector<qint64> idleAt;
    EXPECT_EQ(timedRead(clock, src, buf.data(), 2112, 500, 500 + 2 * 2112,
                        [&] { idleAt.push_back(clock.now); }),
              0);
    EXPECT_EQ(clock.now, 4724);
    ASSERT_EQ(idleAt.size(), 4724u / 50);
    for (size_t i = 0; i < idleAt.size(); ++i)
        EXPECT_EQ(idleAt[i], 50 * qint64(i + 1));
}

TEST(ReadTimeouts, IntervalRunsFromTheLastByte) {
    FakeClock clock;
    TimedSource src(clock);
    // The first byte may come late; later ones must follow within 500 ms.
    src.script = {{900, 1}, {1300, 2}, {1799, 3}, {2400, 4}};
    std::vector<quint8> buf(10);
    EXPECT_EQ(timedRead(clock, src, buf.data(), 10, 500, 520), 0); // first byte too late
    clock.now = 0;
    src.next = 0;
    EXPECT_EQ(timedRead(clock, src, buf.data(), 10, 500, 5000), 3);
    EXPECT_EQ(clock.now, 1799 + 500);
    EXPECT_EQ(buf[2], 3);
}

TEST(ReadTimeouts, TotalBudgetEndsAStreamOfSlowBytes) {
    FakeClock clock;
    TimedSource src(clock);
    for (int i = 0; i < 20; ++i)
        src.script.push_back({qint64(i) * 100, quint8(i)});
    std::vector<quint8> buf(20);
    EXPECT_EQ(timedRead(clock, src, buf.data(), 20, 500, 540), 6);
    EXPECT_EQ(clock.now, 540);
}

TEST(ReadTimeouts, FailureOfTheSource) {
    FakeClock clock;
    TimedSource src(clock);
    src.script = {{0, 1}};
    src.failAtEnd = true;
    std::vector<quint8> buf(4);
    EXPECT_EQ(timedRead(clock, src, buf.data(), 4, 500, 508), -1);
}

TEST(PortMapFile, LinesOverrideTheDefaults) {
    const PortPaths base = defaultPortPaths();
    const auto r = parsePortMap(
        {QStringLiteral("# adapters"), QStringLiteral(""), QStringLiteral("COM1=/dev/ttyUSB0"),
         QStringLiteral("  com3 =  /dev/pts/12  "), QStringLiteral("; old"),
         QStringLiteral("COM5=/dev/ttyS9"), QStringLiteral("COM2="), QStringLiteral("ttyS0")},
        base);
    EXPECT_EQ(r.paths[0], QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(r.paths[1], base[1]);
    EXPECT_EQ(r.paths[2], QStringLiteral("/dev/pts/12"));
    EXPECT_EQ(r.paths[3], base[3]);
    ASSERT_EQ(r.problems.size(), 3);
    EXPECT_TRUE(r.problems[0].startsWith(QStringLiteral("6: ")));
}

TEST(PortMapFile, LoadedFromTheStartDirectory) {
    TestSession ts;
    TestDir dir;
    EXPECT_EQ(loadPortMap(ts.s, dir.path()), 0);
    EXPECT_EQ(ts.s.portPaths, defaultPortPaths());
    EXPECT_TRUE(ts.fe.boxes.isEmpty());

    dir.writeLines(QStringLiteral("zelvor.ports"),
                   {QStringLiteral("COM4=/dev/ttyACM0"), QStringLiteral("COM9=x")});
    EXPECT_EQ(loadPortMap(ts.s, dir.path()), 1);
    EXPECT_EQ(ts.s.portPaths[3], QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(portDevice(ts.s, 3), QStringLiteral("/dev/ttyACM0"));
    ASSERT_EQ(ts.fe.boxes.size(), 1);
    EXPECT_TRUE(ts.fe.boxes[0].contains(QStringLiteral("COM9=x")));

    ts.s.portOverride = QStringLiteral("/dev/pts/4");
    EXPECT_EQ(portDevice(ts.s, 0), QStringLiteral("/dev/pts/4"));
    EXPECT_EQ(portName(0), QStringLiteral("Com1"));
    EXPECT_EQ(portName(7), QStringLiteral("Com4"));
}
