// zelvor-cli's protection and service verbs against the virtual programmer: the texts on
// stdout, the exit status and the journal file.

#include "CliProcess.h"
#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "TestDir.h"
#include "app/TextFile.h"

#include <QFile>

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
    int cli(const QStringList& args, QString* out = nullptr) {
        return runCliOnPort(dir.path(), QString::fromStdString(slavePath()), args, out);
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

// A misspelt option, a repeated one and one of another verb: a usage error before the port
// is opened, for every verb; the programmer hears nothing.
TEST_F(CliService, OptionErrorsSendNothing) {
    startEmulator({{"class", "3"}, {"alg", "13"}});
    dir.writeBytes("img.bin", QByteArray(16, '\x55'));
    struct Case {
        QStringList line;  // a valid command
        QStringList twice; // an option of the verb given twice
        const char* foreign;
    };
    const Case cases[] = {
        {{"info", "base:27256"}, {"--quiet"}, "--steps"},
        {{"ports"}, {"--quiet"}, "--start"},
        {{"convert", "img.bin", "o.hex"}, {"--offset", "0"}, "--start"},
        {{"checksum", "img.bin"}, {"--format", "bin"}, "--with"},
        {{"edit", "img.bin", "o.bin", "--op", "swap"}, {"--format", "bin"}, "--steps"},
        {{"listing", "img.bin"}, {"--first", "0"}, "-o"},
        {{"chips"}, {"--quiet"}, "--format"},
        {{"support-lists"}, {"--quiet"}, "--format"},
        {{"read", "base:27256", "-o", "r.bin"}, {"-o", "s.bin"}, "--steps"},
        {{"write", "base:27256", "img.bin"}, {"--start", "0"}, "--steps"},
        {{"verify", "base:27256", "img.bin"}, {"--end", "F"}, "-o"},
        {{"erase", "base:27256"}, {"--area", "code"}, "--format"},
        {{"blank", "base:27256"}, {"--start", "0"}, "--offset"},
        {{"id", "base:27256"}, {"--quiet"}, "--start"},
        {{"lock", "base:27256"}, {"--bits", "1"}, "--block"},
        {{"x2", "base:27256"}, {"--quiet"}, "--bits"},
        {{"fuses", "read", "base:27256"}, {"--low", "1"}, "--word"},
        {{"config", "read", "base:27256"}, {"--word", "1"}, "--block"},
        {{"auto", "base:27256", "img.bin"}, {"--steps", "write"}, "--bits"},
        {{"repeat", "base:27256", "img.bin"}, {"--start", "0"}, "--steps"},
        {{"bbl", "read", "base:27256"}, {"--block", "lower"}, "--bits"},
        {{"sdp", "base:27256"}, {"--quiet"}, "--start"},
        {{"ramtest", "base:27256"}, {"--start", "0"}, "--area"},
        {{"badblocks", "base:27256"}, {"--quiet"}, "--start"},
        {{"fw-version"}, {"--quiet"}, "--start"},
        {{"fw-update", "img.bin"}, {"--format", "bin"}, "--start"},
        {{"program-switch"}, {"--quiet"}, "--format"},
        {{"selftest", "base:27256"}, {"--start", "0"}, "--with"},
    };
    for (const Case& c : cases) {
        const std::string what = c.line.join(' ').toStdString();
        EXPECT_EQ(cli(c.line + QStringList{"--strat", "1000"}), 2) << what;
        EXPECT_EQ(cli(c.line + c.twice + c.twice), 2) << what;
        EXPECT_EQ(cli(c.line + QStringList{c.foreign, "1"}), 2) << what;
    }
    EXPECT_TRUE(transcript().empty()) << transcript().front();
    EXPECT_FALSE(QFile::exists(dir.file("r.bin")));
    EXPECT_FALSE(QFile::exists(dir.file("s.bin")));
}

} // namespace
} // namespace zelvor::test
