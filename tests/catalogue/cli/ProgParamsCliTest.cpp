// zelvor-cli's programming parameters against the virtual programmer: the chosen voltages
// and algorithm reach the set-up packets of automatic programming, and what the parameters
// dialog greys out for a chip is a usage error before anything is programmed.

#include "CliProcess.h"
#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "TestDir.h"

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

class CliProgParams : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(f);
        QByteArray image(1024, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 7);
        dir.writeBytes("img.bin", image);
    }

    int cli(const QStringList& args, QString* err = nullptr) {
        return runCliOnPort(dir.path(), QString::fromStdString(slavePath()), args, nullptr, err);
    }

    // Byte `i` of every set-up packet sent, as hex text.
    std::vector<std::string> setupByte(int i) {
        std::vector<std::string> bytes;
        for (const std::string& line : transcriptOf("setup")) {
            const size_t at = line.find("\"hex\":\"");
            if (at != std::string::npos) bytes.push_back(line.substr(at + 7 + 2 * i, 2));
        }
        return bytes;
    }

    TestDir dir;
};

TEST_F(CliProgParams, ChosenVoltagesReachTheProgrammer) {
    startEmulator({{"alg", "3"}});
    ASSERT_EQ(cli({"auto", "base:27C256", "img.bin", "--vpp", "21", "--vcc", "3", "--alg",
                   "intelligent", "--steps", "write,verify"}),
              0);
    ASSERT_TRUE(waitIdle());
    // Byte 1: Vcc choice in bit 7, 3.00 V in bit 6, Vpp choice in bits 4-5; byte 2: the
    // pulse algorithm in bits 6-7 over the algorithm number.
    const auto b1 = setupByte(1);
    const auto b2 = setupByte(2);
    ASSERT_GE(b1.size(), 2u);
    EXPECT_EQ(std::stoi(b1.back(), nullptr, 16) & 0xF0, 0x50) << b1.back();
    EXPECT_EQ(b2.back(), "43");
}

TEST_F(CliProgParams, WhatTheDialogGreysOutIsRefused) {
    startEmulator({{"alg", "3"}});
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"auto", "W78E516", "img.bin", "--vpp", "21"}, "fixed voltages"},
        {{"write", "W78E516", "img.bin", "--vcc", "3"}, "fixed voltages"},
        {{"auto", "base:27C256", "img.bin", "--steps", "erase,write"}, "--steps erase"},
        {{"write", "base:27C256", "img.bin", "--with", "data"}, "--with data"},
        {{"auto", "base:PIC16F84", "img.bin", "--with", "data", "--vpp", "none"}, "fixed"},
    };
    for (const auto& c : cases) {
        QString err;
        EXPECT_EQ(cli(c.args, &err), 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QLatin1String(c.says))) << err.toStdString();
    }
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(transcriptOf("piece").empty());
    EXPECT_TRUE(transcriptOf("bulk").empty());
}

} // namespace
} // namespace zelvor::test
