// The compare window's model: what next and previous visit, which bytes of a page are
// coloured, the page text of images of different lengths and the texts under the views.

#include "BufferTestUtil.h"

#include "buffer/ImageComparison.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

// The buffer (0x700 bytes) and a file of 0x680 bytes that differ at 0x010, 0x1FE..0x201 (across
// a page border) and 0x400; the file ends 0x80 bytes early.
struct Pair {
    TestSession t;
    TestSession file;
    ImageComparison cmp;
    Pair() {
        const QByteArray a = pattern(0x700);
        QByteArray b = a.left(0x680);
        for (int at : {0x10, 0x1FE, 0x1FF, 0x200, 0x201, 0x400})
            b[at] = char(~b[at]);
        setImage(t.s, a);
        setImage(file.s, b);
        cmp.start(t.s.buf, std::move(file.s.buf), 0x680);
    }
};

} // namespace

TEST(ImageComparison, NextAndPreviousVisitTheDifferencesInOrder) {
    Pair p;
    ImageComparison& c = p.cmp;
    EXPECT_EQ(c.diff().ranges.size(), 4u);
    EXPECT_EQ(c.diff().bytes, 1 + 4 + 1 + 0x80);
    EXPECT_EQ(c.lastPage(), 7);
    p.t.s.settings.english = 0;
    EXPECT_EQ(c.summary(p.t.s), QString::fromUtf8("Различающихся байт: 134, областей: 4"));
    p.t.s.settings.english = 1;
    EXPECT_EQ(c.summary(p.t.s), QStringLiteral("134 bytes differ in 4 ranges"));

    enum Act { Next, Prev, Page3, Page7 };
    struct Step {
        Act act;
        bool moved;
        int current;
        int page;
        const char* position;
    } steps[] = {
        {Prev, false, -1, 1, ""},
        {Next, true, 0, 1, "Difference 1 of 4: 0000010 - 0000010"},
        {Next, true, 1, 2, "Difference 2 of 4: 00001FE - 0000201"},
        {Next, true, 2, 5, "Difference 3 of 4: 0000400 - 0000400"},
        {Next, true, 3, 7, "Difference 4 of 4: 0000680 - 00006FF"},
        {Next, false, 3, 7, "Difference 4 of 4: 0000680 - 00006FF"},
        {Prev, true, 2, 5, "Difference 3 of 4: 0000400 - 0000400"},
        // Scrolled away from the current one: next and previous start from the page shown.
        {Page3, true, -1, 3, ""},
        {Prev, true, 1, 2, "Difference 2 of 4: 00001FE - 0000201"},
        {Page3, true, 1, 3, "Difference 2 of 4: 00001FE - 0000201"}, // it reaches page 3
        {Page7, true, -1, 7, ""},
        {Next, true, 3, 7, "Difference 4 of 4: 0000680 - 00006FF"},
        {Prev, true, 2, 5, "Difference 3 of 4: 0000400 - 0000400"},
        {Prev, true, 1, 2, "Difference 2 of 4: 00001FE - 0000201"},
        {Prev, true, 0, 1, "Difference 1 of 4: 0000010 - 0000010"},
        {Prev, false, 0, 1, "Difference 1 of 4: 0000010 - 0000010"},
    };
    int n = 0;
    for (const Step& s : steps) {
        bool moved = true;
        if (s.act == Next) moved = c.next();
        if (s.act == Prev) moved = c.previous();
        if (s.act == Page3) c.setPage(3);
        if (s.act == Page7) c.setPage(7);
        EXPECT_EQ(moved, s.moved) << "step " << n;
        EXPECT_EQ(c.current(), s.current) << "step " << n;
        EXPECT_EQ(c.page(), s.page) << "step " << n;
        EXPECT_EQ(c.position(p.t.s), QString::fromLatin1(s.position)) << "step " << n;
        ++n;
    }
}

TEST(ImageComparison, PageColoursTextAndBufferChanges) {
    Pair p;
    ImageComparison& c = p.cmp;
    c.setPage(2);
    ASSERT_TRUE(c.next()); // 0x1FE..0x201 from page 2 on
    EXPECT_EQ(c.page(), 2);
    EXPECT_EQ(c.differingOnPage().count(), 2u);
    EXPECT_TRUE(c.differingOnPage()[0xFE] && c.differingOnPage()[0xFF]);
    EXPECT_EQ(c.currentOnPage(), c.differingOnPage());
    c.setPage(3);
    EXPECT_EQ(c.differingOnPage().count(), 2u); // 0x200, 0x201: still the current one
    EXPECT_EQ(c.currentOnPage().count(), 2u);

    // The last page: the file has bytes up to 0x67F only, the rest of its side is blank.
    c.setPage(7);
    const HexPageText buf = c.text(ImageComparison::Side::Buffer);
    const HexPageText file = c.text(ImageComparison::Side::Other);
    EXPECT_EQ(buf.rowAddr[0], QStringLiteral("0000600"));
    EXPECT_EQ(file.hexRows[8], QString(47, QLatin1Char(' ')));
    EXPECT_EQ(file.charRows[15], QString(16, QLatin1Char(' ')));
    EXPECT_EQ(file.hexRows[7].size(), 47);
    EXPECT_NE(file.hexRows[7].left(2), QStringLiteral("  "));
    EXPECT_EQ(buf.hexRows[15].size(), 47);
    EXPECT_NE(buf.hexRows[15].right(2), QStringLiteral("  "));
    EXPECT_EQ(c.differingOnPage().count(), 128u);

    // Edited to match at 0x400 and replaced by a shorter image: compared again, page kept.
    p.t.s.buf.page(0)[0x400] = quint8(~p.t.s.buf.page(0)[0x400]);
    c.bufferChanged();
    EXPECT_EQ(c.diff().ranges.size(), 3u);
    EXPECT_EQ(c.page(), 7);
    setImage(p.t.s, pattern(0x300));
    c.bufferChanged();
    EXPECT_EQ(c.lastPage(), 7);
    EXPECT_EQ(c.diff().ranges.back(), (DiffRange{0x300, 0x67F}));
    EXPECT_EQ(c.text(ImageComparison::Side::Buffer).hexRows[0], QString(47, QLatin1Char(' ')));
}

TEST(ImageComparison, UnusedHighBitsOfWordsDoNotDiffer) {
    // A 14-bit part keeps 0x3F of the high byte: 0xFF in the buffer reads back as 0x3F.
    TestSession a, b;
    setImage(a.s, QByteArray::fromHex("FFFF12343FFF"));
    setImage(b.s, QByteArray::fromHex("3FFF12343FFE"));
    ImageComparison c;
    c.start(a.s.buf, std::move(b.s.buf), 6, 0x3F);
    ASSERT_EQ(c.diff().ranges.size(), 1u);
    EXPECT_EQ(c.diff().ranges[0], (DiffRange{5, 5}));
}
