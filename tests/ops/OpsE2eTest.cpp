// Read, blank check, program, compare and erase over a real pseudo-terminal against the
// virtual programmer, for one chip of every algorithm the shipped prgplus.lst uses.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"
#include "ShippedTable.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"
#include "ops/Engine.h"
#include "program/Comparisons.h"

#include <gtest/gtest.h>

#include <random>

namespace zelvor::test {
namespace {

struct LiveSession {
    ScriptedFrontEnd fe;
    SystemClock clock;
    Session s{fe, clock};
};

// Chip bytes of the window as the wire carries them.
int bytesPerUnit(const Session& s) {
    return wideTransfer(s) ? 2 : 1;
}

class OpsE2e : public EmulatorFixture, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        ensureQtApp();
        QString why;
        ASSERT_EQ(loadBaseTable(live.s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0)
            << why.toStdString();
    }

    // Chooses base type `index`, starts the emulator for it and opens the port. The window
    // is cut to a few blocks so that big chips stay quick.
    void begin(int index, int english) {
        Session& s = live.s;
        s.settings.english = english;
        s.settings.romIdx = index;
        s.settings.byMaker = 0;
        restoreChip(s);
        Inc_data(s);
        const RomParams& p = s.rom;
        qint32 units = p.romLen;
        qint32 limit = 3 * 2048 + 100;
        if (p.algCode == 46) limit = 4096;
        if (pagedRead(p) || p.algCode == 57) limit = 3 * 2112 + 264;
        if (p.algCode == 62 && p.variant == 0) limit = 2 * 2112;
        s.buf.addrStart = 0;
        s.buf.addrEnd = std::min(units, limit) - 1;

        ProfileKeys keys{
            {"alg", std::to_string(p.algCode)},     {"class", std::to_string(p.devClass)},
            {"width", std::to_string(p.dataWidth)}, {"variant", std::to_string(p.variant)},
            {"size", std::to_string(units)},        {"erase-ms", "5"}};
        if (p.algCode == 60 || p.algCode == 61 || p.algCode == 57)
            keys.push_back({"page", std::to_string(264 << p.optC)});
        startEmulator(keys);
        s.portOverride = QString::fromStdString(slavePath());
        allocLinkBuffers(s);
        ASSERT_EQ(Open_com(s, 0), 0);
        InitMem(s);
    }

    // Random contents for `bytes` buffer bytes (words of PICs masked to their width).
    void fillBuffer(qint64 bytes, unsigned seed) {
        Session& s = live.s;
        std::mt19937 rng(seed);
        s.buf.blocks.clear();
        while (qint64(s.buf.pageCount()) * RomBuf::kPage < bytes)
            s.buf.blocks.push_back(RomBuf::newBlock());
        const bool pic = s.rom.algCode == 27;
        for (qint64 i = 0; i < bytes; ++i) {
            quint8 v = quint8(rng());
            if (pic && i % 2 == 0) v &= 0x3F;
            s.buf.page(int(i / RomBuf::kPage))[i % RomBuf::kPage] = v;
        }
        s.buf.size = qint32(bytes);
        s.buf.lastLen = int((bytes - 1) % RomBuf::kPage) + 1;
    }

    QByteArray bufferBytes(qint64 n) {
        QByteArray b;
        for (qint64 i = 0; i < n; ++i)
            b.append(char(live.s.buf.page(int(i / RomBuf::kPage))[i % RomBuf::kPage]));
        return b;
    }

    QByteArray chipBytes(qint64 n) {
        const auto v = chip().peekRange(0, 0, std::uint32_t(n));
        return QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size()));
    }

    QString status() { return live.fe.lastStatus(); }

    LiveSession live;
};

TEST_P(OpsE2e, BlankProgramCompareReadErase) {
    const int index = GetParam();
    const int english = index % 2;
    ASSERT_NO_FATAL_FAILURE(begin(index, english));
    Session& s = live.s;
    const RomParams& p = s.rom;
    SCOPED_TRACE("algorithm " + std::to_string(p.algCode) + " " + p.romName.toStdString());
    const qint64 units = s.buf.addrEnd - s.buf.addrStart + 1;
    const qint64 bytes = units * bytesPerUnit(s);

    if (p.canBlank) {
        EXPECT_EQ(ReadNullClick(s), 0);
        EXPECT_EQ(status(), s.text(msg::BlankOk));
    }
    if (p.canWrite == 1) {
        fillBuffer(bytes, unsigned(index));
        const QByteArray image = bufferBytes(bytes);
        EXPECT_EQ(WriteRomClick(s), 0);
        EXPECT_EQ(status(), s.text(msg::Programmed));
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(chipBytes(bytes), image);
        if (p.canCompare == 1) {
            EXPECT_EQ(CompRomClick(s), 0);
            EXPECT_EQ(status(), s.text(msg::CompareOk));
        }
        if (p.canBlank) {
            EXPECT_EQ(ReadNullClick(s), opres::kNotBlank);
            EXPECT_EQ(status(), s.text(msg::NotBlank));
        }
        if (p.canRead == 1) {
            InitMem(s);
            EXPECT_EQ(ReadRomClick(s), 0);
            EXPECT_EQ(status(), s.text(msg::ReadDone));
            EXPECT_EQ(s.buf.size, bytes);
            EXPECT_EQ(bufferBytes(bytes), image);
        }
    }
    if (p.canErase == 1) {
        EXPECT_EQ(ClearRomClick(s), 0);
        EXPECT_EQ(status(), s.text(msg::EraseDone));
        if (p.canBlank) {
            EXPECT_EQ(ReadNullClick(s), 0);
            EXPECT_EQ(status(), s.text(msg::BlankOk));
        }
    }
    EXPECT_TRUE(live.fe.boxes.isEmpty()) << live.fe.boxes.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(ShippedTable, OpsE2e, ::testing::ValuesIn(oneRowPerAlgorithm()),
                         [](const auto& info) { return "row" + std::to_string(info.param); });

} // namespace
} // namespace zelvor::test

namespace zelvor::test {
namespace {

// Faults injected by the virtual programmer: every operation ends with its failure
// message, never with success over wrong data, and a failed read keeps the buffer.
struct FaultCase {
    const char* fault;
    const char* op; // read, write, verify, blank
};

class OpsFaultE2e : public EmulatorFixture, public ::testing::WithParamInterface<FaultCase> {
  protected:
    LiveSession live;
};

TEST_P(OpsFaultE2e, EndsWithTheFailureMessage) {
    ensureQtApp();
    Session& s = live.s;
    QString why;
    ASSERT_EQ(loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0);
    const int index = findBaseByName(s.base, QStringLiteral("29F010"));
    ASSERT_GT(index, 0);
    s.settings.romIdx = index;
    restoreChip(s);
    s.rom.verifyBlock = 1;
    s.buf.addrStart = 0;
    s.buf.addrEnd = 3 * 2048 - 1;
    const FaultCase fc = GetParam();
    startEmulator({{"alg", std::to_string(s.rom.algCode)}, {"class", "2"}, {"size", "131072"}},
                  {fc.fault}, 7);
    for (std::uint32_t i = 0; i < 6144; ++i)
        chip().poke(0, i, std::uint8_t(i * 13));
    s.portOverride = QString::fromStdString(slavePath());
    allocLinkBuffers(s);
    ASSERT_EQ(Open_com(s, 0), 0);

    // The buffer: the chip's contents with one byte changed, so that a compare that
    // succeeds over wrong data cannot pass unnoticed.
    s.buf.blocks.clear();
    for (int p = 0; p < 3; ++p)
        s.buf.blocks.push_back(RomBuf::newBlock());
    for (int i = 0; i < 6144; ++i)
        s.buf.page(i / 2048)[i % 2048] = quint8(i * 13);
    s.buf.size = 6144;
    s.buf.lastLen = 2048;
    Count_sum(s, 1);
    const quint16 sum = s.buf.checkSum;
    const QString op = QString::fromLatin1(fc.op);

    int rc = 0;
    if (op == "read") {
        s.buf.page(0)[5] ^= 0xFF;
        Count_sum(s, 1);
        const quint16 before = s.buf.checkSum;
        rc = ReadRomClick(s);
        if (rc != 0) {
            EXPECT_EQ(s.buf.checkSum, before); // the buffer as it was
            EXPECT_EQ(s.buf.page(0)[5], quint8(5 * 13) ^ 0xFF);
        } else {
            EXPECT_EQ(s.buf.checkSum, sum) << "a read reported success over wrong data";
        }
    } else if (op == "verify") {
        s.buf.page(1)[7] ^= 0x01;
        rc = CompRomClick(s);
        EXPECT_NE(rc, 0) << "a compare reported success over a difference";
    } else if (op == "write") {
        for (std::uint32_t i = 0; i < 6144; ++i)
            chip().poke(0, i, 0xFF);
        rc = WriteRomClick(s);
        ASSERT_TRUE(waitIdle());
        if (rc == 0) {
            const auto got = chip().peekRange(0, 0, 6144);
            for (int i = 0; i < 6144; ++i)
                ASSERT_EQ(got[size_t(i)], quint8(i * 13)) << "programmed reported over wrong data";
        }
    } else {
        rc = ReadNullClick(s);
        EXPECT_NE(rc, 0) << "a written chip was called blank";
    }
    if (rc != 0 && rc != opres::kBadReply && rc != opres::kVerifyMismatch &&
        rc != opres::kNotBlank) {
        EXPECT_TRUE(live.fe.lastStatus().startsWith(QStringLiteral("Error of link")))
            << live.fe.lastStatus().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, OpsFaultE2e,
                         ::testing::Values(FaultCase{"nak:at=setup:count=2", "read"},
                                           FaultCase{"corrupt:at=bulk:after=1:count=2", "read"},
                                           FaultCase{"drop:at=bulk:after=1:count=2", "read"},
                                           FaultCase{"corrupt:at=bulk:after=1:count=1", "read"},
                                           FaultCase{"silence:at=setup:after=2:ms=1500", "read"},
                                           FaultCase{"nak:at=piece:after=3:count=2", "write"},
                                           FaultCase{"store-nothing:after=5:count=1", "write"},
                                           FaultCase{"corrupt:at=reply:after=4:count=2", "write"},
                                           FaultCase{"silence:at=setup:after=1:ms=1500", "write"},
                                           FaultCase{"corrupt:at=bulk:count=1", "verify"},
                                           FaultCase{"drop:at=bulk:count=2", "verify"},
                                           FaultCase{"nak:at=setup:count=2", "blank"},
                                           FaultCase{"corrupt:at=reply:count=2", "blank"}));

// Cancel pressed during block 2 of a read over the line: the read stops after it, shows
// nothing and keeps the buffer.
class OpsCancelE2e : public EmulatorFixture {
  protected:
    LiveSession live;
};

TEST_F(OpsCancelE2e, CancelDuringSecondBlock) {
    ensureQtApp();
    Session& s = live.s;
    QString why;
    ASSERT_EQ(loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0);
    s.settings.romIdx = findBaseByName(s.base, QStringLiteral("29F010"));
    restoreChip(s);
    startEmulator({{"alg", std::to_string(s.rom.algCode)}, {"class", "2"}});
    s.portOverride = QString::fromStdString(slavePath());
    allocLinkBuffers(s);
    ASSERT_EQ(Open_com(s, 0), 0);
    InitMem(s);
    s.buf.addrStart = 0;
    s.buf.addrEnd = 8 * 2048 - 1;
    s.buf.page(0)[0] = 0x12;
    live.fe.cancelAfterSteps = 3;
    EXPECT_EQ(ReadRomClick(s), opres::kCancelled);
    EXPECT_EQ(live.fe.progress.size(), 3u);
    EXPECT_TRUE(live.fe.lastStatus().isEmpty());
    EXPECT_EQ(s.buf.size, 256);
    EXPECT_EQ(s.buf.page(0)[0], 0x12);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(transcriptOf("setup").size(), 2u);
}

} // namespace
} // namespace zelvor::test

namespace zelvor::test {
namespace {

// A mid-range PIC with its data EEPROM and configuration words included: read places them
// at 0x4200 and 0x4000 of the image, program writes them back, compare checks them.
class OpsPicE2e : public EmulatorFixture {
  protected:
    LiveSession live;
};

TEST_F(OpsPicE2e, ExtraAreasTravelWithTheCode) {
    ensureQtApp();
    Session& s = live.s;
    QString why;
    ASSERT_EQ(loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0);
    s.settings.romIdx = findBaseByName(s.base, QStringLiteral("PIC16F84"));
    ASSERT_GT(s.settings.romIdx, 0);
    restoreChip(s);
    s.settings.autoData = s.settings.autoCfgw = 1;
    Inc_data(s);
    Code_Data(s, 0);
    const qint32 cells = [&] {
        Code_Data(s, 1);
        const qint32 n = s.rom.romLen;
        Code_Data(s, 0);
        return n;
    }();
    startEmulator({{"alg", "27"}, {"class", "5"}, {"width", "14"}});
    for (std::uint32_t i = 0; i < 2 * std::uint32_t(s.rom.romLen); ++i)
        chip().poke(0, i, std::uint8_t(i % 2 == 0 ? (i / 2) & 0x3F : i * 5));
    for (std::uint32_t i = 0; i < std::uint32_t(cells); ++i)
        chip().poke(1, i, std::uint8_t(0xA0 + i));
    for (std::uint32_t i = 0; i < 16; ++i)
        chip().poke(2, i, std::uint8_t(i % 2 == 0 ? 0x3F : 0xE0 + i));
    s.portOverride = QString::fromStdString(slavePath());
    allocLinkBuffers(s);
    ASSERT_EQ(Open_com(s, 0), 0);
    InitMem(s);

    ASSERT_EQ(ReadRomClick(s), 0) << live.fe.lastStatus().toStdString();
    EXPECT_EQ(s.buf.size, 0x4200 + cells);
    const quint8* last = s.buf.page(8);
    EXPECT_EQ(last[0x200], 0xA0);
    EXPECT_EQ(last[0x200 + cells - 1], quint8(0xA0 + cells - 1));
    EXPECT_EQ(last[15], 0xEF);
    EXPECT_EQ(s.op.area, 0);

    EXPECT_EQ(CompRomClick(s), 0);
    EXPECT_TRUE(live.fe.boxes.isEmpty()) << live.fe.boxes.join('\n').toStdString();
    // A difference in the data EEPROM is found and stands in the verdict.
    chip().poke(1, 3, 0x00);
    EXPECT_EQ(CompRomClick(s), opres::kBadReply);
    EXPECT_EQ(live.fe.lastStatus(), s.text(msg::CompareDiffers));

    // Program the image into an erased part: code, data and configuration arrive.
    for (std::uint32_t i = 0; i < 2 * std::uint32_t(s.rom.romLen); ++i)
        chip().poke(0, i, i % 2 == 0 ? 0x3F : 0xFF);
    for (std::uint32_t i = 0; i < std::uint32_t(cells); ++i)
        chip().poke(1, i, 0xFF);
    for (std::uint32_t i = 0; i < 16; ++i)
        chip().poke(2, i, i % 2 == 0 ? 0x3F : 0xFF);
    EXPECT_EQ(WriteRomClick(s), 0);
    EXPECT_EQ(live.fe.lastStatus(), s.text(msg::Programmed));
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(chip().peek(1, 0), 0xA0);
    EXPECT_EQ(chip().peek(1, 3), 0xA3);
    EXPECT_EQ(chip().peek(2, 15), 0xEF);
    EXPECT_EQ(chip().peek(0, 3), 3 * 5);
}

} // namespace
} // namespace zelvor::test

namespace zelvor::test {
namespace {

// A compare that finds one changed buffer byte names it by the chip's address in its message
// and by its buffer offset to the views, for every way the chip maps onto the buffer; read
// apart afterwards, the chip differs from the buffer in that one place only (the PIC's data
// and configuration lie outside the code area read apart).
struct OffsetCase {
    const char* chip;
    qint32 addrStart; // window start in the chip's units
    bool picExtras;   // data EEPROM and configuration words included
    qint64 changed;   // buffer byte changed
    qint64 address;   // named in the message
    qint64 offset;    // given to the views
    bool inCodeArea;  // found again by the read apart
};

constexpr OffsetCase kOffsetCases[] = {
    {"29F010", 0x800, false, 0x123, 0x923, 0x123, true},    // bytes, window from 0x800
    {"27C1024", 0x400, false, 0x247, 0x523, 0x246, true},   // 16-bit words
    {"K9F6408", 2 * 528, false, 0x300, 0x720, 0x300, true}, // pages of 528 bytes
    {"PIC16F84", 0, true, 0x4007, 0x4003, 0x4006, false},   // configuration word 3
    {"PIC16F84", 0, true, 0x4205, 0x4205, 0x4205, false},   // data EEPROM cell 5
};

class CompareOffsetE2e : public OpsE2e {};

TEST_P(CompareOffsetE2e, MismatchNamesTheBufferOffset) {
    const OffsetCase& c = kOffsetCases[GetParam()];
    SCOPED_TRACE(c.chip);
    ASSERT_NO_FATAL_FAILURE(begin(findBaseByName(live.s.base, QString::fromLatin1(c.chip)), 1));
    Session& s = live.s;
    if (c.picExtras) {
        s.settings.autoData = s.settings.autoCfgw = 1;
        Inc_data(s);
        Code_Data(s, 0);
    }
    s.buf.addrStart = c.addrStart;
    ASSERT_EQ(ReadRomClick(s), 0) << status().toStdString();
    s.buf.page(int(c.changed / RomBuf::kPage))[c.changed % RomBuf::kPage] ^= 0x01;
    Count_sum(s, 1);
    const quint16 sum = s.buf.checkSum;

    EXPECT_EQ(CompRomClick(s), opres::kBadReply);
    ASSERT_EQ(live.fe.mismatches.size(), 1u);
    EXPECT_EQ(live.fe.mismatches[0].address, c.address);
    EXPECT_EQ(live.fe.mismatches[0].offset, c.offset);

    ChipDifferences d;
    ASSERT_EQ(readChipDifferences(s, d), 0);
    EXPECT_EQ(status(), s.text(msg::CompareDiffers)) << "the compare's verdict stands";
    const std::vector<DiffRange> found{{c.changed, c.changed}};
    EXPECT_EQ(d.diff.ranges, c.inCodeArea ? found : std::vector<DiffRange>{});
    Count_sum(s, 1);
    EXPECT_EQ(s.buf.checkSum, sum) << "the buffer is left as it was";
    EXPECT_EQ(s.buf.addrStart, c.addrStart);
}

INSTANTIATE_TEST_SUITE_P(Chips, CompareOffsetE2e,
                         ::testing::Range(0, int(std::size(kOffsetCases))));

} // namespace
} // namespace zelvor::test
