// Undo and redo of edits and buffer operations, the edited ranges, and the CRC-32 that stays
// current through all of them.

#include "BufferTestUtil.h"

#include "buffer/BufferFiles.h"
#include "buffer/BufferOps.h"
#include "buffer/HexPage.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageHistory.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace zelvor;
using namespace zelvor::test;

namespace {
quint32 crcOf(const QByteArray& b) {
    return crc32Update(0, reinterpret_cast<const quint8*>(b.constData()), size_t(b.size()));
}
} // namespace

TEST(ImageHistory, UndoRedoOfOperationsAndTypedBytes) {
    TestSession t;
    const QByteArray img = pattern(5000);
    setImage(t.s, img);
    const quint32 crc0 = bufferCrc(t.s);
    EXPECT_EQ(crc0, crcOf(img));

    // AND 00 over the whole image keeps one copy of the range, and comes back whole.
    EditFields f = editDefaults(t.s.buf);
    ASSERT_EQ(editBuffer(t.s, EditOp::And, f, "00", "0", "1387"), 0);
    EXPECT_EQ(imageBytes(t.s), QByteArray(5000, 0));
    EXPECT_EQ(t.s.buf.track.keptBytes, 5000);
    EXPECT_EQ(bufferCrc(t.s), crcOf(QByteArray(5000, 0)));
    ASSERT_EQ(undoImage(t.s), HistoryOk);
    EXPECT_EQ(imageBytes(t.s), img);
    EXPECT_EQ(bufferCrc(t.s), crc0);
    ASSERT_EQ(redoImage(t.s), HistoryOk);
    EXPECT_EQ(imageBytes(t.s), QByteArray(5000, 0));
    ASSERT_EQ(undoImage(t.s), HistoryOk);
    EXPECT_EQ(undoImage(t.s), HistoryEmpty);

    // Two digits typed into one byte are one step; SWAP is one step of its own.
    HexPage v;
    v.setPage(t.s.buf, 2);
    pressHexKey(t.s, v, HexPane::Hex, {0, 0}, HexKey::Char, u'4');
    const HexKeyResult r = pressHexKey(t.s, v, HexPane::Hex, {0, 1}, HexKey::Char, u'1');
    EXPECT_EQ(r.caret, (HexCaret{0, 3}));
    EXPECT_EQ(quint8(imageBytes(t.s)[0x100]), 0x41);
    EXPECT_EQ(v.text(t.s.buf).charRows[0][0], QLatin1Char('A'));
    SwapClick(t.s);
    EXPECT_EQ(quint8(imageBytes(t.s)[0x101]), 0x41);
    EXPECT_EQ(t.s.buf.track.undo.size(), 2u);
    ASSERT_EQ(undoImage(t.s), HistoryOk);
    EXPECT_EQ(quint8(imageBytes(t.s)[0x100]), 0x41);
    ASSERT_EQ(undoImage(t.s), HistoryOk);
    EXPECT_EQ(imageBytes(t.s), img);
    EXPECT_TRUE(canRedo(t.s.buf));
    EXPECT_EQ(bufferCrc(t.s), crc0);

    // A new step drops what could be redone; a step that no longer fits drops the history.
    writeByte(t.s, 7, 0x00);
    EXPECT_FALSE(canRedo(t.s.buf));
    t.s.buf.blocks.resize(1);
    writeByte(t.s, 9, 0x00);
    t.s.buf.track.undo.back().offset = 4000;
    EXPECT_EQ(undoImage(t.s), HistoryStale);
    EXPECT_FALSE(canUndo(t.s.buf));
}

TEST(ImageHistory, BoundedStepsAndEditedRanges) {
    TestSession t;
    setImage(t.s, pattern(0x4000));
    for (int i = 0; i < kHistorySteps + 5; ++i)
        writeByte(t.s, 2 * i, quint8(i));
    EXPECT_EQ(int(t.s.buf.track.undo.size()), kHistorySteps);
    EXPECT_EQ(t.s.buf.track.keptBytes, kHistorySteps);

    // Edited ranges merge when they overlap or touch, and stay apart otherwise.
    struct Case {
        std::vector<std::pair<qint64, qint64>> edits;
        std::map<qint64, qint64> ranges;
    } cases[] = {
        {{{10, 20}, {30, 40}}, {{10, 20}, {30, 40}}},
        {{{10, 20}, {21, 25}}, {{10, 25}}},
        {{{30, 40}, {10, 20}, {15, 35}}, {{10, 40}}},
        {{{5, 5}, {7, 7}, {6, 6}, {100, 200}, {0, 1}}, {{0, 1}, {5, 7}, {100, 200}}},
    };
    for (const Case& c : cases) {
        setImage(t.s, pattern(0x1000));
        imageReplaced(t.s.buf);
        for (auto [a, b] : c.edits)
            changeImage(t.s, a, b, [] {});
        EXPECT_EQ(editedRanges(t.s.buf), c.ranges);
    }
    EXPECT_TRUE(isEdited(t.s.buf, 150));
    EXPECT_FALSE(isEdited(t.s.buf, 99));
    const std::bitset<256> page = editedBytes(t.s.buf, 0);
    EXPECT_EQ(page.count(), 5u + 101u);
    EXPECT_TRUE(page[0] && page[1] && page[5] && page[6] && page[7]);
    EXPECT_EQ(editedBytes(t.s.buf, 256).count(), 0u);

    // A load starts over: nothing edited, nothing to undo.
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pattern(3000, 9));
    file.close();
    ASSERT_EQ(LoadBin(t.s, path), FileOk);
    EXPECT_TRUE(editedRanges(t.s.buf).empty());
    EXPECT_FALSE(canUndo(t.s.buf));
    EXPECT_EQ(bufferCrc(t.s), crcOf(pattern(3000, 9)));
}

TEST(ImageCrc, KnownValueWordOrderAndIncrementalUpdates) {
    EXPECT_EQ(crcOf(QByteArray("123456789")), 0xCBF43926u);
    EXPECT_EQ(crcOf(QByteArray()), 0u);

    // 8-bit and 16-bit images of even and odd sizes; the CRC is that of the file order.
    struct Case {
        int width;
        qint64 size;
    } cases[] = {{8, 5000}, {8, 1}, {16, 4096}, {16, 3001}};
    std::mt19937 rng(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width * 100000 + c.size);
        TestSession t;
        t.s.rom.dataWidth = c.width;
        const QByteArray img = pattern(c.size, 3);
        setImage(t.s, img);
        QByteArray file = imageBytes(t.s, c.size + 1);
        if (c.width == 16)
            for (qint64 i = 0; i + 1 < file.size(); i += 2)
                std::swap(file[i], file[i + 1]);
        file.truncate(c.size);
        EXPECT_EQ(bufferCrc(t.s), crcOf(file));

        // Edits of every kind keep the cached value equal to a fresh computation.
        for (int k = 0; k < 40; ++k) {
            const qint64 a = qint64(rng() % quint32(c.size + 40));
            const qint64 b = std::min<qint64>(a + qint64(rng() % 300), RomBuf::kPage * 2 - 1);
            switch (k % 4) {
            case 0:
                writeByte(t.s, a, quint8(rng()));
                break;
            case 1: {
                EditFields f{quint8(rng()), qint32(a), qint32(b)};
                changeImage(t.s, a, b, [&] { Change_buf(t.s.buf, EditOp::Xor, f); });
                break;
            }
            case 2:
                (void)undoImage(t.s);
                break;
            case 3:
                (void)redoImage(t.s);
                break;
            }
            ASSERT_EQ(bufferCrc(t.s), rangeCrc(t.s, 0, c.size - 1)) << "step " << k;
        }
    }

    // The window's bytes: from buffer offset 0, words counting two bytes.
    TestSession t;
    setImage(t.s, pattern(0x3000));
    t.s.buf.addrStart = 0x100;
    t.s.buf.addrEnd = 0x4FF;
    qint64 first = 0, last = 0;
    windowRange(t.s, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 0x3FF);
    EXPECT_EQ(rangeCrc(t.s, first, last), crcOf(pattern(0x3000).left(0x400)));
    t.s.rom.dataWidth = 16;
    t.s.rom.devClass = 6; // AVR words are not exchanged
    t.s.buf.addrEnd = 0x17FF;
    windowRange(t.s, first, last);
    EXPECT_EQ(last, 0x2DFF);
}

TEST(ImageCrc, SlicedPassEndsOnTheWholeImagesValueAndRestartsAfterAnEdit) {
    for (const int width : {8, 16}) {
        SCOPED_TRACE(width);
        TestSession t;
        t.s.rom.dataWidth = width;
        setImage(t.s, pattern(5 * RomBuf::kPage + 77, 5));
        const quint32 whole = rangeCrc(t.s, 0, qint64(t.s.buf.size) - 1);

        int slices = 1;
        while (!advanceBufferCrc(t.s, RomBuf::kPage))
            ++slices;
        EXPECT_EQ(slices, 6); // five whole pages and the part of the sixth
        EXPECT_EQ(bufferCrc(t.s), whole);

        // An edit in a part already summed sends the pass back to the start.
        imageReplaced(t.s.buf);
        EXPECT_FALSE(advanceBufferCrc(t.s, 2 * RomBuf::kPage));
        writeByte(t.s, 3, 0x5A);
        while (!advanceBufferCrc(t.s, RomBuf::kPage)) {
        }
        EXPECT_EQ(bufferCrc(t.s), rangeCrc(t.s, 0, qint64(t.s.buf.size) - 1));
        EXPECT_NE(bufferCrc(t.s), whole);
    }
}
