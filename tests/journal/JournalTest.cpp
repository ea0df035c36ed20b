// The journal: the message list, zelvor.log and the viewer lines.

#include "journal/Journal.h"
#include "TestDir.h"
#include "TestSession.h"
#include "app/Messenger.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace zelvor;
using namespace zelvor::test;

namespace {

class JournalTest : public ::testing::Test {
  protected:
    void TearDown() override { closeJournal(ts.s); }
    TestSession ts;
    Session& s = ts.s;
    TestDir dir;
};

TEST_F(JournalTest, FileHoldsMessagesWithoutTrailingBlanksInWindows1251) {
    openJournal(s, dir.path());
    ShowMessageS(s, QStringLiteral("Файл a.bin считан в буфер"));
    ShowMessageS(s, QString()); // clearing the panel writes nothing
    logLine(s, QStringLiteral("Микросхема:27C256/CODE"));
    closeJournal(s);
    ShowMessageS(s, QStringLiteral("after"));
    EXPECT_EQ(
        dir.readBytes("zelvor.log"),
        QByteArray("\xD4\xE0\xE9\xEB a.bin \xF1\xF7\xE8\xF2\xE0\xED \xE2 \xE1\xF3\xF4\xE5\xF0\r\n"
                   "\xCC\xE8\xEA\xF0\xEE\xF1\xF5\xE5\xEC\xE0:27C256/CODE\r\n"));
    EXPECT_EQ(s.run.msgLog.value(0), QStringLiteral("Файл a.bin считан в буфер  "));
    EXPECT_EQ(s.run.msgLog.value(1), QStringLiteral("Микросхема:27C256/CODE"));
    EXPECT_EQ(s.run.logOn, 0);
}

TEST_F(JournalTest, SwitchingOnAgainStartsAnEmptyFile) {
    openJournal(s, dir.path());
    ShowMessageS(s, QStringLiteral("one"));
    closeJournal(s);
    openJournal(s, dir.path());
    ShowMessageS(s, QStringLiteral("two"));
    closeJournal(s);
    EXPECT_EQ(dir.readBytes("zelvor.log"), QByteArray("two\r\n"));
    EXPECT_EQ(s.run.msgLog.size(), 2) << "the list keeps everything";
}

TEST_F(JournalTest, MenuSwitchUsesTheCurrentDirectory) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    toggleJournal(s);
    EXPECT_EQ(s.run.logOn, 1);
    ShowMessageS(s, QStringLiteral("here"));
    toggleJournal(s);
    EXPECT_EQ(s.run.logOn, 0);
    QDir::setCurrent(before);
    EXPECT_EQ(dir.readBytes("zelvor.log"), QByteArray("here\r\n"));
}

TEST_F(JournalTest, UncreatableFileLeavesTheJournalOnAndHarmless) {
    openJournal(s, dir.file("no/such/folder"));
    EXPECT_EQ(s.run.logOn, 1);
    ShowMessageS(s, QStringLiteral("still shown"));
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("still shown"));
    EXPECT_EQ(s.run.msgLog.last(), QStringLiteral("still shown  "));
}

TEST_F(JournalTest, ViewerShowsTheListWithTheLastLineSelected) {
    int sel = 0;
    EXPECT_TRUE(journalViewLines(s, &sel).isEmpty());
    EXPECT_EQ(sel, -1);
    ShowMessageS(s, QStringLiteral("a"));
    ShowMessageS(s, QStringLiteral("b"));
    const QStringList first = journalViewLines(s, &sel);
    ShowMessageS(s, QStringLiteral("c"));
    const QStringList second = journalViewLines(s, &sel);
    EXPECT_EQ(first, QStringList({"a  ", "b  "}));
    EXPECT_EQ(second.mid(0, 2), first);
    EXPECT_EQ(sel, 2);
    EXPECT_EQ(journalViewCaption(s), QStringLiteral("View log"));
    s.settings.english = 0;
    EXPECT_EQ(journalViewCaption(s), QStringLiteral("Просмотр журнала"));
}

} // namespace
