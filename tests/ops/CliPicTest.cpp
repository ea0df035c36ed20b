// zelvor-cli read, write and verify of PIC18 parts with their data memory and configuration
// (--with), run as a program against the virtual programmer.

#include "CliProcess.h"
#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "TestDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

class CliPic : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        copyCliStartFiles(dir);
    }

    // zelvor-cli at the fastest link speed, in English; the exit status, stdout in `out`.
    int cli(const QStringList& args, QString* out = nullptr) {
        return runCli(dir, slavePath(), QStringList{"--lang", "en", "--baud", "460800"} + args,
                      out);
    }

    QByteArray chipBytes(int area, std::uint32_t at, std::uint32_t n) {
        const auto v = chip().peekRange(area, at, n);
        return QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size()));
    }

    TestDir dir;
};

constexpr std::uint32_t kCfgAt = 0x300000;

// A PIC18 whose code fits in 16 KiB: its fourteen configuration bytes are read into the
// image at 0x4000, compared byte by byte and programmed back from there.
TEST_F(CliPic, Pic18ConfigurationTravelsWithTheImage) {
    startEmulator({{"alg", "43"}, {"class", "5"}});
    const QByteArray cfg = QByteArray::fromHex("0022080E0001810003C00FE00F40");
    for (std::uint32_t i = 0; i < 0x800; ++i)
        chip().poke(0, i, std::uint8_t(i * 7 + 1));
    for (int i = 0; i < cfg.size(); ++i)
        chip().poke(2, kCfgAt + std::uint32_t(i), std::uint8_t(cfg[i]));
    const QByteArray code = chipBytes(0, 0, 0x800);
    // VERB base:PIC18F242 FILE-ARGS --end 7FF --with config
    const auto line = [](const char* verb, const QStringList& file) {
        return QStringList{verb, "base:PIC18F242"} + file +
               QStringList{"--end", "7FF", "--with", "config"};
    };
    QString out;

    ASSERT_EQ(cli(line("read", {"-o", "r.bin"}), &out), 0) << out.toStdString();
    const QByteArray image = dir.readBytes("r.bin");
    ASSERT_EQ(image.size(), 0x4010);
    EXPECT_EQ(image.left(0x800), code);
    EXPECT_EQ(image.mid(0x4000, 14), cfg);
    EXPECT_EQ(image.mid(0x400E, 2), QByteArray(2, '\xFF')) << "only the bytes that arrived";

    EXPECT_EQ(cli(line("verify", {"r.bin"}), &out), 0) << out.toStdString();
    // One configuration bit changed on the chip: the verify names its place and fails.
    chip().poke(2, kCfgAt + 3, std::uint8_t(cfg[3] ^ 0x02));
    EXPECT_EQ(cli(line("verify", {"r.bin"}), &out), 1);
    EXPECT_TRUE(
        out.contains("Not compare to the address: 4003 it Is written down: 0C Should be: 0E"))
        << out.toStdString();

    // Into an erased part: the code and the configuration arrive.
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(chip().eraseAll(emu::Physics::AnyValue));
    EXPECT_EQ(cli(line("write", {"r.bin"}), &out), 0) << out.toStdString();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chipBytes(0, 0, 0x800), code);
    EXPECT_EQ(chipBytes(2, kCfgAt, 14), cfg);
}

// A PIC18 with 32 KiB of code leaves no room for the extras at 0x4000 and 0x4200: every
// command says they were not included and exits non-zero, after doing the code area.
TEST_F(CliPic, ExtrasLeftOutForALargeCodeAreaFailTheRun) {
    startEmulator({{"alg", "43"}, {"class", "5"}});
    const QByteArray img(256, '\x5A');
    dir.writeBytes("img.bin", img);
    const QString said = "The data/configuration area is not included";
    for (const char* with : {"data", "config"}) {
        for (const char* verb : {"write", "verify", "read"}) {
            SCOPED_TRACE(std::string(verb) + " --with " + with);
            QStringList line{verb, "base:PIC18F252"};
            line += QString::fromLatin1(verb) == "read" ? QStringList{"-o", "r.bin"}
                                                        : QStringList{"img.bin"};
            line += QStringList{"--end", "FF", "--with", with};
            QFile::remove(dir.file("r.bin"));
            QString out;
            EXPECT_EQ(cli(line, &out), 1) << out.toStdString();
            EXPECT_TRUE(out.contains(said)) << out.toStdString();
        }
        // The code area was done: programmed, compared equal, and read into the file.
        EXPECT_EQ(dir.readBytes("r.bin"), img);
    }
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().peek(1, 0), 0xFF);
    EXPECT_EQ(chip().peek(2, kCfgAt), 0xFF);
}

} // namespace
} // namespace zelvor::test
