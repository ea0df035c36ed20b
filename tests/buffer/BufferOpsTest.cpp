// AND/OR/XOR over a range, SWAP, and the printed listing.

#include "BufferTestUtil.h"

#include "buffer/BufferOps.h"
#include "buffer/Listing.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(BufferOps, MaskOverTheWholeImageKeepsTheChecksumLabel) {
    TestSession t;
    setImage(t.s, pattern(5000));
    t.s.buf.checkSum = 0xABCD;
    EditFields f = editDefaults(t.s.buf);
    EXPECT_EQ(f.editEnd, 4999);
    ASSERT_EQ(editBuffer(t.s, EditOp::And, f, "00", "00000", "01387"), 0);
    EXPECT_EQ(imageBytes(t.s), QByteArray(5000, 0));
    EXPECT_EQ(t.s.buf.checkSum, 0xABCD);
    EXPECT_TRUE(t.fe.boxes.isEmpty());
}

TEST(BufferOps, RangeIsInclusiveAndXorTwiceRestores) {
    TestSession t;
    const QByteArray img = pattern(6000);
    setImage(t.s, img);
    EditFields f = editDefaults(t.s.buf);
    t.fe.changes = 0;
    ASSERT_EQ(editBuffer(t.s, EditOp::Or, f, "0F", "7FE", "1001"), 0);
    EXPECT_EQ(t.fe.changes, unsigned(ChangeBufferEdited)); // the views redraw
    QByteArray want = img;
    for (int i = 0x7FE; i <= 0x1001; ++i)
        want[i] = char(quint8(want[i]) | 0x0F);
    EXPECT_EQ(imageBytes(t.s), want);

    ASSERT_EQ(editBuffer(t.s, EditOp::Xor, f, "5a", "0", "176F"), 0);
    ASSERT_EQ(editBuffer(t.s, EditOp::Xor, f, "5A", "0", "176F"), 0);
    EXPECT_EQ(imageBytes(t.s), want);
}

TEST(BufferOps, RejectedFieldShowsItsMessageAndChangesNothing) {
    TestSession t;
    const QByteArray img = pattern(256);
    setImage(t.s, img);
    struct Case {
        const char *mask, *start, *end, *box;
    } cases[] = {
        {"X1", "0", "F", "Некорректные данные"},
        {"00", "100", "FF", "Неверный начальный адрес"},
        {"00", "10", "F", "Неверный конечный адрес"},
        {"00", "0", "100", "Неверный конечный адрес"},
    };
    for (const Case& c : cases) {
        t.fe.boxes.clear();
        EditFields f = editDefaults(t.s.buf);
        EXPECT_GT(editBuffer(t.s, EditOp::And, f, c.mask, c.start, c.end), 0) << c.box;
        ASSERT_EQ(t.fe.boxes.size(), 1);
        EXPECT_EQ(t.fe.boxes[0], QString::fromUtf8(c.box));
        EXPECT_EQ(imageBytes(t.s), img) << c.box;
        EXPECT_EQ(t.fe.changes, 0u) << c.box;
    }
    // The messages are Russian in the English mode too.
    t.s.settings.english = 1;
    t.fe.boxes.clear();
    EditFields f = editDefaults(t.s.buf);
    (void)editBuffer(t.s, EditOp::And, f, "00", "0", "FFFF");
    EXPECT_EQ(t.fe.boxes.value(0), QString::fromUtf8("Неверный конечный адрес"));
    // A rejected field keeps its previous value.
    EXPECT_EQ(f.editEnd, 255);
    EXPECT_EQ(f.editMask, 0);
}

TEST(BufferOps, SwapExchangesEveryPair) {
    TestSession t;
    setImage(t.s, QByteArray("\x11\x22\x33\x44", 4));
    SwapClick(t.s);
    EXPECT_EQ(imageBytes(t.s, 4), QByteArray("\x22\x11\x44\x33", 4));
}

TEST(Listing, EveryByteOfEveryBlockUnderItsOffset) {
    TestSession t;
    QByteArray img = pattern(2048 + 16);
    img[2048] = char(0xAB);
    setImage(t.s, img);
    std::vector<QStringList> pages;
    ASSERT_EQ(Print_Rom(t.s, 0, 99, pages), ListingOk);
    ASSERT_EQ(pages.size(), 2u);
    for (const QStringList& p : pages)
        ASSERT_EQ(p.size(), 129);
    EXPECT_EQ(pages[0][0], QStringLiteral("0000000"));
    EXPECT_EQ(pages[1][0], QStringLiteral("0000800"));
    EXPECT_TRUE(pages[1][1].startsWith(QStringLiteral("00    AB")));
    EXPECT_EQ(pages[1][2], QStringLiteral("01    ") + QString(32, QLatin1Char('F')));
    EXPECT_TRUE(pages[0][128].startsWith(QStringLiteral("7F    ")));
    // Rows hold the bytes in order, 32 digits without separators.
    const QString row = pages[0][128].mid(6);
    EXPECT_EQ(row, QString::fromLatin1(img.mid(0x7F0, 16).toHex().toUpper()));

    std::vector<QStringList> one;
    ASSERT_EQ(Print_Rom(t.s, 0, 0, one), ListingOk);
    EXPECT_EQ(one.size(), 1u);
}

TEST(Listing, EmptyBufferIsRefusedInRussian) {
    TestSession t;
    t.s.settings.english = 1;
    t.s.buf.size = 0;
    std::vector<QStringList> pages;
    EXPECT_EQ(Print_Rom(t.s, 0, 0, pages), ListingEmpty);
    EXPECT_EQ(t.fe.lastStatus(), QString::fromUtf8("Ошибка ! Буфер пуст."));
    EXPECT_TRUE(pages.empty());
}
