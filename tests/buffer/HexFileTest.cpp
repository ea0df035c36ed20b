// Intel HEX: the written form, the reader's checks, extended addresses, PIC data area.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"
#include "buffer/IntelHexParser.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {
QStringList linesOf(const QByteArray& text) {
    QStringList l = QString::fromLatin1(text).split(QStringLiteral("\r\n"));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

// A record line with its checksum.
QByteArray rec(int type, int addr, const QByteArray& data) {
    QByteArray r;
    r.append(char(data.size()));
    r.append(char(addr >> 8));
    r.append(char(addr));
    r.append(char(type));
    r.append(data);
    quint8 sum = 0;
    for (char c : r)
        sum += quint8(c);
    r.append(char(quint8(-sum)));
    return ":" + r.toHex().toUpper();
}

QByteArray bytes(std::initializer_list<int> v) {
    QByteArray b;
    for (int x : v)
        b.append(char(x));
    return b;
}

int loadText(TestSession& t, TestDir& d, const QByteArray& text) {
    d.writeBytes("in.hex", text);
    return LoadHex(t.s, d.file("in.hex"));
}
} // namespace

TEST(HexWrite, SmallImageIsWholePagesOfSixteenByteRecords) {
    TestSession t;
    TestDir d;
    setImage(t.s, QByteArray(100, 0));
    ASSERT_EQ(SaveHex(t.s, d.file("o.hex")), FileOk);
    const QByteArray text = d.readBytes("o.hex");
    const QStringList l = linesOf(text);
    ASSERT_EQ(l.size(), 129);
    EXPECT_EQ(l[0], QStringLiteral(":10000000") + QString(32, QLatin1Char('0')) + "F0");
    EXPECT_EQ(l[1], QStringLiteral(":10001000") + QString(32, QLatin1Char('0')) + "E0");
    EXPECT_EQ(l[127].left(9), QStringLiteral(":1007F000"));
    EXPECT_TRUE(l[127].mid(9, 32) == QString(32, QLatin1Char('F')));
    EXPECT_EQ(l[128], QStringLiteral(":00000001FF"));
    EXPECT_TRUE(text.endsWith(":00000001FF\r\n"));
    // Record 6 holds bytes 96..111: four zeros then the erased value.
    EXPECT_EQ(l[6].mid(9, 32), QStringLiteral("00000000") + QString(24, QLatin1Char('F')));
}

TEST(HexWrite, SixtyFourKiBHasNoAddressRecordAndLargerImagesDo) {
    TestSession t;
    TestDir d;
    setImage(t.s, pattern(0x10000));
    ASSERT_EQ(SaveHex(t.s, d.file("a.hex")), FileOk);
    QStringList l = linesOf(d.readBytes("a.hex"));
    EXPECT_EQ(l.size(), 4097);
    for (const QString& x : l)
        ASSERT_TRUE(x.startsWith(":10") || x == ":00000001FF") << qPrintable(x);

    setImage(t.s, pattern(0x110000));
    ASSERT_EQ(SaveHex(t.s, d.file("b.hex")), FileOk);
    l = linesOf(d.readBytes("b.hex"));
    QStringList ext;
    for (const QString& x : l)
        if (x.mid(7, 2) == "02" || x.mid(7, 2) == "04") ext << x;
    ASSERT_EQ(ext.size(), 17);
    EXPECT_EQ(ext[0], QStringLiteral(":020000021000EC"));
    EXPECT_EQ(ext[14], QStringLiteral(":02000002F0000C"));
    EXPECT_EQ(ext[15], QStringLiteral(":020000020000FC")); // segment cleared before linear
    EXPECT_EQ(ext[16], QStringLiteral(":020000040010EA"));

    // And it reads back to the same bytes.
    TestSession r;
    ASSERT_EQ(LoadHex(r.s, d.file("b.hex")), FileOk);
    EXPECT_EQ(r.s.buf.size, 0x110000);
    EXPECT_EQ(imageBytes(r.s), pattern(0x110000));
}

TEST(HexWrite, SixteenBitImageSavedTwiceIsIdenticalAndBufferUnchanged) {
    TestSession t;
    TestDir d;
    t.s.rom.dataWidth = 16;
    const QByteArray img = pattern(4096);
    setImage(t.s, img);
    t.s.buf.checkSum = 0x1111;
    ASSERT_EQ(SaveHex(t.s, d.file("1.hex")), FileOk);
    ASSERT_EQ(SaveHex(t.s, d.file("2.hex")), FileOk);
    EXPECT_EQ(d.readBytes("1.hex"), d.readBytes("2.hex"));
    EXPECT_EQ(imageBytes(t.s), img);
    EXPECT_EQ(t.s.buf.checkSum, 0x1111);
    const QString first = linesOf(d.readBytes("1.hex"))[0];
    EXPECT_EQ(first.mid(9, 4), QString::fromLatin1(img.mid(1, 1).toHex().toUpper() +
                                                   img.mid(0, 1).toHex().toUpper()));
    // AVR words are not exchanged.
    t.s.rom.devClass = 6;
    ASSERT_EQ(SaveHex(t.s, d.file("3.hex")), FileOk);
    EXPECT_EQ(linesOf(d.readBytes("3.hex"))[0].mid(9, 4),
              QString::fromLatin1(img.left(2).toHex().toUpper()));
}

TEST(HexRead, RecordsGoWhereTheirAddressesSay) {
    TestSession t;
    TestDir d;
    const QByteArray text = rec(0, 0x10, bytes({1, 2})) + "\r\n" + rec(1, 0, {}) + "\r\n" +
                            rec(2, 0, bytes({0x10, 0})) + "\r\n" + rec(0, 0, bytes({0xAA})) + "\n" +
                            rec(0, 0, bytes({0x55})) + "\n\n  \r\n" + rec(4, 0, bytes({0, 0})) +
                            "\n" + rec(2, 0, QByteArray(2, 0)) + "\n" + rec(0, 2, bytes({7}));
    ASSERT_EQ(loadText(t, d, text), FileOk);
    EXPECT_EQ(t.s.buf.size, 0x10001);
    EXPECT_EQ(t.s.buf.pageCount(), 33);
    EXPECT_EQ(t.s.buf.lastLen, 1);
    const QByteArray img = imageBytes(t.s);
    EXPECT_EQ(img[0x10], char(1));
    EXPECT_EQ(img[0x11], char(2));
    EXPECT_EQ(img[2], char(7));
    EXPECT_EQ(img[0x10000], char(0x55)); // the later record wins
    EXPECT_EQ(img[0], char(0xFF));
}

TEST(HexRead, LinearAddressRecordsAndNoDataGivesOneErasedByte) {
    TestSession t;
    TestDir d;
    ASSERT_EQ(
        loadText(t, d,
                 rec(4, 0, bytes({0, 2})) + "\n" + rec(0, 0xFFFF, bytes({0x12, 0x34})) + "\n"),
        FileOk);
    EXPECT_EQ(t.s.buf.size, 0x30001);
    EXPECT_EQ(imageBytes(t.s).mid(0x2FFFF), QByteArray("\x12\x34", 2));

    ASSERT_EQ(loadText(t, d, ":00000001FF\r\n"), FileOk);
    EXPECT_EQ(t.s.buf.size, 1);
    EXPECT_EQ(imageBytes(t.s, 1), QByteArray(1, char(0xFF)));
}

TEST(HexRead, BadRecordsAreRejectedWithTheirLineAndTheBufferKept) {
    struct Case {
        QByteArray text;
        int line;
    } cases[] = {
        {rec(0, 0, bytes({1})) + "\n" + ":0100000001FF\n", 2}, // checksum
        {":01000000G1FE\n", 1},                                // non-hex
        {rec(0, 0, bytes({1})) + "\n\nhello\n", 3},            // no colon
        {":0200000001FD\n", 1},                                // short
        {rec(0, 0, bytes({1})) + "00\n", 1},                   // long
        {":\n", 1},
        {rec(2, 0, bytes({1})) + "\n", 1}, // bad 02
    };
    for (const Case& c : cases) {
        TestSession t;
        TestDir d;
        t.s.settings.english = 1;
        const QByteArray before = pattern(3000);
        setImage(t.s, before);
        t.s.buf.checkSum = 0x5555;
        EXPECT_EQ(loadText(t, d, c.text), FileBadFormat) << c.text.constData();
        EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("Invalid file format, line %1").arg(c.line))
            << c.text.constData();
        EXPECT_EQ(imageBytes(t.s), before);
        EXPECT_EQ(t.s.buf.checkSum, 0x5555);
    }
    TestSession ru;
    TestDir d;
    ru.s.settings.english = 0;
    ASSERT_EQ(loadText(ru, d, "x\n"), FileBadFormat);
    EXPECT_EQ(ru.fe.lastStatus(), QString::fromUtf8("Некорректный формат файла, строка 1"));
}

TEST(HexRead, ImageBeyondTheLargestChipIsRefused) {
    TestSession t;
    TestDir d;
    t.s.settings.english = 1;
    setImage(t.s, pattern(10));
    const int upper = int(kMaxImageBytes >> 16);
    QByteArray text =
        rec(4, 0, bytes({upper >> 8, upper & 0xFF})) + "\n" + rec(0, 0, bytes({1})) + "\n";
    EXPECT_EQ(loadText(t, d, text), FileTooLarge);
    EXPECT_TRUE(t.fe.lastStatus().startsWith(QStringLiteral("The file does not fit the buffer")));
    EXPECT_TRUE(t.fe.lastStatus().endsWith(QStringLiteral("line 2")));
    EXPECT_EQ(imageBytes(t.s), pattern(10));
    // The last byte below the bound still loads.
    const int below = int((kMaxImageBytes - 1) >> 16);
    text = rec(4, 0, bytes({below >> 8, below & 0xFF})) + "\n" + rec(0, 0xFFFF, "\x01");
    EXPECT_EQ(loadText(t, d, text), FileOk);
    EXPECT_EQ(t.s.buf.size, kMaxImageBytes);
}

TEST(HexRead, ParserTakesTheTextInPiecesOfAnySize) {
    QByteArray text;
    for (int i = 0; i < 40; ++i)
        text += rec(0, i * 3, pattern(3, quint32(i))) + "\r\n";
    for (size_t step : {size_t(1), size_t(2), size_t(7), size_t(64)}) {
        ImageBuilder img(1 << 20);
        IntelHexParser p(img);
        for (qsizetype at = 0; at < text.size(); at += qsizetype(step))
            ASSERT_TRUE(p.feed(text.constData() + at,
                               size_t(std::min<qsizetype>(qsizetype(step), text.size() - at))));
        ASSERT_TRUE(p.finish());
        EXPECT_EQ(img.extent(), 120);
        EXPECT_EQ(p.dataRecords(), 40);
        for (int i = 0; i < 40; ++i)
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(img.at(i * 3 + k), quint8(pattern(3, quint32(i))[k]));
    }
}

TEST(HexRead, PagesHandedOutOfOrderAcrossRunsKeepTheirBytes) {
    // Data lands in scattered pages, far more of them than one run of pages holds; every page
    // must come out erased apart from its own bytes, whichever run it was taken from.
    ImageBuilder img(8 << 20);
    const long long pages = 1500;
    auto pageOf = [&](long long i) { return (i * 619) % pages; }; // a scrambled order
    for (long long i = 0; i < pages; i += 2) {
        const quint8 mark[3] = {quint8(i), quint8(i >> 8), 0xA5};
        ASSERT_TRUE(img.store(pageOf(i) * 2048 + 100, mark, 3));
    }
    img.set(0x810000, 0x42); // far out, as an AVR EEPROM section lands
    const long long size = img.extent();
    auto blocks = img.take(size);
    ASSERT_EQ((long long)blocks.size(), (size + 2047) / 2048);
    std::vector<int> marked(size_t(blocks.size()), -1);
    for (long long i = 0; i < pages; i += 2)
        marked[size_t(pageOf(i))] = int(i);
    for (size_t k = 0; k < blocks.size(); ++k) {
        const quint8* b = blocks[k].get();
        for (int j = 0; j < RomBuf::kAlloc; ++j) {
            quint8 want = 0xFF;
            if (marked[k] >= 0 && j >= 100 && j < 103)
                want = j == 100 ? quint8(marked[k]) : j == 101 ? quint8(marked[k] >> 8) : 0xA5;
            if ((long long)k * 2048 + j == 0x810000) want = 0x42;
            ASSERT_EQ(b[j], want) << "page " << k << " byte " << j;
        }
    }
}

namespace {
void picChip(TestSession& t) {
    t.s.rom.devClass = 5;
    t.s.rom.algCode = 27;
    t.s.rom.dataWidth = 14;
    t.s.settings.autoData = 1;
    Inc_data(t.s);
}
} // namespace

TEST(HexPic, DataCellsWrittenAsPairsAndReadBackAsBytes) {
    TestSession t;
    TestDir d;
    picChip(t);
    QByteArray img = pattern(0x4200 + 20);
    setImage(t.s, img);
    ASSERT_EQ(SaveHex(t.s, d.file("p.hex")), FileOk);
    const QStringList l = linesOf(d.readBytes("p.hex"));
    // 8 pages of code, the last page up to dataOfs, two groups of 8 cells (the 4 left over
    // are not written), the end.
    ASSERT_EQ(l.size(), 8 * 128 + 32 + 2 + 1);
    const QString cells = l[8 * 128 + 32];
    EXPECT_EQ(cells.left(9), QStringLiteral(":10420000"));
    QString want;
    for (int i = 0; i < 8; ++i)
        want += "00" + QString::fromLatin1(img.mid(0x4200 + i, 1).toHex().toUpper());
    EXPECT_EQ(cells.mid(9, 32), want);
    EXPECT_EQ(l[8 * 128 + 33].left(9), QStringLiteral(":10421000"));

    TestSession r;
    picChip(r);
    ASSERT_EQ(LoadHex(r.s, d.file("p.hex")), FileOk);
    EXPECT_EQ(r.s.buf.size, 0x4200 + 16);
    EXPECT_EQ(imageBytes(r.s), img.left(0x4200 + 16));
}

TEST(HexPic, AssemblerFormValueThenZeroLandsAsOneBytePerCell) {
    TestSession t;
    TestDir d;
    picChip(t);
    // Code word 0x2805 at word 0, config word 0x3F72 at word 0x2007, EEPROM 0x11 0x22 0x00.
    const QByteArray text =
        rec(0, 0, bytes({5, 0x28})) + "\n" + rec(0, 0x400E, bytes({0x72, 0x3F})) + "\n" +
        rec(0, 0x4200, bytes({0x11, 0, 0x22, 0, 0, 0})) + "\n" + ":00000001FF\n";
    ASSERT_EQ(loadText(t, d, text), FileOk);
    EXPECT_EQ(t.s.buf.size, 0x4203);
    const QByteArray img = imageBytes(t.s);
    EXPECT_EQ(img.left(2), QByteArray("\x28\x05", 2)); // words exchanged
    EXPECT_EQ(img.mid(0x400E, 2), QByteArray("\x3F\x72", 2));
    EXPECT_EQ(img.mid(0x4200, 3), QByteArray("\x11\x22\x00", 3)); // one byte per cell
    // Without the data area switched on the file is taken as it is.
    TestSession raw;
    raw.s.rom.devClass = 5;
    raw.s.rom.algCode = 27;
    Inc_data(raw.s);
    ASSERT_EQ(loadText(raw, d, text), FileOk);
    EXPECT_EQ(raw.s.buf.size, 0x4206);
}

TEST(HexPic, ShortBufferIsWrittenInThePlainForm) {
    TestSession t;
    TestDir d;
    picChip(t);
    setImage(t.s, pattern(0x100));
    ASSERT_EQ(SaveHex(t.s, d.file("s.hex")), FileOk);
    EXPECT_EQ(linesOf(d.readBytes("s.hex")).size(), 129);
}
