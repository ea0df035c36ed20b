// zelvor-cli convert and checksum, run as a program.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include <QFileInfo>

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
    ASSERT_EQ(cli(d, {"convert", "a.hex", "b.img", "--format", "bin"}, &out), 0) << out.constData();
    EXPECT_EQ(d.readBytes("b.img"), img);

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
