// A long erase keeps the front end alive: while the host waits through its reply tries for
// the programmer to finish, events are pumped every few dozen milliseconds, not once per
// command. Time is simulated (the emulator's erase sleeps on the same clock), so the wait
// of many reply time-outs takes a moment and its readings are exact.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"
#include "SimulatedClock.h"
#include "app/Messages.h"
#include "app/Session.h"
#include "link/Port.h"
#include "ops/Engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace zelvor;
using namespace zelvor::test;

namespace {

class EraseWait : public EmulatorFixture {
  protected:
    void TearDown() override {
        (void)Close_com(s);
        clock.sleepMs(1 << 30); // wakes an erase that a failed test left waiting
        EmulatorFixture::TearDown();
        clock.leave();
    }

    ScriptedFrontEnd fe;
    SimulatedClock clock;
    Session s{fe, clock};
};

} // namespace

TEST_F(EraseWait, EventsArePumpedThroughoutTheReplyTries) {
    ensureQtApp();
    constexpr int kEraseMs = 20000; // some forty reply time-outs of the host
    emu::EmulatorOptions options;
    std::string error;
    ASSERT_TRUE(options.profile.set("alg", "58", error)) << error;
    ASSERT_TRUE(options.profile.set("erase-ms", std::to_string(kEraseMs), error)) << error;
    options.eraseDelay = [this](int ms) { clock.sleepAsParty(ms); };
    clock.join();
    startEmulator(std::move(options));
    s.portOverride = QString::fromStdString(slavePath());
    allocLinkBuffers(s);
    Reopen_com(s);
    ASSERT_EQ(s.link.portFailed, 0);

    s.rom.algCode = 58;
    s.rom.devClass = 2;
    s.rom.dataWidth = 16;
    s.rom.canErase = 1;
    s.rom.romLen = 0x10000;
    s.buf.addrStart = 0;
    s.buf.addrEnd = 0xFFFF;

    std::vector<qint64> pumpedAt;
    fe.onPump = [&] { pumpedAt.push_back(clock.nowMs()); };
    const qint64 start = clock.nowMs();
    EXPECT_EQ(ClearRomClick(s), 0);
    const qint64 end = clock.nowMs();

    EXPECT_EQ(fe.lastStatus(), s.text(msg::EraseDone));
    EXPECT_GE(end - start, kEraseMs);
    ASSERT_FALSE(pumpedAt.empty());
    pumpedAt.insert(pumpedAt.begin(), start);
    qint64 longestGap = 0;
    for (size_t i = 1; i < pumpedAt.size(); ++i)
        longestGap = std::max(longestGap, pumpedAt[i] - pumpedAt[i - 1]);
    EXPECT_LE(longestGap, 100);
    EXPECT_GE(end - pumpedAt.back(), 0);
    EXPECT_LE(end - pumpedAt.back(), 100);
}
