#include "app/HexText.h"
#include "app/TextFile.h"

#include <gtest/gtest.h>

#include "TestDir.h"

using namespace zelvor;

TEST(HexText, FixedWidthDropsHighBits) {
    EXPECT_EQ(Hex_str(0x12345, 4), "2345");
    EXPECT_EQ(Hex_str(10, 2), "0A");
    EXPECT_EQ(Hex_str(0xABCDEF, 7), "0ABCDEF");
    EXPECT_EQ(Hex_str(0, 1), "0");
}

TEST(HexText, ParsesCaseInsensitivelyAndFlagsBadDigits) {
    auto v = Str_hex("1f");
    EXPECT_EQ(v.error, 0);
    EXPECT_EQ(v.value, 31u);
    EXPECT_EQ(Str_hex("12G").error, 1);
    EXPECT_EQ(Str_hex(" 12").error, 1);
    v = Str_hex("");
    EXPECT_EQ(v.error, 0);
    EXPECT_EQ(v.value, 0u);
    // Only the first seven characters of a longer text count.
    v = Str_hex("12345678");
    EXPECT_EQ(v.error, 0);
    EXPECT_EQ(v.value, 0x1234567u);
    EXPECT_EQ(Str_hex("FFFFFFF").value, 0xFFFFFFFu);
}

TEST(TextFile, Cp1251RoundTripAndLineEnds) {
    const QString ru = QStringLiteral("Зелвор-AX ёЁ №");
    const QByteArray bytes = toCp1251(ru);
    EXPECT_EQ(bytes.size(), ru.size());
    EXPECT_EQ(quint8(bytes[0]), 0xC7); // З
    EXPECT_EQ(fromCp1251(bytes), ru);

    test::TestDir dir;
    ASSERT_TRUE(writeTextLines(dir.file("a.txt"), {"one", ru}));
    EXPECT_EQ(dir.readBytes("a.txt"), QByteArray("one\r\n") + bytes + "\r\n");
    auto lines = readTextLines(dir.file("a.txt"));
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, QStringList({"one", ru}));

    // LF-only and a last line without an end are read too.
    dir.writeBytes("b.txt", "x\ny\r\nz");
    EXPECT_EQ(*readTextLines(dir.file("b.txt")), QStringList({"x", "y", "z"}));
    EXPECT_FALSE(readTextLines(dir.file("missing.txt")).has_value());
}
