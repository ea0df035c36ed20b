// The address window, buffer offset and file offset commands.

#include "BufferTestUtil.h"

#include "buffer/BufferDialogs.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {
void say(TestSession& t, std::initializer_list<const char*> texts) {
    for (const char* x : texts)
        t.fe.inputs.push_back(QString::fromUtf8(x));
}
} // namespace

TEST(AddressWindow, PlainChipTakesStartAndEndWithTheirPrompts) {
    TestSession t;
    t.s.settings.english = 0;
    t.s.rom.algCode = 3;
    t.s.rom.romLen = 0x8000;
    say(t, {"zz", "8000", "100", "ff", "1fFf"});
    ASSERT_EQ(SetAddrClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.addrStart, 0x100);
    EXPECT_EQ(t.s.buf.addrEnd, 0x1FFF);
    ASSERT_EQ(t.fe.prompts.size(), 5);
    EXPECT_EQ(t.fe.prompts[0], QString::fromUtf8(" Нач. адрес  : ( 0000000 - 0007FFF )"));
    EXPECT_EQ(t.fe.prompts[3], QString::fromUtf8(" Конечный адрес  : ( 0000100 - 0007FFF )"));
}

TEST(AddressWindow, PageAddressedChipTakesPageNumbers) {
    TestSession t;
    t.s.rom.algCode = 60;
    t.s.rom.optC = 1; // pages of 528 bytes
    t.s.rom.romLen = 528 * 16;
    say(t, {"10", "2", "1", "3"});
    ASSERT_EQ(SetAddrClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.addrStart, 2 * 528);
    EXPECT_EQ(t.s.buf.addrEnd, 4 * 528 - 1);
    EXPECT_EQ(t.fe.prompts[0], QStringLiteral(" Device start page : ( 0000000 - 000000F )"));
    EXPECT_EQ(t.fe.prompts[2], QStringLiteral(" Device end  page: ( 0000002 - 000000F )"));
    EXPECT_EQ(t.fe.prompts.size(), 4); // "1" is below the start page
}

TEST(AddressWindow, UnitChecksOfTheBlockAndPageChips) {
    TestSession t;
    t.s.rom.algCode = 58;
    t.s.rom.romLen = 0x10000;
    say(t, {"801", "800", "7FF", "FFF"});
    ASSERT_EQ(SetAddrClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.addrStart, 0x800);
    EXPECT_EQ(t.s.buf.addrEnd, 0xFFF);
    EXPECT_EQ(t.fe.prompts[0], QStringLiteral(" Device start block 2k : ( 0000000 - 000FFFF )"));
    EXPECT_EQ(t.fe.prompts[2], QStringLiteral(" Device end   : ( 0000800 - 000FFFF )"));

    TestSession p;
    p.s.rom.algCode = 46;
    p.s.rom.optC = 1;
    p.s.rom.romLen = 0x10000;
    say(p, {"100", "200", "2FF", "3FF"});
    ASSERT_EQ(SetAddrClick(p.s), DialogDone);
    EXPECT_EQ(p.s.buf.addrStart, 0x200);
    EXPECT_EQ(p.s.buf.addrEnd, 0x3FF);
    EXPECT_EQ(p.fe.prompts[2],
              QStringLiteral(" Device  page end (512 byte)  : ( 0000200 - 000FFFF )"));

    TestSession q;
    q.s.rom.algCode = 62;
    q.s.rom.variant = 1;
    q.s.rom.romLen = 0x10000;
    say(q, {"0", "800", "7FF"});
    ASSERT_EQ(SetAddrClick(q.s), DialogDone);
    EXPECT_EQ(q.s.buf.addrEnd, 0x7FF);
    EXPECT_EQ(q.fe.prompts[0],
              QStringLiteral(" Device start page (2048 byte) : ( 0000000 - 000FFFF )"));
}

TEST(AddressWindow, Algorithm49NeedsAnEvenNumberOfUnits) {
    TestSession t;
    t.s.rom.algCode = 49;
    t.s.rom.romLen = 0x100;
    say(t, {"0", "0", "1"});
    ASSERT_EQ(SetAddrClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.addrEnd, 1);
    EXPECT_EQ(t.fe.prompts.size(), 3);
}

TEST(AddressWindow, CancelLeavesTheWindowAsItWas) {
    TestSession t;
    t.s.rom.romLen = 0x1000;
    t.s.buf.addrStart = 0x10;
    t.s.buf.addrEnd = 0x20;
    EXPECT_EQ(SetAddrClick(t.s), DialogCancelled);
    say(t, {"100"}); // then cancel on the end prompt
    EXPECT_EQ(SetAddrClick(t.s), DialogCancelled);
    EXPECT_EQ(t.s.buf.addrStart, 0x10);
    EXPECT_EQ(t.s.buf.addrEnd, 0x20);
}

TEST(BufferOffset, DropsWholePagesFromTheFront) {
    TestSession t;
    const QByteArray img = pattern(0x3000);
    setImage(t.s, img);
    say(t, {"7FF"});
    ASSERT_EQ(SetOfBufClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.pageCount(), 6);
    EXPECT_EQ(t.s.buf.bufOffset, 0);

    say(t, {"3000", "g", "1FFF"});
    ASSERT_EQ(SetOfBufClick(t.s), DialogDone);
    EXPECT_EQ(t.fe.prompts.size(), 4);
    EXPECT_EQ(t.fe.prompts.last(), QStringLiteral(" Offset in the buffer : "));
    EXPECT_EQ(t.s.buf.size, 0x1800);
    EXPECT_EQ(t.s.buf.bufOffset, 0x1800);
    EXPECT_EQ(imageBytes(t.s), img.mid(0x1800));
}

TEST(FileOffset, TakesAnyHexValueWithTheCyrillicPrompt) {
    TestSession t;
    say(t, {"xyz", "12345"});
    ASSERT_EQ(ChcDispClick(t.s), DialogDone);
    EXPECT_EQ(t.s.buf.fileOffset, 0x12345);
    // The English prompt starts with the Cyrillic capital O, as it always did.
    EXPECT_EQ(t.fe.prompts[0], QString::fromUtf8(" Оffset in a file : "));
    EXPECT_EQ(ChcDispClick(t.s), DialogCancelled);
    EXPECT_EQ(t.s.buf.fileOffset, 0x12345);
}
