// The address window rule the dialog and the command line share.

#include "TestSession.h"

#include "buffer/AddressWindow.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(AddressWindowRule, UnitsMultiplesAndPagesByChipKind) {
    struct Case {
        const char* what;
        int alg, optC, variant;
        qint32 romLen;
        quint32 start, end;
        int code;
        qint32 startAddr, endAddr;
    };
    const Case cases[] = {
        {"plain chip, bytes", 3, 0, 0, 0x8000, 0x100, 0x1FFF, WindowOk, 0x100, 0x1FFF},
        {"plain chip, start past the end", 3, 0, 0, 0x8000, 0x8000, 0x8000, WindowBadStart, 0, 0},
        {"plain chip, end before start", 3, 0, 0, 0x8000, 0x100, 0xFF, WindowBadEnd, 0, 0},
        {"page Flash, page numbers", 61, 1, 0, 528 * 16, 5, 7, WindowOk, 5 * 528, 8 * 528 - 1},
        {"page Flash, page past the last", 61, 1, 0, 528 * 16, 16, 16, WindowBadStart, 0, 0},
        {"page Flash, end page before start", 60, 1, 0, 528 * 16, 5, 4, WindowBadEnd, 0, 0},
        {"2 KiB blocks, start off a block", 58, 0, 0, 0x100000, 0x801, 0xFFFFF, WindowBadStart, 0,
         0},
        {"2 KiB blocks, on a block", 58, 0, 0, 0x100000, 0x800, 0xFFF, WindowOk, 0x800, 0xFFF},
        {"512-byte pages, end off a page", 46, 1, 0, 0x10000, 0x200, 0x3FE, WindowBadEnd, 0, 0},
        {"512-byte pages, whole pages", 46, 1, 0, 0x10000, 0x200, 0x3FF, WindowOk, 0x200, 0x3FF},
        {"2048-byte pages, start off a page", 62, 0, 1, 0x100000, 0x10, 0x7FF, WindowBadStart, 0,
         0},
        {"algorithm 49, odd length", 49, 0, 0, 0x10000, 0x10, 0x12, WindowBadEnd, 0, 0},
        {"algorithm 49, even length", 49, 0, 0, 0x10000, 0x10, 0x13, WindowOk, 0x10, 0x13},
    };
    for (const Case& c : cases) {
        TestSession t;
        t.s.rom.algCode = quint8(c.alg);
        t.s.rom.optC = c.optC;
        t.s.rom.variant = c.variant;
        t.s.rom.romLen = c.romLen;
        qint32 a = -1;
        qint32 e = -1;
        EXPECT_EQ(checkAddressWindow(t.s, c.start, c.end, a, e), c.code) << c.what;
        if (c.code != WindowOk) continue;
        EXPECT_EQ(a, c.startAddr) << c.what;
        EXPECT_EQ(e, c.endAddr) << c.what;
        // The values the command line fills in for an option left out give the same window.
        EXPECT_EQ(windowStartValue(t.s.rom, a), c.start) << c.what;
        EXPECT_EQ(windowEndValue(t.s.rom, e), c.end) << c.what;
    }
}
