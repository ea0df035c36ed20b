#pragma once
// What the operation benchmarks share: a silent front end, a session on the real clock with
// the shipped base-type table, and a virtual programmer on a pseudo-terminal.

#include "Emulator.h"

#include "app/Clock.h"
#include "app/FrontEnd.h"
#include "app/Session.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

namespace zelvor::bench {

class QuietFrontEnd : public FrontEnd {
  public:
    QString last;
    int boxes = 0;
    void statusMessage(const QString& text) override { last = text; }
    void messageBox(const QString&, Icon) override { ++boxes; }
    Answer question(const QString&) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

struct BenchSession {
    QuietFrontEnd fe;
    SystemClock clock;
    Session s{fe, clock};
};

// Loads data/prgplus.lst and makes base type `name` the chip (no packet).
inline bool chooseChip(Session& s, const QString& name) {
    QString why;
    if (s.base.baseCount() == 0 &&
        loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why) != 0)
        return false;
    const int index = findBaseByName(s.base, name);
    if (index < 0) return false;
    s.settings.romIdx = index;
    s.settings.byMaker = 0;
    restoreChip(s);
    s.buf.addrStart = 0;
    s.buf.addrEnd = s.rom.romLen - 1;
    return true;
}

// A virtual programmer for the current chip; nullptr with `error` set.
inline std::unique_ptr<emu::Emulator> startEmulator(const Session& s, bool pacing, int baud,
                                                    const std::vector<std::string>& faults,
                                                    std::uint32_t seed, std::string& error) {
    emu::EmulatorOptions o;
    const RomParams& p = s.rom;
    if (!o.profile.set("alg", std::to_string(p.algCode), error) ||
        !o.profile.set("class", std::to_string(p.devClass), error) ||
        !o.profile.set("width", std::to_string(p.dataWidth), error) ||
        !o.profile.set("size", std::to_string(p.romLen), error) ||
        !o.profile.set("erase-ms", "5", error))
        return nullptr;
    o.faults = faults;
    o.seed = seed;
    o.pacing = pacing;
    o.baud = baud;
    auto e = std::make_unique<emu::Emulator>(o);
    if (!e->open(error)) return nullptr;
    e->start();
    return e;
}

// Milliseconds the line needs for `bytes` bytes at `baud` (8-N-1: ten bits a byte).
inline double wireMs(qint64 bytes, int baud) {
    return double(bytes) * 10.0 * 1000.0 / baud;
}

// Bytes on the line for reading `n` bytes in blocks of 2048: per block a packet, its ACK,
// the data, the sum and our ACK.
inline qint64 readWireBytes(qint64 n) {
    return (n + 2047) / 2048 * 13 + n;
}

// Bytes on the line for programming `n` bytes in pieces of `lenBl`: per block a packet, its
// ACK, the ready reply (3) and our ACK; per piece the frame (len + 2), the ACK, the one-byte
// reply (3) and our ACK.
inline qint64 programWireBytes(qint64 n, int lenBl) {
    const qint64 blocks = (n + 2047) / 2048;
    const qint64 pieces = blocks * ((2048 + lenBl - 1) / lenBl);
    return blocks * (11 + 4) + pieces * (2 + 1 + 3 + 1) + n;
}

inline bool openLink(Session& s, const std::string& slave) {
    s.portOverride = QString::fromStdString(slave);
    allocLinkBuffers(s);
    return Open_com(s, 0) == 0;
}

// Outcome counts of a seeded fault soak.
struct Tally {
    int runs = 0, clean = 0, failures = 0, corruptions = 0, wrongReports = 0, skipped = 0;
};

// The soak's main: `[RUNS=1000] [SEED=1]`, one run after another until RUNS counted, then the
// counts; exit 0 only without silent corruptions and wrong reports. ZELVOR_SOAK_VERBOSE
// prints every run.
inline int soakMain(int argc, char** argv, void (*runOne)(std::mt19937&, Tally&, bool)) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::uint32_t seed = argc > 2 ? std::uint32_t(std::atoi(argv[2])) : 1;
    const bool verbose = std::getenv("ZELVOR_SOAK_VERBOSE") != nullptr;
    std::mt19937 rng(seed);
    Tally t;
    while (t.runs < runs)
        runOne(rng, t, verbose);
    std::printf("runs %d  clean %d  failures reported %d  silent corruptions %d  wrong reports "
                "%d  (skipped draws %d)\n",
                t.runs, t.clean, t.failures, t.corruptions, t.wrongReports, t.skipped);
    return t.corruptions == 0 && t.wrongReports == 0 ? 0 : 1;
}

} // namespace zelvor::bench
