// Binary files: load with the file offset, bounds, failed loads, atomic saves.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"

#include <QFile>

#include <algorithm>

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(BinFile, FileOfTwoPagesFillsThemExactly) {
    TestSession t;
    TestDir d;
    const QByteArray img = pattern(4096);
    d.writeBytes("a.bin", img);
    ASSERT_EQ(LoadBin(t.s, d.file("a.bin")), FileOk);
    EXPECT_EQ(t.s.buf.pageCount(), 2);
    EXPECT_EQ(t.s.buf.lastLen, 2048);
    EXPECT_EQ(t.s.buf.size, 4096);
    EXPECT_EQ(imageBytes(t.s), img);
    EXPECT_EQ(t.fe.lastStatus(), "File " + d.file("a.bin") + " is loaded in the buffer");
    quint32 sum = 0;
    for (char c : img)
        sum += quint8(c);
    EXPECT_EQ(t.s.buf.checkSum, quint16(sum));
}

TEST(BinFile, OffsetSkipsTheHeadAndPartialPageIsErasedBehind) {
    TestSession t;
    TestDir d;
    const QByteArray img = pattern(3000);
    d.writeBytes("a.bin", img);
    t.s.buf.fileOffset = 0x10;
    ASSERT_EQ(LoadBin(t.s, d.file("a.bin")), FileOk);
    EXPECT_EQ(t.s.buf.size, 3000 - 16);
    EXPECT_EQ(t.s.buf.lastLen, 3000 - 16 - 2048);
    EXPECT_EQ(t.s.buf.viewEnd, 3071);
    EXPECT_EQ(imageBytes(t.s), img.mid(16));
    EXPECT_EQ(imageBytes(t.s, 4096).mid(3000 - 16), QByteArray(4096 - 3000 + 16, char(0xFF)));
}

TEST(BinFile, LargeFileIsReadStraightIntoPagesWithSpareAreasErased) {
    // Large enough for the pages to come from one shared mapping, with an offset and a
    // partial last page, so every page boundary of the straight read is crossed.
    TestSession t;
    TestDir d;
    const QByteArray img = pattern(3 * 1024 * 1024 + 100);
    d.writeBytes("big.bin", img);
    t.s.buf.fileOffset = 7;
    ASSERT_EQ(LoadBin(t.s, d.file("big.bin")), FileOk);
    const qint64 size = img.size() - 7;
    EXPECT_EQ(t.s.buf.size, size);
    EXPECT_EQ(t.s.buf.pageCount(), int((size + 2047) / 2048));
    EXPECT_EQ(imageBytes(t.s), img.mid(7));
    for (int k = 0; k < t.s.buf.pageCount(); ++k) {
        const quint8* page = t.s.buf.page(k);
        const int data = int(std::min<qint64>(2048, size - qint64(k) * 2048));
        for (int i = data; i < RomBuf::kAlloc; ++i)
            ASSERT_EQ(page[i], 0xFF) << "page " << k << " byte " << i;
    }

    // A later load replaces the shared pages and a failed one keeps them.
    d.writeBytes("small.bin", pattern(100));
    t.s.buf.fileOffset = 0;
    ASSERT_EQ(LoadBin(t.s, d.file("small.bin")), FileOk);
    EXPECT_EQ(imageBytes(t.s), pattern(100));
    ASSERT_EQ(LoadBin(t.s, d.file("big.bin")), FileOk);
    EXPECT_EQ(LoadBin(t.s, d.file("missing.bin")), FileNotFound);
    EXPECT_EQ(imageBytes(t.s), img);
}

TEST(BinFile, FailedLoadsLeaveTheBufferAsItWas) {
    TestSession t;
    TestDir d;
    t.s.settings.english = 1;
    const QByteArray before = pattern(777);
    setImage(t.s, before);
    t.s.buf.checkSum = 0x4242;
    const QString missing = d.file("missing.bin");
    EXPECT_EQ(LoadBin(t.s, missing), FileNotFound);
    EXPECT_EQ(t.fe.lastStatus(), "   File " + missing + "  not found");

    d.writeBytes("five.bin", "12345");
    t.s.buf.fileOffset = 5;
    EXPECT_EQ(LoadBin(t.s, d.file("five.bin")), FileEmpty);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("Not enough memory"));
    t.s.settings.english = 0;
    EXPECT_EQ(LoadBin(t.s, d.file("five.bin")), FileEmpty);
    EXPECT_EQ(t.fe.lastStatus(), QString::fromUtf8("Недостаточно памяти "));
    t.s.buf.fileOffset = 0;

    // A file beyond the largest image is refused before anything is read.
    QFile big(d.file("big.bin"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxImageBytes + 1)); // sparse
    big.close();
    EXPECT_EQ(LoadBin(t.s, d.file("big.bin")), FileTooLarge);
    EXPECT_TRUE(t.fe.lastStatus().startsWith(QString::fromUtf8("Файл не помещается")));

    EXPECT_EQ(t.s.buf.size, 777);
    EXPECT_EQ(imageBytes(t.s), before);
    EXPECT_EQ(t.s.buf.checkSum, 0x4242);
}

TEST(BinFile, LargestImageLoads) {
    TestSession t;
    TestDir d;
    QFile f(d.file("max.bin"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(kMaxImageBytes));
    f.close();
    ASSERT_EQ(LoadBin(t.s, d.file("max.bin")), FileOk);
    EXPECT_EQ(t.s.buf.size, kMaxImageBytes);
    EXPECT_EQ(t.s.buf.pageCount(), kMaxImageBytes / 2048);
}

TEST(BinFile, SaveWritesSizeBytesAndSixteenBitWordsSwapped) {
    TestSession t;
    TestDir d;
    const QByteArray img = pattern(3001);
    setImage(t.s, img);
    ASSERT_EQ(SaveBin(t.s, d.file("o.bin")), FileOk);
    EXPECT_EQ(d.readBytes("o.bin"), img);

    t.s.rom.dataWidth = 16;
    const QByteArray even = pattern(4000);
    setImage(t.s, even);
    ASSERT_EQ(SaveBin(t.s, d.file("w.bin")), FileOk);
    const QByteArray w = d.readBytes("w.bin");
    ASSERT_EQ(w.size(), 4000);
    for (int i = 0; i < 4000; i += 2) {
        ASSERT_EQ(w[i], even[i + 1]);
        ASSERT_EQ(w[i + 1], even[i]);
    }
    EXPECT_EQ(imageBytes(t.s), even); // saving never changes the buffer
    // Loading the file back gives the same buffer.
    ASSERT_EQ(LoadBin(t.s, d.file("w.bin")), FileOk);
    EXPECT_EQ(imageBytes(t.s), even);
}

TEST(BinFile, WriteCommandAsksBeforeReplacingAndReports) {
    TestSession t;
    TestDir d;
    t.s.settings.english = 1;
    setImage(t.s, pattern(100));
    d.writeBytes("o.bin", "old");
    const QString path = d.file("o.bin");
    t.fe.answers = {FrontEnd::Answer::No, FrontEnd::Answer::Cancel, FrontEnd::Answer::Yes};
    EXPECT_EQ(Write_File(t.s, path), FileCancelled);
    EXPECT_EQ(Write_File(t.s, path), FileCancelled);
    EXPECT_EQ(d.readBytes("o.bin"), QByteArray("old"));
    EXPECT_EQ(t.fe.questionsAsked.value(0), "OK to overwrite " + path);
    EXPECT_EQ(Write_File(t.s, path), FileOk);
    EXPECT_EQ(d.readBytes("o.bin"), pattern(100));
    EXPECT_EQ(t.fe.lastStatus(), "File " + path + " saved");

    t.s.settings.english = 0;
    const QString bad = d.file("no/such/dir/x.bin");
    EXPECT_EQ(Write_File(t.s, bad), FileCreateFailed);
    EXPECT_EQ(t.fe.lastStatus(), QString::fromUtf8("Ошибка при создании файла ") + bad);
}
