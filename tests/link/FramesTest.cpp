// Data frames: what Wr_block sends and from where, the short replies and bulk blocks with
// their sums and answers, and every code the frames return.

#include "link/Frames.h"
#include "LinkFixture.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

class Frames : public LinkFixture {
  protected:
    Frames() {
        // Five pages, page p holding (p * 16 + i) & 0xFF at byte i.
        for (int p = 0; p < 5; ++p) {
            s.buf.blocks.push_back(RomBuf::newBlock());
            for (int i = 0; i < RomBuf::kAlloc; ++i)
                s.buf.page(p)[i] = quint8(p * 16 + i);
        }
    }

    QByteArray pageBytes(int p, int from, int count) {
        return QByteArray(reinterpret_cast<const char*>(s.buf.page(p)) + from, count);
    }

    void readBlock(int alg, int width, qint32 start, qint32 end) {
        s.rom.algCode = quint8(alg);
        s.rom.dataWidth = width;
        s.op.opStart = start;
        s.op.opEnd = end;
    }
};

QByteArray pattern(int n, int seed = 7) {
    QByteArray b(n, 0);
    for (int i = 0; i < n; ++i)
        b[i] = char((i * 31 + seed) & 0xFF);
    return b;
}

} // namespace

TEST(BulkWidth, TwoBytesPerAddressForTheWordAlgorithms) {
    RomParams r;
    for (int alg : {19, 20, 24, 38, 47, 58}) {
        r.algCode = quint8(alg);
        r.dataWidth = 8;
        EXPECT_EQ(bulkBytesPerAddress(r), 2) << alg;
    }
    struct Row {
        int alg, width, bytes;
    };
    const Row rows[] = {{23, 16, 2}, {23, 8, 1},  {27, 14, 2}, {27, 12, 2}, {27, 8, 1},
                        {26, 16, 2}, {28, 16, 2}, {41, 16, 2}, {42, 16, 2}, {45, 16, 2},
                        {52, 16, 2}, {55, 16, 2}, {45, 8, 1},  {3, 16, 1},  {57, 16, 1}};
    for (const Row& row : rows) {
        r.algCode = quint8(row.alg);
        r.dataWidth = row.width;
        EXPECT_EQ(bulkBytesPerAddress(r), row.bytes) << row.alg << " x" << row.width;
    }
}

TEST_F(Frames, WriteBlockSendsLengthDataAndSum) {
    port->queue({0x55, 0x55});
    EXPECT_EQ(Wr_block(s, 0, 0, 256), 0);
    ASSERT_EQ(port->sent.size(), 258);
    EXPECT_EQ(quint8(port->sent[0]), 0xFF);
    EXPECT_EQ(port->sent.mid(1, 256), pageBytes(0, 0, 256));
    EXPECT_EQ(quint8(port->sent[257]), ScriptedTransport::sum(pageBytes(0, 0, 256)));

    port->sent.clear();
    EXPECT_EQ(Wr_block(s, 2, 5, 1), 0);
    EXPECT_EQ(port->sent, bytes({0x00, 2 * 16 + 5, 2 * 16 + 5}));
}

TEST_F(Frames, WriteBlockCrossesIntoTheNextPage) {
    port->queue({0x55});
    EXPECT_EQ(Wr_block(s, 3, 2000, 128), 0);
    const QByteArray data = pageBytes(3, 2000, 48) + pageBytes(4, 0, 80);
    ASSERT_EQ(port->writes.size(), 4);
    EXPECT_EQ(port->writes[1], pageBytes(3, 2000, 48));
    EXPECT_EQ(port->writes[2], pageBytes(4, 0, 80));
    EXPECT_EQ(port->writes[3], QByteArray(1, char(ScriptedTransport::sum(data))));

    // A piece that ends exactly at the page end stays in one piece.
    port->writes.clear();
    port->queue({0x55});
    EXPECT_EQ(Wr_block(s, 3, 1920, 128), 0);
    ASSERT_EQ(port->writes.size(), 3);
    EXPECT_EQ(port->writes[1], pageBytes(3, 1920, 128));
}

TEST_F(Frames, WriteBlockRefusesWhatItCannotSend) {
    EXPECT_EQ(Wr_block(s, 4, 2000, 128), 1); // no page 5
    EXPECT_EQ(Wr_block(s, 0, 0, 0), 1);
    EXPECT_EQ(Wr_block(s, 0, 0, 257), 1);
    EXPECT_EQ(Wr_block(s, -3, 0, 16), 1);
    EXPECT_EQ(Wr_block(s, kAuxIndex, 2100, 16), 1);
    EXPECT_TRUE(port->sent.isEmpty());

    s.link.auxBuf[10] = 0xAB;
    port->queue({0x55});
    EXPECT_EQ(Wr_block(s, kAuxIndex, 10, 1), 0);
    EXPECT_EQ(port->sent, bytes({0x00, 0xAB, 0xAB}));
}

TEST_F(Frames, WriteBlockRetriesOnce) {
    port->queue({0x01, 0x55});
    EXPECT_EQ(Wr_block_r(s, 0, 0, 16), 0);
    EXPECT_EQ(port->sent.size(), 2 * 18);

    port->sent.clear();
    port->queue({0x01});
    EXPECT_EQ(Wr_block_r(s, 0, 0, 16), 1);
    EXPECT_EQ(port->sent.size(), 2 * 18);

    port->failWrite = true;
    EXPECT_EQ(Wr_block(s, 0, 0, 16), 1);

    port->sent.clear();
    s.link.demoMode = 1;
    EXPECT_EQ(Wr_block_r(s, 0, 0, 16), 0);
    EXPECT_TRUE(port->sent.isEmpty());
}

TEST_F(Frames, ShortReplyCodes) {
    port->queueFrame(bytes({0x55, 0x12, 0x34}));
    EXPECT_EQ(Rd_reply_r(s, 1), 0);
    EXPECT_EQ(s.link.ansLen, 3);
    EXPECT_EQ(s.link.ansBuf[1], 0x12);
    EXPECT_EQ(port->sent, bytes({0x55}));

    port->sent.clear();
    port->queueFrame(bytes({0x55, 0x12}), 1);
    EXPECT_EQ(Rd_reply_r(s, 1), 1);
    EXPECT_EQ(s.link.ansLen, 0);
    EXPECT_EQ(port->sent, bytes({0x01}));

    port->sent.clear();
    EXPECT_EQ(Rd_reply_r(s, 1), 7); // nothing at all
    port->queue({0x03, 0x55, 0x00});
    EXPECT_EQ(Rd_reply_r(s, 1), 3); // two of four data bytes
    port->queue({0x00, 0x55});
    EXPECT_EQ(Rd_reply_r(s, 1), 4); // no sum
    EXPECT_TRUE(port->sent.isEmpty());

    // The longest reply: 256 bytes.
    port->queueFrame(pattern(256));
    EXPECT_EQ(Rd_reply_r(s, 1), 0);
    EXPECT_EQ(s.link.ansLen, 256);
    EXPECT_EQ(s.link.ansBuf[255], quint8(pattern(256)[255]));
}

TEST_F(Frames, ShortReplyIsReadAgainAfterABadSum) {
    port->queueFrame(bytes({0x55}), 1);
    port->queueFrame(bytes({0x55}));
    EXPECT_EQ(Rd_reply_r(s, 0), 0);
    EXPECT_EQ(port->sent, bytes({0x01, 0x55}));

    // 0 tries means two; the third frame stays unread.
    port->sent.clear();
    for (int i = 0; i < 3; ++i)
        port->queueFrame(bytes({0x55}), 1);
    EXPECT_EQ(Rd_reply_r(s, 0), 1);
    EXPECT_EQ(port->sent, bytes({0x01, 0x01}));
    EXPECT_EQ(port->incoming.size(), 3u);

    // A silent programmer costs one length-byte time-out per try.
    port->incoming.clear();
    const qint64 before = ts.clock.now;
    EXPECT_EQ(Rd_reply_r(s, 10), 7);
    EXPECT_EQ(ts.clock.now - before, 10 * 502);
}

TEST_F(Frames, ShortReplyInDemoMode) {
    s.link.demoMode = 1;
    s.link.ansLen = 9;
    EXPECT_EQ(Rd_reply_r(s, 5), 0);
    EXPECT_EQ(s.link.ansLen, 1);
    EXPECT_EQ(s.link.ansBuf[0], 0x55);
    EXPECT_TRUE(port->sent.isEmpty());
}

TEST_F(Frames, BulkBlockLandsInItsPage) {
    readBlock(3, 8, 0x800, 0xFFF);
    const QByteArray data = pattern(2048);
    port->queueBlock(data);
    EXPECT_EQ(Rd_block_r(s, 1, 0), 0);
    EXPECT_EQ(pageBytes(1, 0, 2048), data);
    EXPECT_EQ(port->sent, bytes({0x55}));
    EXPECT_EQ(quint8(s.buf.page(2)[0]), 32);
}

TEST_F(Frames, SixteenBitBlockIsTwiceItsAddresses) {
    readBlock(19, 16, 0, 1023);
    const QByteArray data = pattern(2048, 3);
    port->queueBlock(data);
    EXPECT_EQ(Rd_block(s, 0, 0), 0);
    EXPECT_EQ(pageBytes(0, 0, 2048), data);
    EXPECT_TRUE(port->incoming.empty());

    // Starting mid-page, the block continues at the start of the next page.
    port->queueBlock(data);
    EXPECT_EQ(Rd_block(s, 2, 1024), 0);
    EXPECT_EQ(pageBytes(2, 1024, 1024), data.left(1024));
    EXPECT_EQ(pageBytes(3, 0, 1024), data.mid(1024));
    EXPECT_EQ(quint8(s.buf.page(3)[1024]), quint8(3 * 16 + 1024));
}

TEST_F(Frames, BulkBlockCodes) {
    readBlock(3, 8, 0, 255);
    const QByteArray before = pageBytes(0, 0, 256);

    port->queueBlock(pattern(256), 1);
    EXPECT_EQ(Rd_block(s, 0, 0), 55);
    EXPECT_EQ(port->sent, bytes({0x01}));
    EXPECT_EQ(pageBytes(0, 0, 256), before); // a bad block is not stored

    port->sent.clear();
    port->queue(pattern(100));
    EXPECT_EQ(Rd_block(s, 0, 0), -2);
    EXPECT_EQ(s.link.lastRead, 100);
    port->queue(pattern(256));
    EXPECT_EQ(Rd_block(s, 0, 0), -2); // the sum never came
    EXPECT_TRUE(port->sent.isEmpty());

    port->failRead = true;
    EXPECT_EQ(Rd_block(s, 0, 0), -1);
    port->failRead = false;

    port->queueBlock(pattern(256), 1);
    port->queueBlock(pattern(256));
    EXPECT_EQ(Rd_block_r(s, 0, 0), 0);
    EXPECT_EQ(port->sent, bytes({0x01, 0x55}));
    EXPECT_EQ(pageBytes(0, 0, 256), pattern(256));

    port->sent.clear();
    s.link.demoMode = 1;
    EXPECT_EQ(Rd_block_r(s, 1, 0), 0);
    EXPECT_TRUE(port->sent.isEmpty());
}

TEST_F(Frames, BulkBlockNeverRunsPastItsDestination) {
    // A word algorithm on a row that claims 8 bits: 2048 addresses are 4096 bytes, more
    // than auxBuf holds. The frame is taken off the line and answered, nothing is stored,
    // and no second attempt is made.
    readBlock(19, 8, 0, 2047);
    const std::vector<quint8> aux = s.link.auxBuf;
    port->queueBlock(pattern(4096));
    EXPECT_EQ(Rd_block_r(s, kAuxIndex, 0), kBlockTooLarge);
    EXPECT_EQ(s.link.auxBuf, aux);
    EXPECT_TRUE(port->incoming.empty());
    EXPECT_EQ(port->sent, bytes({0x55}));

    // Past the last page of the buffer.
    readBlock(3, 8, 0, 2047);
    port->queueBlock(pattern(2048));
    EXPECT_EQ(Rd_block(s, 4, 100), kBlockTooLarge);
    EXPECT_EQ(quint8(s.buf.page(4)[100]), quint8(4 * 16 + 100));

    // Within an auxiliary buffer's 2112 bytes a block fits.
    readBlock(60, 8, 0, 2111);
    port->queueBlock(pattern(2112));
    EXPECT_EQ(Rd_block(s, kAux2Index, 0), 0);
    EXPECT_EQ(s.link.auxBuf2[2111], quint8(pattern(2112)[2111]));
}
