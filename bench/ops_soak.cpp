// Seeded fault runs: each run picks a chip family, an operation and a fault of the virtual
// programmer, runs the operation over a pseudo-terminal and judges the outcome:
//   - success with the right data (the fault missed, or a retry mended it);
//   - a failure report (not the success text; a failed read keeps the buffer);
//   - a silent corruption: success reported over wrong data (target 0);
//   - a wrong report: failure code with a success text, or a read that changed the buffer.
// Programming is judged as the automatic programming runs it: program, then compare.
//
//   build/bench/ops_soak [RUNS=1000] [SEED=1]

#include "OpsBenchSupport.h"

#include "buffer/BufferInit.h"
#include "ops/Engine.h"

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace zelvor;

namespace {

using bench::Tally;

const char* const kChips[] = {"29F040",  "27C1024", "PIC16F84", "K9F6408",
                              "AT89C51", "28C64",   "49F040",   "W78E516"};
const char* const kKinds[] = {"nak", "wrong-ack", "corrupt", "drop", "silence", "store-nothing"};
const char* const kAts[] = {"", ":at=setup", ":at=piece", ":at=bulk", ":at=reply"};
enum Op { Read, Program, Verify, Blank, Erase };
const char* const kOpNames[] = {"read", "program", "verify", "blank", "erase"};

QByteArray imageOf(const Session& s, qint64 n) {
    QByteArray b;
    for (qint64 i = 0; i < n; ++i)
        b.append(char(s.buf.blocks[size_t(i / 2048)][i % 2048]));
    return b;
}

void runOne(std::mt19937& rng, Tally& t, bool verbose) {
    bench::BenchSession b;
    Session& s = b.s;
    const char* chipName = kChips[rng() % std::size(kChips)];
    if (!bench::chooseChip(s, QString::fromLatin1(chipName))) {
        ++t.skipped;
        return;
    }
    const Op op = Op(rng() % 5);
    if ((op == Program && s.rom.canWrite != 1) || (op == Blank && s.rom.canBlank == 0) ||
        (op == Erase && s.rom.canErase != 1)) {
        ++t.skipped;
        return;
    }
    std::string fault = kKinds[rng() % std::size(kKinds)];
    fault += kAts[rng() % std::size(kAts)];
    fault += ":after=" + std::to_string(rng() % 6) + ":count=" + std::to_string(1 + rng() % 3);
    if (fault.rfind("silence", 0) == 0) fault += ":ms=600";
    if (fault.rfind("drop", 0) == 0) fault += ":bytes=" + std::to_string(1 + rng() % 4);
    const std::uint32_t seed = rng();

    const int w = wideTransfer(s) ? 2 : 1;
    const qint32 units = std::min<qint32>(s.rom.romLen, 300);
    s.buf.addrEnd = units - 1;
    const qint64 bytes = qint64(units) * w;

    std::string error;
    auto emu = bench::startEmulator(s, false, 9600, {fault}, seed, error);
    if (!emu || !bench::openLink(s, emu->slavePath())) {
        std::fprintf(stderr, "emulator: %s (%s)\n", error.c_str(), fault.c_str());
        ++t.skipped;
        return;
    }
    // The chip holds a pattern (PIC words to 14 bits); the buffer gets its own copy or, for
    // programming, a different pattern on an erased chip.
    const bool pic = s.rom.algCode == 27;
    auto pattern = [&](qint64 i, int salt) {
        quint8 v = quint8(i * 37 + salt);
        if (pic && i % 2 == 0) v &= 0x3F;
        return v;
    };
    for (qint64 i = 0; i < bytes; ++i)
        emu->chip().poke(0, std::uint32_t(i),
                         op == Program ? (pic && i % 2 == 0 ? 0x3F : 0xFF) : pattern(i, 5));
    s.buf.blocks.clear();
    while (qint64(s.buf.pageCount()) * 2048 < bytes)
        s.buf.blocks.push_back(RomBuf::newBlock());
    for (qint64 i = 0; i < bytes; ++i)
        s.buf.page(int(i / 2048))[i % 2048] = op == Program ? pattern(i, 11) : pattern(i, 5);
    if (op == Verify) s.buf.page(0)[int(bytes / 2)] ^= 0x01; // one real difference
    s.buf.size = qint32(bytes);
    s.buf.lastLen = int((bytes - 1) % 2048) + 1;
    Count_sum(s, 1);
    const QByteArray before = imageOf(s, bytes);

    int rc = 0;
    QString ok;
    switch (op) {
    case Read:
        rc = ReadRomClick(s);
        ok = s.text(msg::ReadDone);
        break;
    case Program:
        rc = WriteRomClick(s);
        ok = s.text(msg::Programmed);
        if (rc == 0) {
            rc = CompRomClick(s);
            ok = s.text(msg::CompareOk);
        }
        break;
    case Verify:
        rc = CompRomClick(s);
        ok = s.text(msg::CompareOk);
        break;
    case Blank:
        rc = ReadNullClick(s);
        ok = s.text(msg::BlankOk);
        break;
    case Erase:
        rc = ClearRomClick(s);
        ok = s.text(msg::EraseDone);
        break;
    }
    (void)emu->waitIdle(3000);
    const auto chipNow = emu->chip().peekRange(0, 0, std::uint32_t(bytes));
    const QByteArray chipBytes(reinterpret_cast<const char*>(chipNow.data()), int(chipNow.size()));

    ++t.runs;
    const char* verdict;
    if (rc == 0) {
        bool right = b.fe.last == ok;
        if (op == Read) right = right && imageOf(s, bytes) == chipBytes;
        if (op == Program) right = right && chipBytes == before;
        if (op == Verify || op == Blank) right = false; // a difference / data were there
        if (op == Erase)
            for (qint64 i = 0; i < bytes && right; ++i)
                right = quint8(chipBytes[int(i)]) == emu->chip().erasedValue(0, std::uint32_t(i));
        if (right) {
            ++t.clean;
            verdict = "clean";
        } else {
            ++t.corruptions;
            verdict = "SILENT CORRUPTION";
        }
    } else {
        bool right = b.fe.last != ok;
        if (op == Read) right = right && s.buf.size == qint32(bytes) && imageOf(s, bytes) == before;
        if (right) {
            ++t.failures;
            verdict = "failure reported";
        } else {
            ++t.wrongReports;
            verdict = "WRONG REPORT";
        }
    }
    emu->stop();
    if (verbose || verdict[0] == 'S' || verdict[0] == 'W')
        std::printf("%-9s %-7s %-45s rc %3d  %s\n", chipName, kOpNames[op], fault.c_str(), rc,
                    verdict);
}

} // namespace

int main(int argc, char** argv) {
    return bench::soakMain(argc, argv, runOne);
}
