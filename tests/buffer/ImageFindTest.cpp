// Go to address and find in the buffer, the compare of two images, and the CLI verbs that run
// them on files.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include "buffer/ImageCompare.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageFind.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(ImageFind, PatternsFindNextAndGoTo) {
    struct PatternCase {
        const char* text;
        bool hex;
        int code;
        QByteArray bytes;
    } patterns[] = {
        {"DE AD", true, FindOk, QByteArray("\xDE\xAD")},
        {"dead be", true, FindOk, QByteArray("\xDE\xAD\xBE")},
        {"DEA", true, FindBadPattern, {}},
        {"ZZ", true, FindBadPattern, {}},
        {"", true, FindBadPattern, {}},
        {"abc", false, FindOk, QByteArray("abc")},
        {"\xD0\xAF", false, FindOk, QByteArray("\xDF")}, // Cyrillic Я
        {"\xE4\xB8\x80", false, FindBadPattern, {}},     // not in the code page
    };
    for (const PatternCase& p : patterns) {
        QByteArray out;
        EXPECT_EQ(findPattern(QString::fromUtf8(p.text), p.hex, out), p.code) << p.text;
        EXPECT_EQ(out, p.bytes) << p.text;
    }

    // Hits on a page border, across 64 KiB chunks, at the very end; find-next wraps.
    TestSession t;
    QByteArray img(0x30000, 0);
    for (qint64 at : {qint64(0x7FF), qint64(0xFFFF), qint64(0x2FFFE)}) {
        img[at] = char(0xDE);
        img[at + 1] = char(0xAD);
    }
    setImage(t.s, img);
    const QByteArray dead("\xDE\xAD");
    struct FindCase {
        qint64 from;
        bool wrap;
        qint64 hit;
    } finds[] = {{0, false, 0x7FF},    {0x800, false, 0xFFFF}, {0x10000, false, 0x2FFFE},
                 {0x2FFFF, false, -1}, {0x2FFFF, true, 0x7FF}, {0x7FF, true, 0x7FF},
                 {0x40000, false, -1}};
    for (const FindCase& f : finds)
        EXPECT_EQ(findBytes(t.s.buf, dead, f.from, f.wrap), f.hit) << f.from;

    // The view lands on the hit's page with the caret on its byte.
    HexPage v;
    qint64 hit = 0;
    HexCaret caret;
    ASSERT_EQ(findInView(t.s.buf, v, dead, 0x800, hit, caret), FindOk);
    EXPECT_EQ(hit, 0xFFFF);
    EXPECT_EQ(v.page(), 0x100);
    EXPECT_EQ(caret, (HexCaret{15, 45}));
    EXPECT_EQ(findInView(t.s.buf, v, QByteArray("\x01"), 0, hit, caret), FindNotFound);
    v.setWords(true);
    ASSERT_EQ(goToAddress(t.s.buf, v, "1235", caret), FindOk);
    EXPECT_EQ(v.page(), 0x13);
    EXPECT_EQ(caret, (HexCaret{3, 14}));
    EXPECT_EQ(goToAddress(t.s.buf, v, "30000", caret), FindBadAddress);
    EXPECT_EQ(goToAddress(t.s.buf, v, "12G", caret), FindBadAddress);
    EXPECT_EQ(v.page(), 0x13);
}

TEST(ImageCompare, RangesCountAndNextPrevious) {
    TestSession t;
    const QByteArray a = pattern(0x3000);
    QByteArray b = a;
    // Three places: one byte, a run across a page border, and a longer tail.
    b[0x10] = char(~b[0x10]);
    for (int i = 0x7FE; i <= 0x801; ++i)
        b[i] = char(~b[i]);
    setImage(t.s, a);
    TestSession u;
    setImage(u.s, b + QByteArray(0x20, 0));
    const ImageDiff d = diffImages(t.s.buf, t.s.buf.size, u.s.buf, u.s.buf.size);
    const std::vector<DiffRange> want{{0x10, 0x10}, {0x7FE, 0x801}, {0x3000, 0x301F}};
    EXPECT_EQ(d.ranges, want);
    EXPECT_EQ(d.bytes, 1 + 4 + 0x20);
    EXPECT_EQ(diffImages(t.s.buf, 0x3000, t.s.buf, 0x3000).ranges.size(), 0u);

    struct Step {
        qint64 from;
        qint64 next; // -1: none
        qint64 prev;
    } steps[] = {{0, 0x10, -1},          {0x10, 0x7FE, -1},   {0x11, 0x7FE, 0x10},
                 {0x800, 0x3000, 0x7FE}, {0x3000, -1, 0x7FE}, {0x5000, -1, 0x3000}};
    for (const Step& s : steps) {
        const DiffRange* n = nextDiff(d, s.from);
        const DiffRange* p = prevDiff(d, s.from);
        EXPECT_EQ(n ? n->first : -1, s.next) << s.from;
        EXPECT_EQ(p ? p->first : -1, s.prev) << s.from;
    }
    const std::bitset<256> page = differingBytes(d, 0x700);
    EXPECT_EQ(page.count(), 2u);
    EXPECT_TRUE(page[0xFE] && page[0xFF]);
}

TEST(CliFiles, FindCrcAndCompare) {
    const QString cliPath = QStringLiteral(ZELVOR_BINARY_DIR "/src/cli/zelvor-cli");
    if (!QFileInfo::exists(cliPath)) GTEST_SKIP() << "zelvor-cli not built";
    TestDir d;
    auto cli = [&](const QStringList& args, QByteArray* out = nullptr) {
        return run(cliPath, QStringList{"--dir", d.path(), "--lang", "en"} + args, out, d.path());
    };
    QByteArray img(0x1000, 0);
    img.replace(0x123, 5, "hello");
    img.replace(0x900, 5, "hello");
    d.writeBytes("a.bin", img);
    QByteArray out;
    ASSERT_EQ(cli({"find", "a.bin", "--text", "hello"}, &out), 0) << out.constData();
    EXPECT_TRUE(out.trimmed().endsWith("0000123")) << out.constData();
    ASSERT_EQ(cli({"find", "a.bin", "--hex", "68 65", "--from", "124"}, &out), 0);
    EXPECT_TRUE(out.trimmed().endsWith("0000900")) << out.constData();
    EXPECT_EQ(cli({"find", "a.bin", "--hex", "68 65", "--from", "901"}, &out), 1);
    EXPECT_EQ(cli({"find", "a.bin", "--hex", "6"}), 2);
    EXPECT_EQ(cli({"find", "a.bin"}), 2);

    ASSERT_EQ(cli({"crc", "a.bin"}, &out), 0);
    const quint32 whole =
        crc32Update(0, reinterpret_cast<const quint8*>(img.constData()), size_t(img.size()));
    EXPECT_TRUE(
        out.trimmed().endsWith(QByteArray::number(whole, 16).toUpper().rightJustified(8, '0')))
        << out.constData();
    ASSERT_EQ(cli({"crc", "a.bin", "--start", "123", "--end", "127"}, &out), 0);
    EXPECT_TRUE(out.trimmed().endsWith("3610A686")) << out.constData(); // CRC-32 of "hello"
    EXPECT_EQ(cli({"crc", "a.bin", "--end", "1000"}), 2);

    QByteArray changed = img;
    changed[0x10] = 1;
    changed[0x7FF] = 2;
    changed[0x800] = 3;
    changed[0xFFF] = 4;
    d.writeBytes("b.bin", changed);
    ASSERT_EQ(cli({"convert", "b.bin", "b.hex"}), 0);
    ASSERT_EQ(cli({"compare", "a.bin", "b.hex"}, &out), 1);
    const QByteArray want = "0000010-0000010\n00007FF-0000800\n0000FFF-0000FFF\n"
                            "3 ranges, 4 bytes differ\n";
    EXPECT_TRUE(out.endsWith(want)) << out.constData();
    ASSERT_EQ(cli({"compare", "a.bin", "a.bin"}, &out), 0);
    EXPECT_TRUE(out.endsWith("0 ranges, 0 bytes differ\n")) << out.constData();
}
