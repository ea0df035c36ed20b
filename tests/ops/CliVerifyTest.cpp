// zelvor-cli verify against the virtual programmer: after the compare's first difference it
// lists every range where the chip differs from the file, and fails.

#include "CliProcess.h"
#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "TestDir.h"

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

class CliVerify : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        copyCliStartFiles(dir);
    }
    TestDir dir;
};

TEST_F(CliVerify, ListsTheRangesThatDiffer) {
    startEmulator({{"alg", "11"}, {"class", "2"}, {"size", "131072"}});
    QByteArray img(0x3000, 0);
    for (int i = 0; i < img.size(); ++i) {
        img[i] = char(i * 13 + 5);
        chip().poke(0, std::uint32_t(i), std::uint8_t(img[i]));
    }
    dir.writeBytes("same.bin", img);
    for (int at : {0x7, 0x7FF, 0x800, 0x801, 0x2FFF})
        img[at] = char(~img[at]);
    dir.writeBytes("img.bin", img);
    const QStringList window{"--end", "2FFF", "--lang", "en"};
    QString out;

    EXPECT_EQ(
        runCli(dir, slavePath(), QStringList{"verify", "base:29F010", "same.bin"} + window, &out),
        0)
        << out.toStdString();
    EXPECT_FALSE(out.contains("ranges")) << out.toStdString();

    EXPECT_EQ(
        runCli(dir, slavePath(), QStringList{"verify", "base:29F010", "img.bin"} + window, &out),
        1);
    EXPECT_TRUE(out.contains("Not compare to the address: 000007")) << out.toStdString();
    EXPECT_TRUE(out.contains("The device contains differences from the original  "))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith("0000007-0000007\n00007FF-0000801\n0002FFF-0002FFF\n"
                             "3 ranges, 5 bytes differ\n"))
        << out.toStdString();
}

} // namespace
} // namespace zelvor::test
