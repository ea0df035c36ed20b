// zelvor-cli convert and checksum, run as a program.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace zelvor::test;

namespace {
const QString kCli = QStringLiteral(ZELVOR_BINARY_DIR "/src/cli/zelvor-cli");

int cli(const TestDir& d, const QStringList& args, QByteArray* out = nullptr) {
    return run(kCli, QStringList{"--dir", d.path(), "--lang", "en"} + args, out, d.path());
}
} // namespace

TEST(CliFiles, ConvertRoundTripAndChecksum) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    const QByteArray img = pattern(4096, 3);
    d.writeBytes("a.bin", img);
    QByteArray out;
    ASSERT_EQ(cli(d, {"convert", "a.bin", "a.hex"}, &out), 0) << out.constData();
    EXPECT_TRUE(out.contains("File a.hex saved")) << out.constData();
    ASSERT_EQ(cli(d, {"convert", "a.hex", "b.bin"}, &out), 0) << out.constData();
    EXPECT_EQ(d.readBytes("b.bin"), img);

    quint32 sum = 0;
    for (char c : img)
        sum += quint8(c);
    ASSERT_EQ(cli(d, {"checksum", "a.hex"}, &out), 0);
    const QByteArray last = out.trimmed().split('\n').last().trimmed();
    EXPECT_EQ(last, QByteArray::number(sum & 0xFFFF, 16).toUpper().rightJustified(4, '0'));

    // The BIN offset skips the head of the file.
    ASSERT_EQ(cli(d, {"checksum", "a.bin", "--offset", "800"}, &out), 0);
    quint32 tail = 0;
    for (char c : img.mid(0x800))
        tail += quint8(c);
    EXPECT_TRUE(out.trimmed().endsWith(
        QByteArray::number(tail & 0xFFFF, 16).toUpper().rightJustified(4, '0')));
}

TEST(CliFiles, FailuresAndUsage) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    QByteArray out;
    d.writeBytes("bad.hex", ":10000000zz\r\n");
    EXPECT_EQ(cli(d, {"checksum", "bad.hex"}, &out), 1);
    EXPECT_TRUE(out.contains("Invalid file format, line 1")) << out.constData();
    EXPECT_EQ(cli(d, {"convert", "missing.bin", "x.hex"}, &out), 1);
    EXPECT_TRUE(out.contains("not found")) << out.constData();
    EXPECT_EQ(cli(d, {"convert", "a.txt", "x.hex"}), 2);
    EXPECT_EQ(cli(d, {"checksum"}), 2);
    // Declining to replace OUT leaves it alone.
    d.writeBytes("a.bin", "1234");
    d.writeBytes("keep.hex", "old");
    EXPECT_EQ(cli(d, {"--no", "convert", "a.bin", "keep.hex"}), 1);
    EXPECT_EQ(d.readBytes("keep.hex"), QByteArray("old"));
}

// --format wins over the name, the name over the first line; the words are any case.
TEST(CliFiles, FormatWordsAndPrecedence) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    const QByteArray img = pattern(64, 5);
    d.writeBytes("a.bin", img);
    QByteArray out;
    for (const char* f : {"prgplus.lst", "prgadapt.lst"})
        d.copyData(f);
    // --format names every file of the verb: a.bin is then read as HEX, and is not.
    EXPECT_EQ(cli(d, {"--yes", "convert", "a.bin", "out.dat", "--format", "HEX"}, &out), 1);
    EXPECT_TRUE(out.contains("Invalid file format")) << out.constData();
    struct Case {
        QStringList args;
        int rc;
        const char* outFile; // saved file that must start with ':' (HEX), or nullptr
    };
    const Case cases[] = {
        {{"convert", "a.bin", "b.ihx"}, 0, "b.ihx"},
        {{"convert", "b.ihx", "c.ihex"}, 0, "c.ihex"},
        {{"convert", "c.ihex", "prog.a51"}, 2, nullptr}, // an output name that tells nothing
        {{"read", "base:2716", "-o", "r.dat", "--format", "Hex", "--demo"}, 0, "r.dat"},
        {{"read", "base:2716", "-o", "r.bin", "--format", "HEX", "--demo"}, 0, "r.bin"},
        {{"read", "base:2716", "-o", "r2.dat", "--format", "hex", "--demo"}, 0, "r2.dat"},
        {{"read", "base:2716", "-o", "r.x", "--format", "elf", "--demo"}, 2, nullptr},
        {{"read", "base:2716", "-o", "r.x", "--demo"}, 2, nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cli(d, QStringList{"--yes"} + c.args, &out), c.rc)
            << c.args.join(' ').toStdString() << out.constData();
        if (c.outFile) {
            EXPECT_TRUE(d.readBytes(c.outFile).startsWith(':')) << c.outFile;
        }
    }
    // A HEX file by another name is read as HEX; --format bin reads its text as bytes.
    d.writeBytes("prog.a51", d.readBytes("c.ihex"));
    ASSERT_EQ(cli(d, {"--yes", "convert", "prog.a51", "back.bin"}, &out), 0) << out.constData();
    EXPECT_EQ(d.readBytes("back.bin").left(img.size()), img); // HEX holds whole pages
    ASSERT_EQ(cli(d, {"--yes", "convert", "prog.a51", "raw.bin", "--format", "bin"}, &out), 0);
    EXPECT_EQ(d.readBytes("raw.bin"), d.readBytes("prog.a51"));
}

// Inputs that are not plain files with plain names, and outputs that are not files.
TEST(CliFiles, PipesNodesAndNames) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    const QByteArray img = pattern(5000, 9);
    quint32 sum = 0;
    for (char c : img)
        sum += quint8(c);
    const QByteArray sumText =
        QByteArray::number(sum & 0xFFFF, 16).toUpper().rightJustified(4, '0');

    QProcess p;
    p.setWorkingDirectory(d.path());
    p.start(kCli, {"--dir", d.path(), "checksum", "/dev/stdin", "--format", "bin"});
    ASSERT_TRUE(p.waitForStarted());
    p.write(img);
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished());
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().trimmed().endsWith(sumText));

    // A name that is not UTF-8 opens the file it names.
    d.writeBytes("img.bin", img);
    QByteArray out;
    const QString script = QStringLiteral("cp img.bin \"$(printf 'bad\\377name.bin')\" && \"$0\" "
                                          "--dir . checksum \"$(printf 'bad\\377name.bin')\"");
    for (const char* lang : {"C", "C.UTF-8"}) {
        QProcess sh;
        sh.setWorkingDirectory(d.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", lang);
        sh.setProcessEnvironment(env);
        sh.start("/bin/sh", {"-c", script, kCli});
        ASSERT_TRUE(sh.waitForFinished());
        EXPECT_EQ(sh.exitCode(), 0) << lang << sh.readAllStandardError().constData();
        EXPECT_TRUE(sh.readAllStandardOutput().trimmed().endsWith(sumText)) << lang;
    }

    // /dev/full takes nothing: the write error, a failure, and the node stays.
    EXPECT_EQ(cli(d, {"--yes", "convert", "img.bin", "/dev/full", "--format", "bin"}, &out), 1);
    EXPECT_TRUE(out.contains("Error at writing file /dev/full")) << out.constData();
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
}

// A file that may not be read is not "not found".
TEST(CliFiles, UnreadableFileIsNamedAsSuch) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    QByteArray out;
    d.writeBytes("secret.bin", "x");
    QFile::setPermissions(d.file("secret.bin"), QFileDevice::WriteOwner);
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    EXPECT_EQ(cli(d, {"checksum", "secret.bin"}, &out), 1);
    EXPECT_TRUE(out.contains("File secret.bin  cannot be read")) << out.constData();
}

// The smaller usage rules of the chip verbs, without a programmer.
TEST(CliFiles, ChipVerbWarningsAndRefusals) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    for (const char* f : {"prgplus.lst", "prgadapt.lst"})
        d.copyData(f);
    d.writeBytes("big.bin", pattern(0x1000, 2)); // a 2716 holds 0x800
    QByteArray out;
    EXPECT_EQ(cli(d, {"--demo", "write", "base:2716", "big.bin"}, &out), 0) << out.constData();
    EXPECT_TRUE(out.contains("warning: big.bin gives 4096 bytes, the chip holds 2048"))
        << out.constData();
    EXPECT_EQ(cli(d, {"--demo", "write", "NoSuchChip", "big.bin"}), 2);
    // Block chips take their window on 2 KiB boundaries, with the dialog's prompt.
    EXPECT_EQ(cli(d, {"--demo", "read", "base:29GL256x16", "--start", "801", "-o", "x.bin"}, &out),
              2);
    EXPECT_TRUE(out.contains("Device start block 2k")) << out.constData();
    EXPECT_EQ(cli(d, {"--port", "/nonexistent/tty", "read", "base:2716", "-o", "x.bin"}, &out), 1);
    EXPECT_TRUE(out.contains("/nonexistent/tty")) << out.constData();
}

// edit and listing: the buffer operations and the listing on files.
TEST(CliFiles, EditAndListing) {
    if (!QFileInfo::exists(kCli)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    d.writeBytes("a.bin", QByteArray::fromHex("0f0f0f0f"));
    QByteArray out;
    struct Case {
        QStringList args;
        int rc;
        QByteArray result;
    };
    const Case cases[] = {
        {{"--op", "and", "--mask", "3"}, 0, QByteArray::fromHex("03030303")},
        {{"--op", "xor", "--mask", "ff", "--start", "1", "--end", "2"},
         0,
         QByteArray::fromHex("0ff0f00f")},
        {{"--op", "or", "--mask", "f0", "--end", "4"}, 2, {}}, // past the buffer
        {{"--op", "swap"}, 0, QByteArray::fromHex("0f0f0f0f")},
        {{"--op", "swap", "--mask", "1"}, 2, {}},
        {{"--op", "and"}, 2, {}},
    };
    for (const Case& c : cases) {
        QFile::remove(d.file("b.bin"));
        EXPECT_EQ(cli(d, QStringList{"edit", "a.bin", "b.bin"} + c.args, &out), c.rc)
            << c.args.join(' ').toStdString() << out.constData();
        if (c.rc == 0) {
            EXPECT_EQ(d.readBytes("b.bin"), c.result) << c.args.join(' ').toStdString();
        }
    }
    ASSERT_EQ(cli(d, {"listing", "a.bin"}, &out), 0);
    EXPECT_TRUE(out.contains("0F0F0F0F")) << out.constData();
    EXPECT_EQ(cli(d, {"listing", "a.bin", "--first", "x"}), 2);
}
