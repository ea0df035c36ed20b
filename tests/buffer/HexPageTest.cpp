// The hex views' page: its text and labels, and every navigation and editing key with its
// caret rule on the first, a middle and the last page, in the bytes and the words view.

#include "BufferTestUtil.h"

#include "buffer/HexPage.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

using K = HexKey;
constexpr HexPane H = HexPane::Hex;
constexpr HexPane C = HexPane::Chars;
constexpr int kNone = -1;

struct KeyCase {
    int imagePages; // image of this many view pages, all bytes 0x00
    bool words;
    int page;
    HexPane pane;
    HexCaret caret;
    HexKey key;
    char16_t ch;
    // expected
    bool accepted;
    bool redraw;
    int newPage;
    HexCaret newCaret;
    qint64 editOffset; // kNone: no edit
    int editValue;
};

const KeyCase kKeys[] = {
    // One page: nothing leads off it.
    {1, false, 1, H, {15, 3}, K::PageDown, 0, true, false, 1, {15, 3}, kNone, 0},
    {1, false, 1, H, {15, 3}, K::CtrlPageDown, 0, true, true, 1, {15, 3}, kNone, 0},
    {1, false, 1, H, {15, 3}, K::Down, 0, false, false, 1, {15, 3}, kNone, 0},
    {1, false, 1, C, {15, 16}, K::Right, 0, false, false, 1, {15, 16}, kNone, 0},
    // Page keys keep the caret's row and column.
    {3, false, 2, H, {3, 7}, K::CtrlPageUp, 0, true, true, 1, {3, 7}, kNone, 0},
    {3, true, 1, C, {5, 10}, K::CtrlPageDown, 0, true, true, 3, {5, 10}, kNone, 0},
    {3, false, 1, H, {2, 2}, K::PageUp, 0, true, false, 1, {2, 2}, kNone, 0},
    {3, false, 2, H, {2, 2}, K::PageUp, 0, true, true, 1, {2, 2}, kNone, 0},
    {3, false, 2, C, {9, 4}, K::PageDown, 0, true, true, 3, {9, 4}, kNone, 0},
    {3, false, 3, H, {9, 4}, K::PageDown, 0, true, false, 3, {9, 4}, kNone, 0},
    // Left at the start of a page.
    {3, false, 1, H, {0, 0}, K::Left, 0, false, false, 1, {0, 0}, kNone, 0},
    {3, false, 2, H, {0, 0}, K::Left, 0, true, true, 1, {15, 47}, kNone, 0},
    {3, true, 3, C, {0, 0}, K::Left, 0, true, true, 2, {15, 16}, kNone, 0},
    {3, false, 2, H, {3, 0}, K::Left, 0, true, false, 2, {2, 47}, kNone, 0},
    // Up on row 0, Down on row 15.
    {3, false, 1, H, {0, 5}, K::Up, 0, false, false, 1, {0, 5}, kNone, 0},
    {3, true, 3, H, {0, 5}, K::Up, 0, true, true, 2, {15, 5}, kNone, 0},
    {3, false, 2, C, {7, 5}, K::Up, 0, true, false, 2, {6, 5}, kNone, 0},
    {3, false, 3, H, {15, 9}, K::Down, 0, false, false, 3, {15, 9}, kNone, 0},
    {3, false, 1, H, {15, 9}, K::Down, 0, true, true, 2, {0, 9}, kNone, 0},
    {3, true, 2, C, {4, 9}, K::Down, 0, true, false, 2, {5, 9}, kNone, 0},
    // Right at the end of row 15, and at the end of another row.
    {3, false, 3, H, {15, 47}, K::Right, 0, false, false, 3, {15, 47}, kNone, 0},
    {3, false, 2, H, {15, 47}, K::Right, 0, true, true, 3, {0, 0}, kNone, 0},
    {3, true, 1, C, {15, 16}, K::Right, 0, true, true, 2, {0, 0}, kNone, 0},
    {3, false, 2, H, {4, 47}, K::Right, 0, true, false, 2, {5, 0}, kNone, 0},
    // Home, End; Backspace, Delete and other keys are discarded.
    {3, false, 2, H, {4, 20}, K::Home, 0, true, false, 2, {4, 0}, kNone, 0},
    {3, false, 2, H, {4, 20}, K::End, 0, true, false, 2, {4, 47}, kNone, 0},
    {3, false, 2, C, {4, 2}, K::End, 0, true, false, 2, {4, 16}, kNone, 0},
    {3, false, 2, H, {4, 20}, K::Backspace, 0, false, false, 2, {4, 20}, kNone, 0},
    {3, false, 2, C, {4, 2}, K::Delete, 0, false, false, 2, {4, 2}, kNone, 0},
    {3, false, 2, H, {4, 20}, K::Other, 0, false, false, 2, {4, 20}, kNone, 0},
    // Hex digits in the bytes view: high digit, low digit, separators, ends of rows.
    {3, false, 2, H, {0, 0}, K::Char, u'4', true, false, 2, {0, 1}, 0x100, 0x40},
    {3, false, 2, H, {0, 1}, K::Char, u'1', true, false, 2, {0, 3}, 0x100, 0x01},
    {3, false, 1, H, {1, 4}, K::Char, u'f', true, false, 1, {1, 6}, 0x11, 0x0F},
    {3, false, 1, H, {1, 5}, K::Char, u'A', false, false, 1, {1, 5}, kNone, 0},
    {3, false, 1, H, {1, 3}, K::Char, u'g', false, false, 1, {1, 3}, kNone, 0},
    {3, false, 1, H, {3, 46}, K::Char, u'7', true, false, 1, {4, 0}, 0x3F, 0x07},
    {3, false, 2, H, {15, 46}, K::Char, u'7', true, true, 3, {0, 0}, 0x1FF, 0x07},
    {3, false, 3, H, {15, 46}, K::Char, u'7', true, false, 3, {15, 47}, 0x2FF, 0x07},
    {3, false, 3, H, {15, 47}, K::Char, u'7', false, false, 3, {15, 47}, kNone, 0},
    // Hex digits in the words view.
    {3, true, 1, H, {0, 0}, K::Char, u'1', true, false, 1, {0, 1}, 0x00, 0x10},
    {3, true, 1, H, {0, 1}, K::Char, u'2', true, false, 1, {0, 2}, 0x00, 0x02},
    {3, true, 1, H, {0, 2}, K::Char, u'3', true, false, 1, {0, 3}, 0x01, 0x30},
    {3, true, 1, H, {0, 3}, K::Char, u'4', true, false, 1, {0, 6}, 0x01, 0x04},
    {3, true, 1, H, {0, 4}, K::Char, u'5', false, false, 1, {0, 4}, kNone, 0},
    {3, true, 2, H, {2, 45}, K::Char, u'c', true, false, 2, {3, 0}, 0x12F, 0x0C},
    {3, true, 1, H, {15, 45}, K::Char, u'C', true, true, 2, {0, 0}, 0xFF, 0x0C},
    {3, true, 3, H, {15, 45}, K::Char, u'C', true, false, 3, {15, 46}, 0x2FF, 0x0C},
    // Characters: Windows-1251 codes, row ends, the last page, control characters.
    {3, false, 1, C, {0, 0}, K::Char, u'A', true, false, 1, {0, 1}, 0x00, 0x41},
    {3, true, 2, C, {3, 15}, K::Char, u'z', true, false, 2, {4, 0}, 0x13F, 0x7A},
    {3, false, 2, C, {15, 15}, K::Char, u'z', true, true, 3, {0, 0}, 0x1FF, 0x7A},
    {3, false, 3, C, {15, 15}, K::Char, u'z', true, false, 3, {15, 16}, 0x2FF, 0x7A},
    {3, false, 3, C, {15, 16}, K::Char, u'z', false, false, 3, {15, 16}, kNone, 0},
    {3, false, 1, C, {0, 5}, K::Char, u'\u0410', true, false, 1, {0, 6}, 0x05, 0xC0},
    {3, false, 1, C, {0, 5}, K::Char, u'\u0451', true, false, 1, {0, 6}, 0x05, 0xB8},
    {3, false, 1, C, {0, 5}, K::Char, u'\x1F', false, false, 1, {0, 5}, kNone, 0},
    {3, false, 1, C, {0, 5}, K::Char, u'\u4E00', false, false, 1, {0, 5}, kNone, 0},
};

} // namespace

TEST(HexPage, EveryKeyOnFirstMiddleAndLastPage) {
    TestSession t;
    for (const KeyCase& k : kKeys) {
        setImage(t.s, QByteArray(k.imagePages * 256, 0));
        HexPage v;
        v.setWords(k.words);
        v.setPage(t.s.buf, k.page);
        const HexKeyResult r = v.key(t.s.buf, k.pane, k.caret, k.key, k.ch);
        const QString what = QStringLiteral("key %1 ch %2 page %3 caret %4,%5 %6 %7")
                                 .arg(int(k.key))
                                 .arg(int(k.ch))
                                 .arg(k.page)
                                 .arg(k.caret.row)
                                 .arg(k.caret.col)
                                 .arg(k.pane == H ? "hex" : "chars")
                                 .arg(k.words ? "words" : "bytes");
        SCOPED_TRACE(what.toStdString());
        EXPECT_EQ(r.accepted, k.accepted);
        EXPECT_EQ(r.redraw, k.redraw);
        EXPECT_EQ(r.page, k.newPage);
        EXPECT_EQ(r.caret.row, k.newCaret.row);
        EXPECT_EQ(r.caret.col, k.newCaret.col);
        ASSERT_EQ(r.edit.has_value(), k.editOffset != kNone);
        if (r.edit) {
            EXPECT_EQ(r.edit->offset, k.editOffset);
            EXPECT_EQ(r.edit->value, k.editValue);
        }
    }
}

TEST(HexPage, PageTextLabelsAndCarets) {
    TestSession t;
    QByteArray img(300, 0);
    for (int i = 0; i < 300; ++i)
        img[i] = char(i);
    img[0x101] = char(0x1F);
    img[0x102] = char(0xC0);
    img[0x103] = char(0x98); // no character in the code page
    img[0x104] = char(0x7F);
    setImage(t.s, img);
    HexPage v;
    EXPECT_EQ(HexPage::lastPage(t.s.buf), 2); // 300 bytes: two pages
    EXPECT_EQ(HexPage::scrollMax(t.s.buf), 1);
    v.setPage(t.s.buf, 9);
    EXPECT_EQ(v.page(), 2);

    HexPageText p = v.text(t.s.buf);
    EXPECT_EQ(p.hexText().size(), 782);
    EXPECT_EQ(p.charText().size(), 286);
    EXPECT_EQ(p.addrCaption, QStringLiteral("Addr"));
    EXPECT_EQ(p.header, QStringLiteral("00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "));
    EXPECT_EQ(p.rowAddr[0], QStringLiteral("0000100"));
    EXPECT_EQ(p.rowAddr[15], QStringLiteral("00001F0"));
    EXPECT_EQ(p.hexRows[0], QStringLiteral("00 1F C0 98 7F 05 06 07 08 09 0A 0B 0C 0D 0E 0F"));
    EXPECT_EQ(p.charRows[0], QString::fromUtf8("  \u0410             "));
    // Behind the 300 bytes the erased rest of the page.
    EXPECT_EQ(p.hexRows[2], QStringLiteral("20 21 22 23 24 25 26 27 28 29 2A 2B FF FF FF FF"));
    EXPECT_EQ(p.charRows[2], QStringLiteral(" !\"#$%&'()*+yyyy").replace(u'y', QChar(0x044F)));

    v.setWords(true);
    p = v.text(t.s.buf);
    EXPECT_EQ(p.header, QStringLiteral("0000  0001  0002  0003  0004  0005  0006  0007  "));
    EXPECT_EQ(p.rowAddr[0], QStringLiteral("00080"));
    EXPECT_EQ(p.rowAddr[1], QStringLiteral("00088"));
    EXPECT_EQ(p.hexRows[0], QStringLiteral("001F  C098  7F05  0607  0809  0A0B  0C0D  0E0F "));
    EXPECT_EQ(p.hexText().size(), 782);

    // Page 3 of a larger image in words: row 0 is word 0x100.
    setImage(t.s, QByteArray(0x1000, 0));
    v.setPage(t.s.buf, 3);
    EXPECT_EQ(v.text(t.s.buf).rowAddr[0], QStringLiteral("00100"));

    // Caret offsets count the CR LF of each row.
    EXPECT_EQ(HexPage::caretOffset(HexPane::Hex, {15, 47}), 782);
    EXPECT_EQ(HexPage::caretOffset(HexPane::Chars, {2, 3}), 39);
    EXPECT_EQ(HexPage::caretAt(HexPane::Hex, 98), (HexCaret{2, 0}));
    EXPECT_EQ(HexPage::caretAt(HexPane::Hex, 48), (HexCaret{0, 47}));
    EXPECT_EQ(HexPage::caretAt(HexPane::Chars, 999), (HexCaret{15, 16}));
}

TEST(HexPage, TheByteUnderTheCaret) {
    struct Case {
        bool words;
        HexPane pane;
        HexCaret caret;
        qint64 offset; // on page 2
    } cases[] = {
        {false, HexPane::Hex, {0, 0}, 0x100},    {false, HexPane::Hex, {0, 1}, 0x100},
        {false, HexPane::Hex, {0, 2}, 0x101},    {false, HexPane::Hex, {1, 46}, 0x11F},
        {false, HexPane::Hex, {1, 47}, 0x120},   {true, HexPane::Hex, {0, 3}, 0x101},
        {true, HexPane::Hex, {0, 4}, 0x102},     {true, HexPane::Hex, {0, 6}, 0x102},
        {true, HexPane::Hex, {15, 47}, 0x200},   {true, HexPane::Chars, {3, 5}, 0x135},
        {false, HexPane::Chars, {3, 16}, 0x140},
    };
    TestSession t;
    setImage(t.s, QByteArray(0x300, 0));
    for (const Case& c : cases) {
        HexPage v;
        v.setWords(c.words);
        v.setPage(t.s.buf, 2);
        EXPECT_EQ(v.caretByte(c.pane, c.caret), c.offset) << c.caret.row << "," << c.caret.col;
        // Going to a byte puts the caret where the byte reads back.
        if (c.pane == HexPane::Hex && c.offset < 0x200)
            EXPECT_EQ(v.caretByte(HexPane::Hex, v.showByte(t.s.buf, c.offset)), c.offset);
    }
}
