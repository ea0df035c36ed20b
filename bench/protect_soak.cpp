// Seeded fault runs of the protection, configuration and service commands: each run picks
// a command family, a chip and a fault of the virtual programmer, runs the command over a
// pseudo-terminal and judges the outcome against the virtual chip:
//   - success with the right values (the fault missed, or a retry mended it);
//   - a failure report (the command's success text is not shown);
//   - a silent corruption: success reported over wrong values (target 0);
//   - a wrong report: a failure code with the success text.
//
//   build/bench/protect_soak [RUNS=1000] [SEED=1]

#include "OpsBenchSupport.h"

#include "app/HexText.h"
#include "buffer/BufferInit.h"
#include "protect/BootBlock.h"
#include "protect/ConfigCommands.h"
#include "protect/Fuses.h"
#include "protect/LockBits.h"
#include "protect/PicConfig.h"
#include "service/Firmware.h"
#include "service/RamTest.h"
#include "service/ReadId.h"

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace zelvor;

namespace {

using bench::Tally;

enum Family {
    FuseWrite,
    FuseRead,
    PicWrite,
    PicRead,
    Id,
    Lock,
    RamTest,
    Version,
    BblRead,
    BadBlocks
};
const char* const kNames[] = {"fuse-write", "fuse-read", "pic-write", "pic-read", "id",
                              "lock",       "ramtest",   "version",   "bbl-read", "badblocks"};
const char* const kChip[] = {"ATtiny13", "ATtiny13", "PIC16F84", "PIC16F84", "ATtiny13",
                             "ATtiny13", "6116",     "27256",    "49F001",   "K9F1G08"};
const char* const kKinds[] = {"nak", "wrong-ack", "corrupt", "drop", "silence", "store-nothing"};
const char* const kAts[] = {"", ":at=setup", ":at=piece", ":at=bulk", ":at=reply"};

void runOne(std::mt19937& rng, Tally& t, bool verbose) {
    bench::BenchSession b;
    Session& s = b.s;
    const Family fam = Family(rng() % std::size(kNames));
    if (!bench::chooseChip(s, QString::fromLatin1(kChip[fam]))) {
        ++t.skipped;
        return;
    }
    s.settings.english = 0;
    s.run.startDir = QStringLiteral(ZELVOR_SOURCE_DIR "/data");
    setupConfigPanels(s);
    std::string fault = kKinds[rng() % std::size(kKinds)];
    fault += kAts[rng() % std::size(kAts)];
    fault += ":after=" + std::to_string(rng() % 4) + ":count=" + std::to_string(1 + rng() % 3);
    if (fault.rfind("silence", 0) == 0) fault += ":ms=600";
    if (fault.rfind("drop", 0) == 0) fault += ":bytes=" + std::to_string(1 + rng() % 4);
    const std::uint32_t seed = rng();

    if (fam == BadBlocks) s.rom.romLen = 3 * 0x21000;
    std::string error;
    emu::EmulatorOptions o;
    const RomParams& p = s.rom;
    const bool ramFails = fam == RamTest && rng() % 2 == 0;
    bool okOptions = o.profile.set("alg", std::to_string(p.algCode), error) &&
                     o.profile.set("class", std::to_string(p.devClass), error) &&
                     o.profile.set("width", std::to_string(p.dataWidth), error) &&
                     o.profile.set("id", "1E 90 07", error) &&
                     o.profile.set("version", "20", error);
    if (fam == BadBlocks) okOptions = okOptions && o.profile.set("bad-blocks", "1", error);
    if (ramFails) okOptions = okOptions && o.profile.set("fail", "0x123", error);
    o.faults = {fault};
    o.seed = seed;
    auto emu = okOptions ? std::make_unique<emu::Emulator>(o) : nullptr;
    if (!emu || !emu->open(error)) {
        std::fprintf(stderr, "emulator: %s (%s)\n", error.c_str(), fault.c_str());
        ++t.skipped;
        return;
    }
    emu->start();
    if (!bench::openLink(s, emu->slavePath())) {
        ++t.skipped;
        return;
    }
    InitMem(s);
    auto& chip = emu->chip();

    const quint8 v1 = quint8(rng()), v2 = quint8(rng());
    const quint16 word = quint16(rng() & 0x3FFF);
    int rc = 0;
    QString ok;
    std::function<bool()> right = [] { return true; };
    switch (fam) {
    case FuseWrite:
        s.rom.fuseBytes[1] = v1;
        s.rom.fuseBytes[2] = v2;
        FuseSetN(s);
        rc = SetcfgwF(s);
        ok = s.text(msg::FuseSet);
        right = [&] { return chip.fuse(1) == v1 && chip.fuse(2) == v2; };
        break;
    case FuseRead:
        chip.setFuse(1, v1);
        chip.setFuse(2, v2);
        rc = ReadcfgwF(s);
        ok = s.text(msg::FuseRead);
        right = [&] { return s.rom.fuseBytes[1] == v1 && s.rom.fuseBytes[2] == v2; };
        break;
    case PicWrite:
        s.cfg.cfgWord = word;
        s.cfg.picFields.clear(); // the word as it is, no fields folded in
        rc = SetcfgwF(s);
        ok = s.text(msg::CfgProgrammed);
        right = [&] {
            const auto w = chip.peekRange(2, 14, 2);
            return (quint16(w[0] << 8 | w[1]) & 0x3FFF) == word;
        };
        break;
    case PicRead:
        chip.poke(2, 14, quint8(word >> 8));
        chip.poke(2, 15, quint8(word));
        s.cfg.picFields.clear();
        rc = ReadcfgwF(s);
        ok = s.text(msg::CfgRead);
        right = [&] { return s.cfg.cfgWord == word; };
        break;
    case Id: {
        QString text;
        rc = ReadIdClick(s, nullptr, &text);
        ok = QString();
        right = [&s, text] { return text == "1E 90 07 "; };
        break;
    }
    case Lock:
        rc = SetBitClick(s);
        ok = s.text(msg::LockSet);
        right = [&] { return chip.lockLevel() > 0; };
        break;
    case RamTest:
        s.buf.addrEnd = 0x7FF;
        rc = TestRAMClick(s);
        ok = s.text(msg::RamTestOk);
        right = [ramFails] { return !ramFails; };
        break;
    case Version:
        rc = showFirmwareVersion(s);
        ok = versionLine(s, 0x20);
        break;
    case BblRead:
        rc = Read_bblClick(s);
        ok = s.text(msg::BblRead) + "=00=00";
        break;
    case BadBlocks: {
        int bad = -1;
        rc = Badblock1Click(s, &bad);
        ok = QString::fromUtf8(msg::BadBlockDone.ru);
        right = [bad] { return bad == 1; };
        break;
    }
    }
    (void)emu->waitIdle(3000);

    ++t.runs;
    const char* verdict;
    const QString last = b.fe.last;
    if (rc == 0) {
        bool good = right() && (ok.isEmpty() || last == ok) &&
                    b.fe.last != QString::fromUtf8(msg::LinkError.ru);
        if (good) {
            ++t.clean;
            verdict = "clean";
        } else {
            ++t.corruptions;
            verdict = "SILENT CORRUPTION";
        }
    } else if (ok.isEmpty() || last != ok) {
        ++t.failures;
        verdict = "failure reported";
    } else {
        ++t.wrongReports;
        verdict = "WRONG REPORT";
    }
    emu->stop();
    if (verbose || verdict[0] == 'S' || verdict[0] == 'W')
        std::printf("%-9s %-10s %-45s rc %3d  %s  [%s]\n", kChip[fam], kNames[fam], fault.c_str(),
                    rc, verdict, last.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
    return bench::soakMain(argc, argv, runOne);
}
