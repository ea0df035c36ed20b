// HEX files against tools written elsewhere: our files read by srec_cat and objcopy, and
// files of srec_cat, gpasm, sdcc and avr-gcc loaded by us. A test whose tool is missing
// is skipped.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

const QString kFixtures = QStringLiteral(ZELVOR_BUFFER_FIXTURES);

#define NEED_TOOL(name)                                                                            \
    if (!haveTool(QStringLiteral(name))) GTEST_SKIP() << name " is not installed"

// The bytes a HEX file holds from address 0, gaps 0xFF, as objcopy sees them.
QByteArray objcopyBytes(const TestDir& d, const QString& hex) {
    const QString out = d.file("objcopy.bin");
    QByteArray log;
    EXPECT_EQ(run("objcopy", {"-I", "ihex", "-O", "binary", "--gap-fill", "0xFF", hex, out}, &log),
              0)
        << log.constData();
    EXPECT_TRUE(log.isEmpty()) << log.constData();
    QFile f(out);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The same as srec_cat sees them.
QByteArray srecBytes(const TestDir& d, const QString& hex) {
    const QString out = d.file("srec.bin");
    QByteArray log;
    EXPECT_EQ(run("srec_cat",
                  {hex, "-intel", "-fill", "0xFF", "-over", hex, "-intel", "-o", out, "-binary"},
                  &log),
              0)
        << log.constData();
    EXPECT_TRUE(log.isEmpty()) << log.constData();
    QFile f(out);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whole pages of the buffer, as the writer puts them in a file.
QByteArray pagesOf(const Session& s) {
    return imageBytes(s, qint64(s.buf.pageCount()) * 2048);
}

void picChip(TestSession& t) {
    t.s.rom.devClass = 5;
    t.s.rom.algCode = 27;
    t.s.rom.dataWidth = 14;
    t.s.settings.autoData = 1;
    Inc_data(t.s);
}

} // namespace

TEST(Interop, OurHexFilesReadByObjcopyAndSrecCat) {
    NEED_TOOL("objcopy");
    NEED_TOOL("srec_cat");
    TestDir d;
    for (qint64 size :
         {qint64(100), qint64(0x10000), qint64(80 * 1024), qint64(0x100000), qint64(16) << 20}) {
        TestSession t;
        setImage(t.s, pattern(size, quint32(size)));
        const QString hex = d.file("o.hex");
        ASSERT_EQ(SaveHex(t.s, hex), FileOk);
        const QByteArray want = pagesOf(t.s);
        EXPECT_TRUE(objcopyBytes(d, hex) == want) << "objcopy, size " << size;
        EXPECT_TRUE(srecBytes(d, hex) == want) << "srec_cat, size " << size;
    }
}

TEST(Interop, SixteenBitAndPicImagesReadByTools) {
    NEED_TOOL("objcopy");
    NEED_TOOL("srec_cat");
    TestDir d;
    TestSession t;
    t.s.rom.dataWidth = 16;
    setImage(t.s, pattern(6000));
    ASSERT_EQ(SaveHex(t.s, d.file("w.hex")), FileOk);
    QByteArray want = pagesOf(t.s);
    for (int i = 0; i < want.size(); i += 2)
        std::swap(want[i], want[i + 1]);
    EXPECT_TRUE(objcopyBytes(d, d.file("w.hex")) == want);
    EXPECT_TRUE(srecBytes(d, d.file("w.hex")) == want);

    TestSession p;
    picChip(p);
    const QByteArray img = pattern(0x4200 + 64);
    setImage(p.s, img);
    ASSERT_EQ(SaveHex(p.s, d.file("p.hex")), FileOk);
    QByteArray code = img.left(0x4200);
    for (int i = 0; i < code.size(); i += 2)
        std::swap(code[i], code[i + 1]);
    QByteArray cells;
    for (int i = 0; i < 64; ++i)
        cells.append(char(0)).append(img[0x4200 + i]);
    EXPECT_TRUE(objcopyBytes(d, d.file("p.hex")) == code + cells);
    EXPECT_TRUE(srecBytes(d, d.file("p.hex")) == code + cells);
}

TEST(Interop, SrecCatFilesWithSegmentAndLinearRecords) {
    NEED_TOOL("srec_cat");
    TestDir d;
    const QByteArray img = pattern(200 * 1024 + 5, 7);
    d.writeBytes("r.bin", img);
    for (const char* len : {"-Address_Length=3", "-Address_Length=4"}) {
        QByteArray log;
        ASSERT_EQ(run("srec_cat",
                      {d.file("r.bin"), "-binary", "-o", d.file("r.hex"), "-intel", len}, &log),
                  0)
            << log.constData();
        TestSession t;
        ASSERT_EQ(LoadHex(t.s, d.file("r.hex")), FileOk) << len;
        EXPECT_EQ(t.s.buf.size, img.size());
        EXPECT_TRUE(imageBytes(t.s) == img) << len;
    }
}

TEST(Interop, PicAssemblerFileLandsInTheBufferForm) {
    NEED_TOOL("gpasm");
    TestDir d;
    QByteArray log;
    ASSERT_EQ(run("gpasm", {"-o", d.file("pic.hex"), kFixtures + "/pic16.asm"}, &log, d.path()), 0)
        << log.constData();
    for (const char* form : {"", "inhx8m"}) {
        if (*form) {
            ASSERT_EQ(run("gpasm", {"-a", form, "-o", d.file("pic.hex"), kFixtures + "/pic16.asm"},
                          &log, d.path()),
                      0);
        }
        TestSession t;
        picChip(t);
        ASSERT_EQ(LoadHex(t.s, d.file("pic.hex")), FileOk) << form;
        const QByteArray img = imageBytes(t.s);
        // goto 4 = 0x2804, stored with the word's bytes exchanged.
        EXPECT_EQ(img.left(2), QByteArray("\x28\x04", 2));
        EXPECT_EQ(img.mid(8, 2), QByteArray("\x30\x55", 2)); // movlw 0x55
        EXPECT_EQ(img.mid(0x400E, 2), QByteArray("\x3F\xF1", 2));
        EXPECT_EQ(t.s.buf.size, 0x4204);
        EXPECT_EQ(img.mid(0x4200), QByteArray("\x11\x22\x33\xA5", 4));
    }
}

TEST(Interop, Mcs51ProgramFromSdcc) {
    NEED_TOOL("sdcc");
    NEED_TOOL("objcopy");
    TestDir d;
    QFile::copy(kFixtures + "/mcs51.c", d.file("mcs51.c"));
    QByteArray log;
    ASSERT_EQ(run("sdcc", {"-mmcs51", "mcs51.c"}, &log, d.path()), 0) << log.constData();
    TestSession t;
    ASSERT_EQ(LoadHex(t.s, d.file("mcs51.ihx")), FileOk);
    const QByteArray want = objcopyBytes(d, d.file("mcs51.ihx"));
    ASSERT_GT(want.size(), 16);
    EXPECT_EQ(t.s.buf.size, want.size());
    EXPECT_TRUE(imageBytes(t.s) == want);
    EXPECT_TRUE(imageBytes(t.s).contains(QByteArray("\x01\x02\x04\x08\x10\x20\x40\x80", 8)));
}

TEST(Interop, AvrProgramFromAvrGccWithEepromAboveEightMiB) {
    NEED_TOOL("avr-gcc");
    NEED_TOOL("avr-objcopy");
    TestDir d;
    QByteArray log;
    ASSERT_EQ(run("avr-gcc", {"-mmcu=atmega8", "-Os", "-o", d.file("a.elf"), kFixtures + "/avr.c"},
                  &log, d.path()),
              0)
        << log.constData();
    ASSERT_EQ(run("avr-objcopy", {"-O", "ihex", "-j", ".text", "-j", ".data", d.file("a.elf"),
                                  d.file("flash.hex")}),
              0);
    ASSERT_EQ(run("avr-objcopy", {"-O", "binary", "-j", ".text", "-j", ".data", d.file("a.elf"),
                                  d.file("flash.bin")}),
              0);
    TestSession t;
    t.s.rom.devClass = 6;
    t.s.rom.dataWidth = 16;
    ASSERT_EQ(LoadHex(t.s, d.file("flash.hex")), FileOk);
    const QByteArray want = d.readBytes("flash.bin");
    ASSERT_GT(want.size(), 32);
    EXPECT_EQ(t.s.buf.size, want.size());
    EXPECT_TRUE(imageBytes(t.s) == want);

    // The whole file, EEPROM at 0x810000 behind an extended linear address record.
    ASSERT_EQ(run("avr-objcopy", {"-O", "ihex", d.file("a.elf"), d.file("all.hex")}), 0);
    ASSERT_EQ(LoadHex(t.s, d.file("all.hex")), FileOk);
    EXPECT_EQ(t.s.buf.size, 0x810004);
    const QByteArray all = imageBytes(t.s);
    EXPECT_TRUE(all.left(want.size()) == want);
    EXPECT_EQ(all.mid(0x810000), QByteArray("\xDE\xAD\xBE\xEF", 4));
}
