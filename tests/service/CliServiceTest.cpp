// zelvor-cli's protection and service verbs against the virtual programmer: the texts on
// stdout, the exit status and the journal file.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "TestDir.h"
#include "app/TextFile.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

class CliService : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(f);
    }

    // Runs zelvor-cli in the test folder; returns the exit status, stdout in `out`.
    int cli(QStringList args, QString* out = nullptr) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        args = QStringList{"--port", QString::fromStdString(slavePath()), "--dir", dir.path(),
                           "--quiet"} +
               args;
        p.start(QStringLiteral(ZELVOR_BINARY_DIR "/src/cli/zelvor-cli"), args);
        if (!p.waitForFinished(60000)) return -1;
        if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    }

    TestDir dir;
};

TEST_F(CliService, FusesWriteReadAndJournal) {
    startEmulator({{"class", "6"}, {"alg", "52"}, {"id", "1E 90 07"}});
    QString out;
    EXPECT_EQ(
        cli({"--lang", "en", "--journal", "fuses", "write", "base:ATtiny13", "--low", "6A"}, &out),
        0);
    EXPECT_TRUE(out.contains("Fuse bits is set \n")) << out.toStdString();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().fuse(1), 0x6A);
    const QStringList log = readTextLines(dir.file("zelvor.log")).value_or(QStringList());
    EXPECT_EQ(log.value(0), "Device:ATtiny13    /CODE");
    EXPECT_TRUE(log.contains("Fuse bits is set ")) << log.join('|').toStdString();

    EXPECT_EQ(cli({"--lang", "ru", "fuses", "read", "base:ATtiny13"}, &out), 0);
    EXPECT_TRUE(out.contains("Биты конфигурации считаны")) << out.toStdString();
    EXPECT_TRUE(out.contains("low=6A"));

    EXPECT_EQ(cli({"id", "base:ATtiny13"}, &out), 0);
    EXPECT_TRUE(out.contains("id=1E 90 07")) << out.toStdString();
}

TEST_F(CliService, UsageErrorsAndFailures) {
    startEmulator({{"class", "3"}, {"alg", "13"}, {"fail", "0x10"}});
    EXPECT_EQ(cli({"fuses", "write", "base:ATtiny13"}), 2) << "no value to write";
    EXPECT_EQ(cli({"fuses", "write", "base:ATtiny13", "--low", "XYZ"}), 2);
    EXPECT_EQ(cli({"bbl", "set", "base:49F001"}), 2) << "--block missing";
    EXPECT_EQ(cli({"lock", "base:27256", "--bits", "4"}), 2);
    QString out;
    EXPECT_EQ(cli({"--lang", "ru", "ramtest", "base:6116"}, &out), 1);
    EXPECT_TRUE(out.contains("Тест ОЗУ не прошел")) << out.toStdString();
    EXPECT_EQ(cli({"--lang", "ru", "ramtest", "base:6116", "--start", "100", "--end", "1FF"}, &out),
              0);
    EXPECT_TRUE(out.contains("Тест ОЗУ выполнен успешно"));
    EXPECT_EQ(cli({"badblocks", "base:27256"}), 1) << "no markers to scan";
    EXPECT_EQ(cli({"--lang", "en", "sdp", "base:27256"}, &out), 1);
    EXPECT_TRUE(out.contains("The \"Mode SDP Enable/Disable\" is not supported"));
}

} // namespace
} // namespace zelvor::test
