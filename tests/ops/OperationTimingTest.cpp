// The time and rate of an operation beside its result (status panel, message list, journal
// file), and the pace of the progress display's repaints, on the injected clock.

#include "TestDir.h"
#include "TestSession.h"

#include "app/Messenger.h"
#include "buffer/BufferInit.h"
#include "journal/Journal.h"
#include "link/Port.h"
#include "ops/Engine.h"
#include "ops/OperationTiming.h"
#include "ops/ProgressPace.h"
#include "program/Commands.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

TEST(OperationTiming, TextShowsMinutesSecondsAndTheAverageRate) {
    struct Case {
        bool english;
        qint64 ms;
        qint64 bytes;
        const char* want;
    };
    const Case cases[] = {
        {false, 0, 0, "00:00"},
        {false, 0, 4096, "00:00"}, // no time passed: no rate to tell
        {false, 999, 0, "00:00"},  // an erase: time only
        {false, 1000, 2048, "00:01, 2048 байт/с"},
        {true, 1000, 2048, "00:01, 2048 bytes/s"},
        {false, 250, 1000, "00:00, 4000 байт/с"},
        {false, 6000, 8192, "00:06, 1365 байт/с"},
        {true, 59999, 1, "00:59, 0 bytes/s"},
        {false, 61000, 524288, "01:01, 8594 байт/с"},
        {false, 100 * 60000 + 5000, 0, "100:05"}, // long reads of big chips run past the hour
        {false, -20, 10, "00:00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(timingText(c.english, c.ms, c.bytes), QString::fromUtf8(c.want))
            << c.ms << " ms " << c.bytes << " bytes";
}

TEST(OperationTiming, BarRepaintsAtMostEvery40MsButAlwaysAtItsEnds) {
    struct Step {
        qint64 now;
        int position;
        bool due;
    };
    const Step steps[] = {
        {1000, 0, true},   {1001, 100, false},  {1039, 200, false},
        {1040, 300, true}, {1041, 400, false},  {1079, 500, false},
        {1085, 600, true}, {1086, 65535, true}, {1086, 65535, true},
    };
    ProgressPace pace;
    pace.begin(1000);
    for (const Step& st : steps)
        EXPECT_EQ(pace.barDue(st.now, st.position), st.due) << st.now << " " << st.position;
}

// A demo-mode programmer: every exchange succeeds at once; each block's pause for events
// moves the clock on by 1.5 s.
class TimedOperation : public ::testing::Test {
  protected:
    TimedOperation() {
        s.settings.english = 0;
        s.link.demoMode = 1;
        allocLinkBuffers(s);
        s.rom.algCode = 7; // a plain EPROM of 64 KiB, 8 bits wide
        s.rom.dataWidth = s.rom.baseWidth = 8;
        s.rom.canRead = s.rom.canErase = 1;
        s.rom.romLen = 0x10000;
        s.buf.addrEnd = 8191; // four blocks
        InitMem(s);
        ts.clock.now = 5000;
        ts.fe.onPump = [this] { ts.clock.now = 5000 + 1500 * ts.fe.pumps; };
        openJournal(s, dir.path());
    }
    QStringList journalFile() {
        closeJournal(s);
        auto decode = QStringDecoder("windows-1251");
        const QString text = decode(dir.readBytes(QLatin1String(kJournalFile)));
        return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    TestDir dir;
    TestSession ts;
    Session& s = ts.s;
};

TEST_F(TimedOperation, ResultCarriesTimeAndRateOnlyOnItsOwnLine) {
    ShowMessageS(s, QStringLiteral("before"));
    EXPECT_EQ(runCommand(s, Command::ReadChip), 0);
    const QString note = QStringLiteral("00:06, 1365 байт/с"); // 8192 bytes in 6 s
    EXPECT_EQ(ts.fe.lastStatus(), s.text(msg::ReadDone));      // the message itself is unchanged
    EXPECT_EQ(ts.fe.timingPanel, note);
    EXPECT_EQ(s.run.msgLog.last(), s.text(msg::ReadDone) + " (" + note + ")  ");

    // A cancelled read reports nothing, and its time does not stick to the next message.
    ts.fe.cancelAfterSteps = int(ts.fe.progress.size()) + 2;
    EXPECT_EQ(runCommand(s, Command::ReadChip), opres::kCancelled);
    ts.fe.cancelAfterSteps = -1;
    ShowMessageS(s, QStringLiteral("after"));
    EXPECT_EQ(ts.fe.timingPanel, QString());

    // An erase has its time but no rate; clearing the status clears the time with it.
    ts.fe.onPump = [this] { ts.clock.advance(2000); };
    EXPECT_EQ(runCommand(s, Command::EraseChip), 0);
    EXPECT_EQ(ts.fe.timingPanel, QStringLiteral("00:02"));
    ShowMessageS(s, QString());
    EXPECT_EQ(ts.fe.timingPanel, QString());

    const QStringList want{QStringLiteral("before"), s.text(msg::ReadDone) + " (" + note + ")",
                           QStringLiteral("after"), s.text(msg::WaitErase),
                           s.text(msg::EraseDone) + " (00:02)"};
    EXPECT_EQ(journalFile(), want);
}

} // namespace
} // namespace zelvor::test
