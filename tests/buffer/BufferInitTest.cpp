// The buffer's own upkeep: view end, initial page, checksum, extra areas, byte exchange.

#include "BufferTestUtil.h"

#include "buffer/BufferInit.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(BufferInit, ViewEndRoundsUpToWholeViewPages) {
    TestSession t;
    const std::pair<int, int> cases[] = {{300, 511}, {512, 511}, {256, 255}, {1, 255}, {257, 511}};
    for (auto [size, viewEnd] : cases) {
        t.s.buf.size = size;
        Cnt_sizeb(t.s);
        EXPECT_EQ(t.s.buf.viewEnd, viewEnd) << "size " << size;
    }
}

TEST(BufferInit, InitMemGivesOneErasedPageOf256Bytes) {
    TestSession t;
    setImage(t.s, pattern(5000));
    t.s.buf.checkSum = 0x1234;
    InitMem(t.s);
    ASSERT_EQ(t.s.buf.pageCount(), 1);
    EXPECT_EQ(t.s.buf.size, 256);
    EXPECT_EQ(t.s.buf.viewEnd, 255);
    EXPECT_EQ(t.s.buf.checkSum, 0);
    EXPECT_EQ(imageBytes(t.s, 2048), QByteArray(2048, char(0xFF)));
    EXPECT_GE(t.fe.refreshes, 1);
}

TEST(BufferInit, ChecksumAddsTheImageBytesAndWraps) {
    TestSession t;
    InitMem(t.s);
    Count_sum(t.s, 1);
    EXPECT_EQ(t.s.buf.checkSum, 0xFF00);

    setImage(t.s, QByteArray(300, char(0xFF)));
    Count_sum(t.s, 1);
    EXPECT_EQ(t.s.buf.checkSum, 0x2AD4);

    // Several pages: every byte of the full pages, lastLen of the last.
    QByteArray img = pattern(5000);
    setImage(t.s, img);
    quint32 sum = 0;
    for (char c : img)
        sum += quint8(c);
    Count_sum(t.s, 1);
    EXPECT_EQ(t.s.buf.checkSum, quint16(sum));

    // Full pages of 0xFF stress the widest sums; odd lengths the tail bytes.
    for (int size : {2048, 4096 + 7, 6143, 2048 * 5 + 1}) {
        QByteArray ff(size, char(0xFF));
        setImage(t.s, ff);
        Count_sum(t.s, 1);
        EXPECT_EQ(t.s.buf.checkSum, quint16(quint32(size) * 255u)) << size;
    }
}

TEST(BufferInit, ChecksumAfterA16BitReadCountsLastLenInWords) {
    TestSession t;
    t.s.rom.dataWidth = 16;
    setImage(t.s, QByteArray(2048 + 100, char(1)));
    t.s.buf.lastLen = 50; // 50 words read into the last page
    Count_sum(t.s, 0);
    EXPECT_EQ(t.s.buf.checkSum, 2048 + 100);
    Count_sum(t.s, 1); // bytes: only 50 of the last page
    EXPECT_EQ(t.s.buf.checkSum, 2048 + 50);
}

TEST(BufferInit, IncDataPlacesThePicAreasAndTheLdrom) {
    TestSession t;
    t.s.rom.devClass = 5;
    t.s.rom.algCode = 27;
    Inc_data(t.s);
    EXPECT_EQ(t.s.buf.dataOfs, 0x4200);
    EXPECT_EQ(t.s.buf.cfgwOfs, 0x4000);

    TestSession l;
    l.s.rom.algCode = 32;
    l.s.rom.romLen = 0x10000;
    l.s.settings.autoData = 1;
    l.s.buf.addrStart = 5;
    Inc_data(l.s);
    EXPECT_EQ(l.s.buf.dataOfs, 0x10000);
    EXPECT_EQ(l.s.rom.romLen, 0x11000);
    EXPECT_EQ(l.s.buf.addrStart, 0);
    EXPECT_EQ(l.s.buf.addrEnd, 0x10FFF);

    TestSession o;
    o.s.rom.algCode = 3;
    o.s.rom.romLen = 1000;
    Inc_data(o.s);
    EXPECT_EQ(o.s.buf.dataOfs, 0);
    EXPECT_EQ(o.s.rom.romLen, 1000);
}

TEST(BufferInit, SwapExchangesPairsAndKeepsThePicDataArea) {
    TestSession t;
    setImage(t.s, QByteArray("\x01\x02\x03", 3));
    SwapBuf(t.s);
    // The odd last byte is paired with the erased byte after it.
    EXPECT_EQ(imageBytes(t.s, 4), QByteArray("\x02\x01\xFF\x03", 4));

    TestSession p;
    p.s.rom.devClass = 5;
    p.s.rom.algCode = 27;
    p.s.rom.dataWidth = 14;
    p.s.settings.autoData = 1;
    Inc_data(p.s);
    QByteArray img = pattern(0x4200 + 64);
    setImage(p.s, img);
    SwapBuf(p.s);
    const QByteArray after = imageBytes(p.s);
    EXPECT_EQ(after[0], img[1]);
    EXPECT_EQ(after[0x41FE], img[0x41FF]);
    EXPECT_EQ(after.mid(0x4200), img.mid(0x4200)); // one byte per cell, left alone
}
