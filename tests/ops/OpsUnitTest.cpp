// The operation engine against a scripted programmer: block steps, progress and Cancel,
// the buffer kept on failed reads, piece cutting, the silent second write, erase verdicts.

#include "LinkFixture.h"

#include "app/Messages.h"
#include "buffer/BufferInit.h"
#include "ops/Engine.h"

#include <gtest/gtest.h>

namespace zelvor::test {
namespace {

// A programmer that answers every exchange of the operations from a memory of its own.
class OpsTest : public LinkFixture {
  protected:
    OpsTest() {
        s.rom.algCode = 7;
        s.rom.devClass = 0;
        s.rom.dataWidth = s.rom.baseWidth = 8;
        s.rom.canRead = s.rom.canWrite = s.rom.canCompare = s.rom.canErase = s.rom.canBlank = 1;
        s.rom.romLen = 0x10000;
        s.buf.addrStart = 0;
        s.buf.addrEnd = 0xFFFF;
        InitMem(s);
        chip = QByteArray(0x20000, char(0xFF));
        port->onWrite = [this](ScriptedTransport& t, const QByteArray& w) { answer(t, w); };
    }

    void answer(ScriptedTransport& t, const QByteArray& w) {
        if (w.size() == 10 && quint8(w[0]) == 0x07) {
            ++packetCount;
            if (packetCount <= refusePackets || packetCount > refuseAfter) return; // silence
            t.queue({0x55});
            const int op = quint8(w[1]) & 0x0F;
            const int n = (s.op.opEnd - s.op.opStart + 1) * (wideTransfer(s) ? 2 : 1);
            if (op == 1) {
                QByteArray block = chip.mid(s.op.opStart * (wideTransfer(s) ? 2 : 1), n);
                t.queueBlock(block, packetCount == badSumAt ? 1 : 0);
                if (packetCount == badSumAt) t.queueBlock(block, 1); // both tries fail
            } else if (op == 2) {
                t.queueFrame(QByteArray(1, char(0x55)));
                writeAt = s.op.opStart;
                pending.clear();
                awaitingAnswer = true;
            } else if (op == 5 || op == 6) {
                eraseStarts << s.op.opStart;
                const bool fail = failSectors.contains(int(eraseStarts.size()));
                t.queueFrame(QByteArray(1, char(fail || (op == 6 && !blank) ? 0x00 : 0x55)));
            }
            inData = op == 2;
            return;
        }
        if (!inData) return; // the core's answers to our frames
        if (w.size() == 1 && pending.isEmpty() && awaitingAnswer) {
            awaitingAnswer = false; // the core's 0x55 after our reply
            return;
        }
        pending += w;
        const int count = quint8(pending[0]) + 1;
        if (pending.size() < count + 2) return;
        const QByteArray data = pending.mid(1, count);
        pieces << data.size();
        if (!(storeNothingOnce && pieces.size() == 1)) chip.replace(writeAt, data.size(), data);
        writeAt += data.size();
        pending.clear();
        t.queue({0x55});
        t.queueFrame(mismatchAtPiece == pieces.size() ? QByteArray("\x00\x00\x10\xAA\xBB", 5)
                                                      : QByteArray(1, char(0x55)));
        awaitingAnswer = true;
    }

    void fillBuffer(int bytes, quint8 seed) {
        s.buf.blocks.clear();
        while (s.buf.pageCount() * RomBuf::kPage < bytes)
            s.buf.blocks.push_back(RomBuf::newBlock());
        for (int i = 0; i < bytes; ++i)
            s.buf.page(i / RomBuf::kPage)[i % RomBuf::kPage] = quint8(i * 7 + seed);
        s.buf.size = bytes;
        s.buf.lastLen = (bytes - 1) % RomBuf::kPage + 1;
    }

    QByteArray chip;
    int packetCount = 0;
    int refusePackets = 0;
    int refuseAfter = 1 << 30;
    int badSumAt = -1;
    int mismatchAtPiece = -1;
    bool storeNothingOnce = false;
    bool blank = true;
    bool inData = false;
    bool awaitingAnswer = false;
    qint32 writeAt = 0;
    QByteArray pending;
    QList<int> pieces;
    QList<qint32> eraseStarts;
    QList<int> failSectors;
};

TEST_F(OpsTest, ReadStepsOfAWindowOf5000Bytes) {
    s.buf.addrEnd = 4999;
    CalcStep_r(s, true);
    EXPECT_EQ(s.op.xferStep, 2048);
    EXPECT_EQ(s.op.progMax, 5000);
    EXPECT_NEAR(s.op.progStep, 21845.33, 0.01);
    EXPECT_EQ(s.buf.pageCount(), 3);

    for (int i = 0; i < 5000; ++i)
        chip[i] = char(i * 3);
    InitMem(s);
    EXPECT_EQ(ReadRomClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), s.text(msg::ReadDone));
    EXPECT_EQ(s.buf.size, 5000);
    EXPECT_EQ(s.buf.page(2)[4999 - 4096], quint8(4999 * 3));
    ASSERT_EQ(port->packets.size(), 3);
    EXPECT_EQ(ts.fe.progressCaptions.value(0), QStringLiteral("\"Read\" is active"));
    // A step per block, never backwards, ending at the top of the bar.
    const std::vector<int> want{0, 21845, 43690, 65535};
    EXPECT_EQ(ts.fe.progress, want);
    EXPECT_EQ(ts.fe.progressCloses, 1);
}

TEST_F(OpsTest, RussianCaptionAndSixteenBitPages) {
    s.settings.english = 0;
    s.rom.algCode = 19;
    s.rom.dataWidth = s.rom.baseWidth = 16;
    s.buf.addrEnd = 0x7FF; // 2048 words
    for (int i = 0; i < 4096; ++i)
        chip[i] = char(i ^ 0x5A);
    EXPECT_EQ(ReadRomClick(s), 0);
    EXPECT_EQ(ts.fe.progressCaptions.value(0), QStringLiteral("Выполняется \"Чтение\""));
    EXPECT_EQ(s.buf.size, 4096);
    EXPECT_EQ(s.buf.page(1)[5], quint8((2048 + 5) ^ 0x5A));
    EXPECT_EQ(port->packets.size(), 2);
}

TEST_F(OpsTest, CancelDuringSecondBlockEndsAfterItAndKeepsTheBuffer) {
    fillBuffer(3000, 9);
    const quint16 sum = s.buf.checkSum;
    ts.fe.cancelAfterSteps = 3; // position 0, then block 1, block 2
    EXPECT_EQ(ReadRomClick(s), opres::kCancelled);
    EXPECT_EQ(port->packets.size(), 2);
    EXPECT_TRUE(ts.fe.lastStatus().isEmpty());
    EXPECT_EQ(s.buf.size, 3000);
    EXPECT_EQ(s.buf.checkSum, sum);
    EXPECT_EQ(s.buf.page(1)[0], quint8(2048 * 7 + 9));
}

TEST_F(OpsTest, FailedReadLeavesTheBufferAndNamesTheCode) {
    s.settings.english = 0;
    fillBuffer(100000, 1);
    badSumAt = 2;
    EXPECT_EQ(ReadRomClick(s), opres::kReadChecksum);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Ошибка обмена данными55"));
    EXPECT_EQ(s.buf.size, 100000);
    EXPECT_EQ(s.buf.pageCount(), 49);
    EXPECT_EQ(s.buf.page(48)[0], quint8(48 * 2048 * 7 + 1));
}

TEST_F(OpsTest, RefusedPacketGives66AndEnglishHidesTheCode) {
    refusePackets = 2; // both tries of the packet
    EXPECT_EQ(ReadRomClick(s), opres::kReadSetup);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error of link with the programmer"));
}

TEST_F(OpsTest, UnsupportedModesSendNothing) {
    s.rom.canRead = s.rom.canWrite = s.rom.canCompare = s.rom.canErase = s.rom.canBlank = 0;
    EXPECT_NE(ReadRomClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The mode \"read\" is not supported"));
    EXPECT_NE(ReadNullClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The mode \"blank check\" is not supported"));
    EXPECT_NE(WriteRomClick(s), 0);
    EXPECT_NE(CompRomClick(s), 0);
    EXPECT_NE(ClearRomClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The mode \"erase\" is not supported"));
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(OpsTest, EmptyBufferIsRefusedBeforeAnyTraffic) {
    s.buf.size = 0;
    EXPECT_EQ(WriteRomClick(s), opres::kEmptyBuffer);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error! The buffer is empty."));
    EXPECT_EQ(CompRomClick(s), opres::kEmptyBuffer);
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(OpsTest, ProgramCutsBlocksIntoPiecesAndCompares) {
    s.rom.algCode = 30; // 64-byte pieces
    s.buf.addrEnd = 0x1FFF;
    fillBuffer(5000, 3);
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The device is programmed"));
    EXPECT_EQ(s.op.lenBl, 64);
    // 2048 + 2048 + 904 bytes: 32 + 32 + 15 pieces, the last one 8 bytes.
    EXPECT_EQ(pieces.size(), 79);
    EXPECT_EQ(pieces.last(), 904 % 64);
    EXPECT_EQ(chip.left(5000), QByteArray(reinterpret_cast<const char*>(s.buf.page(0)), 2048) +
                                   QByteArray(reinterpret_cast<const char*>(s.buf.page(1)), 2048) +
                                   QByteArray(reinterpret_cast<const char*>(s.buf.page(2)), 904));
    EXPECT_EQ(CompRomClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The device is programmed correctly    "));
    chip[4321] = char(~chip[4321]);
    EXPECT_EQ(CompRomClick(s), opres::kBadReply);
    ASSERT_EQ(ts.fe.boxes.size(), 1);
    EXPECT_TRUE(
        ts.fe.boxes.last().startsWith(QStringLiteral("Not compare to the address: 0010E1")));
    EXPECT_EQ(ts.fe.lastStatus(),
              QStringLiteral("The device contains differences from the original  "));
}

TEST_F(OpsTest, ProgrammerMismatchRecordStopsProgramming) {
    fillBuffer(4096, 0);
    mismatchAtPiece = 2;
    EXPECT_EQ(WriteRomClick(s), opres::kBadReply);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error of programming"));
    ASSERT_EQ(ts.fe.boxes.size(), 1);
    EXPECT_EQ(ts.fe.boxes[0], QStringLiteral("Error of programing to the address:  000010 it Is "
                                             "written down: BB should be:  AA"));
    EXPECT_EQ(pieces.size(), 2);
}

TEST_F(OpsTest, ReadBackDifferenceIsWrittenOnceMoreSilentlyForAlgorithm25) {
    s.rom.algCode = 25;
    s.rom.verifyBlock = 1;
    fillBuffer(2048, 5);
    storeNothingOnce = true; // the first piece is lost once
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_TRUE(ts.fe.boxes.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The device is programmed"));
    EXPECT_EQ(chip.left(2048), QByteArray(reinterpret_cast<const char*>(s.buf.page(0)), 2048));
    // The repeat adds no progress step: 0, one block, and the end.
    EXPECT_EQ(ts.fe.progress.back(), kProgressMax);
    for (size_t i = 1; i < ts.fe.progress.size(); ++i)
        EXPECT_GE(ts.fe.progress[i], ts.fe.progress[i - 1]);
}

TEST_F(OpsTest, ReadBackDifferenceStopsOtherAlgorithmsWithTheRecord) {
    s.rom.verifyBlock = 1;
    fillBuffer(2048, 5);
    storeNothingOnce = true;
    EXPECT_EQ(WriteRomClick(s), opres::kVerifyMismatch);
    ASSERT_EQ(ts.fe.boxes.size(), 1);
    EXPECT_TRUE(ts.fe.boxes[0].startsWith(
        QStringLiteral("Error of programing to the address:  000000 it Is written down: FF")));
    EXPECT_NE(ts.fe.lastStatus(), QStringLiteral("The device is programmed"));
}

TEST_F(OpsTest, BlankCheckInTheProgrammer) {
    EXPECT_EQ(ReadNullClick(s), 0);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Blank check OK"));
    EXPECT_EQ(port->packets.size(), 32);
    blank = false;
    EXPECT_EQ(ReadNullClick(s), opres::kNotBlank);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Blank check not complited"));
    EXPECT_EQ(port->packets.size(), 33); // stops at the first block
}

TEST_F(OpsTest, BlankCheckInThePcOfA14BitPic) {
    s.rom.algCode = 27;
    s.rom.devClass = 5;
    s.rom.dataWidth = s.rom.baseWidth = 14;
    s.rom.extraBits = 6;
    s.buf.addrEnd = 1023;
    for (int i = 0; i < 2048; i += 2)
        chip[i] = 0x3F;
    EXPECT_EQ(ReadNullClick(s), 0);
    chip[100] = char(0xFF);
    EXPECT_EQ(ReadNullClick(s), opres::kNotBlank);
    // The data area is byte-wide: every byte must read 0xFF there.
    Code_Data(s, 1);
    EXPECT_EQ(s.rom.dataWidth, 8);
    EXPECT_EQ(s.buf.addrEnd, 63);
}

TEST_F(OpsTest, EraseVerdictCountsEverySector) {
    s.rom.algCode = 33;
    s.rom.romLen = 0x40000;
    s.buf.addrEnd = 0x3FFFF;
    EXPECT_EQ(ClearRomClick(s), 0);
    EXPECT_EQ(eraseStarts, (QList<qint32>{0, 0x10000, 0x20000, 0x30000}));
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Erase complited"));

    eraseStarts.clear();
    failSectors = {2}; // a middle sector fails, the last one succeeds
    EXPECT_NE(ClearRomClick(s), 0);
    EXPECT_EQ(eraseStarts.size(), 4);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error erasing"));

    // Below 64 KiB there is no sector: nothing is sent and the chip is not called erased.
    eraseStarts.clear();
    s.rom.romLen = 0x8000;
    EXPECT_NE(ClearRomClick(s), 0);
    EXPECT_TRUE(eraseStarts.isEmpty());
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error erasing"));
}

TEST_F(OpsTest, SingleEraseCommandCarriesTheWindow) {
    s.rom.algCode = 5;
    s.rom.variant = 0;
    s.buf.addrStart = 0x100;
    s.buf.addrEnd = 0x1FF;
    EXPECT_EQ(ClearRomClick(s), 0);
    ASSERT_EQ(eraseStarts.size(), 1);
    EXPECT_EQ(eraseStarts[0], 0x800100);
    EXPECT_EQ(s.op.opEnd, 0x1FF);
    EXPECT_EQ(s.op.area, 0); // restored
}

TEST_F(OpsTest, CodeDataWindows) {
    s.rom.algCode = 56;
    Code_Data(s, 1);
    EXPECT_EQ(s.buf.addrEnd, 127);
    EXPECT_EQ(s.rom.romLen, 128);
    EXPECT_EQ(s.op.area, 1);
    s.rom.algCode = 45;
    s.rom.baseWidth = 16;
    Code_Data(s, 1);
    EXPECT_EQ(s.rom.dataWidth, 8);
    Code_Data(s, 0);
    EXPECT_EQ(s.rom.dataWidth, 16);
}

TEST_F(OpsTest, WriteStepsFollowTheBufferInsideTheWindow) {
    s.buf.addrEnd = 8191;
    fillBuffer(5000, 0);
    EXPECT_EQ(CalcStep_w(s), 4999);
    EXPECT_EQ(s.op.progMax, 5000);
    s.rom.dataWidth = 16;
    s.rom.algCode = 19;
    fillBuffer(4096, 0);
    EXPECT_EQ(CalcStep_w(s), 2047);
    EXPECT_EQ(s.op.xferStep, 1024);
    s.rom.dataWidth = 8;
    s.rom.algCode = 57;
    EXPECT_EQ(CalcStep_w(s), 4095);
    EXPECT_EQ(s.op.xferStep, 2112);
}

TEST_F(OpsTest, SlowChipProgramsAt9600AndGetsItsRateBack) {
    s.rom.slowOnly = 1;
    s.settings.baudIdx = 4;
    Reopen_com(s);
    fillBuffer(100, 1);
    port->openedRates.clear();
    EXPECT_EQ(WriteRomClick(s), 0);
    QList<int> speedCodes;
    for (const QByteArray& pk : port->packets)
        if ((quint8(pk[1]) & 0x0F) == 4) speedCodes << quint8(pk[3]);
    EXPECT_EQ(speedCodes, (QList<int>{0, 4}));
    ASSERT_GE(port->openedRates.size(), 2);
    EXPECT_EQ(port->openedRates.first(), 9600);
    EXPECT_EQ(port->openedRates.last(), 230400);
    EXPECT_EQ(s.settings.baudIdx, 4);
    EXPECT_EQ(s.run.slowed, 0);
}

TEST_F(OpsTest, Algorithm30WritesItsFirst64BytesAgainOnlyAfterSuccess) {
    s.rom.algCode = 30;
    s.rom.optA = 1;
    fillBuffer(2048, 2);
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_EQ(port->packets.size(), 2);
    EXPECT_EQ(pieces.size(), 32 + 1);

    port->packets.clear();
    pieces.clear();
    mismatchAtPiece = 3; // the run fails: no extra write, no success text
    EXPECT_EQ(WriteRomClick(s), opres::kBadReply);
    EXPECT_EQ(port->packets.size(), 1);
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error of programming"));
}

TEST_F(OpsTest, PageAddressedAlgorithm46WritesWhole512BytePages) {
    s.rom.algCode = 46;
    s.rom.optC = 1; // 128-byte pieces
    fillBuffer(700, 4);
    EXPECT_EQ(WriteRomClick(s), 0);
    // 700 bytes become 1024: eight whole pieces, the tail erased.
    EXPECT_EQ(pieces.size(), 8);
    EXPECT_EQ(quint8(chip[699]), s.buf.page(0)[699]);
    EXPECT_EQ(quint8(chip[1000]), 0xFF);
}

TEST_F(OpsTest, ReadBackOfPageFlashComparesTheSameAddresses) {
    s.rom.algCode = 60;
    s.rom.verifyBlock = 1;
    s.buf.addrEnd = 8191;
    fillBuffer(5000, 6);
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_TRUE(ts.fe.boxes.isEmpty()) << ts.fe.boxes.join('\n').toStdString();
    EXPECT_EQ(chip.left(5000).right(100),
              QByteArray(reinterpret_cast<const char*>(s.buf.page(2)) + (4900 - 4096), 100));
}

TEST_F(OpsTest, SingleConfigurationWordOfAPicLandsAtWord7) {
    s.rom.algCode = 27;
    s.rom.devClass = 5;
    s.rom.dataWidth = s.rom.baseWidth = 14;
    s.rom.extraBits = 6;
    s.rom.pulseAlg = 1; // one configuration word
    s.rom.romLen = 1024;
    s.buf.addrEnd = 1023;
    s.buf.cfgwOfs = 0x4000;
    s.buf.dataOfs = 0x4200;
    s.settings.autoCfgw = 1;
    chip[0] = 0x3F;
    chip[1] = char(0xF1);
    EXPECT_EQ(ReadRomClick(s), 0);
    EXPECT_EQ(s.buf.size, 0x4000 + 16);
    const quint8* last = s.buf.page(8);
    EXPECT_EQ(last[0], 0x3F);
    EXPECT_EQ(last[1], 0xFF);
    EXPECT_EQ(last[14], 0x3F);
    EXPECT_EQ(last[15], 0xF1);
    EXPECT_EQ(s.op.area, 0);
}

TEST_F(OpsTest, PicExtrasAreSkippedWhenTheBufferDoesNotReachThem) {
    s.rom.algCode = 27;
    s.rom.devClass = 5;
    s.rom.dataWidth = s.rom.baseWidth = 14;
    s.rom.romLen = 1024;
    s.buf.addrEnd = 1023;
    s.buf.cfgwOfs = 0x4000;
    s.buf.dataOfs = 0x4200;
    s.settings.autoCfgw = s.settings.autoData = 1;
    fillBuffer(2048, 0);
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_EQ(port->packets.size(), 1); // the code block only
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("The device is programmed"));
}

TEST_F(OpsTest, FailedConfigurationReadGivesTheOldBufferBack) {
    s.rom.algCode = 27;
    s.rom.devClass = 5;
    s.rom.dataWidth = s.rom.baseWidth = 14;
    s.rom.romLen = 1024;
    s.buf.addrEnd = 1023;
    s.buf.cfgwOfs = 0x4000;
    s.buf.dataOfs = 0x4200;
    s.settings.autoCfgw = 1;
    fillBuffer(3000, 8);
    refuseAfter = 1; // the code block arrives, the configuration packet is not answered
    EXPECT_NE(ReadRomClick(s), 0);
    EXPECT_EQ(s.buf.size, 3000);
    EXPECT_EQ(s.buf.page(1)[3], quint8((2048 + 3) * 7 + 8));
    EXPECT_EQ(ts.fe.lastStatus(), QStringLiteral("Error of link with the programmer"));
}

TEST_F(OpsTest, Algorithm48FlagsEveryPacketAbove16MiB) {
    s.rom.algCode = 48;
    s.rom.romLen = 0x2000000;
    s.buf.addrStart = 0xFFF800;
    s.buf.addrEnd = 0x10007FF;
    chip.resize(0x20); // the peer answers blank checks only
    EXPECT_EQ(ReadNullClick(s), 0);
    ASSERT_EQ(port->packets.size(), 2);
    EXPECT_EQ(quint8(port->packets[0][2]) & 0x40, 0);
    EXPECT_EQ(quint8(port->packets[1][2]) & 0x40, 0x40);
    EXPECT_EQ(s.op.addrHigh, 1);
}

TEST_F(OpsTest, LdromBlocksOfAlgorithm32GoToTheDataArea) {
    s.rom.algCode = 32;
    s.rom.devClass = 1;
    s.settings.autoData = 1;
    s.buf.dataOfs = 0x10000;
    s.buf.addrStart = 0xF800;
    s.buf.addrEnd = 0x107FF;
    EXPECT_EQ(ReadRomClick(s), 0);
    ASSERT_EQ(port->packets.size(), 2);
    EXPECT_EQ(quint8(port->packets[0][3]) & 0x80, 0);
    EXPECT_EQ(quint8(port->packets[1][3]) & 0x80, 0x80);
    EXPECT_EQ(s.op.area, 0);
}

} // namespace
} // namespace zelvor::test
