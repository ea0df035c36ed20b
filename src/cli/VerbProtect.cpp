// zelvor-cli protection and configuration verbs: lock, x2, fuses, config, auto, repeat,
// bbl, sdp. Each selects the chip, runs the command as the main window would and exits 0
// only when the command succeeded.

#include "ChipArg.h"
#include "Verbs.h"

#include "app/HexText.h"
#include "buffer/FileFormat.h"
#include "program/Commands.h"
#include "protect/ConfigCommands.h"
#include "protect/Fuses.h"
#include "protect/Pic18Config.h"
#include "protect/PicConfig.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path);                 // VerbConvert.cpp
int fileFormatOf(CliContext& c, const QString& path, bool loading); // VerbConvert.cpp
void warnIfLongerThanChip(CliContext& c, const QString& path);      // VerbChipOps.cpp

// CHIP made the current chip and announced to the programmer, its configuration panels set
// up; with `window` the --area/--start/--end options applied. Ok, Usage or Failed.
int selectChipForService(CliContext& c, const QString& chip, bool window) {
    const int rc = selectChip(c, chip);
    if (rc != Ok || !window) return rc;
    return applyWindow(c);
}

namespace {

int result(int opState) {
    return opState == 0 ? Ok : Failed;
}

// A verb of the form "VERB CHIP" running one command.
int simple(CliContext& c, const char* name, Command command) {
    if (c.args.size() != 1)
        return c.usage(QStringLiteral("%1 takes CHIP").arg(QLatin1String(name)));
    const int rc = selectChipForService(c, c.args[0], false);
    if (rc != Ok) return rc;
    return result(runCommand(c.s, command));
}

void printFuses(CliContext& c) {
    const Session& s = c.s;
    const auto& b = s.rom.fuseBytes;
    c.out << "fuses=" << s.cfg.fuseValueLine << '\n';
    c.out << "lock=" << Hex_str(b[0], 2) << " low=" << Hex_str(b[1], 2)
          << " high=" << Hex_str(b[2], 2) << " ext=" << Hex_str(b[3], 2)
          << " cal=" << Hex_str(b[4], 2) << '\n';
    static const char* lockNames[] = {"LB1", "LB2", "BLB01", "BLB02", "BLB11", "BLB12"};
    for (const FuseBox& x : fuseBoxMap(s.rom)) {
        const QString name =
            x.lock ? QString::fromLatin1(lockNames[x.box]) : s.cfg.fuseNames[size_t(x.box)];
        if (name.isEmpty()) continue;
        c.out << name << '=' << ((b[size_t(x.byte)] & x.bit) ? 1 : 0) << '\n';
    }
}

void printConfig(CliContext& c) {
    const Session& s = c.s;
    switch (configKind(s.rom)) {
    case ConfigKind::PicMid:
        c.out << "cfgWord=" << Hex_str(s.cfg.cfgWord, 4) << '\n' << "ID=" << s.cfg.userId << '\n';
        for (const PicField& f : s.cfg.picFields)
            c.out << f.name << '=' << f.texts.value(f.selected) << '\n';
        break;
    case ConfigKind::Pic18:
        c.out << "config=" << pic18Text(s.cfg) << '\n';
        break;
    case ConfigKind::Fuses:
        printFuses(c);
        break;
    case ConfigKind::None:
        break;
    }
}

// --lock/--low/--high/--ext (fuse chips), --word/--id (mid-range PIC), --bytes (PIC18).
// False with a usage message when a value is bad or none is given.
bool applyConfigValues(CliContext& c, int& rc) {
    Session& s = c.s;
    rc = Ok;
    bool any = false;
    auto hex = [&](const char* name, int digits, quint32& v) {
        const QString key = QLatin1String(name);
        if (!c.has(key)) return false;
        const QString t = c.opt(key);
        const HexValue h = Str_hex(t);
        if (h.error || t.isEmpty() || t.size() > digits) {
            rc = c.usage(
                QStringLiteral("--%1 takes up to %2 hexadecimal digits").arg(key).arg(digits));
            return false;
        }
        v = h.value;
        any = true;
        return true;
    };
    quint32 v = 0;
    switch (configKind(s.rom)) {
    case ConfigKind::Fuses: {
        const char* names[] = {"lock", "low", "high", "ext"};
        for (int i = 0; i < 4; ++i)
            if (hex(names[i], 2, v)) s.rom.fuseBytes[size_t(i)] = quint8(v);
        if (rc != Ok) return false;
        FuseSetN(s);
        break;
    }
    case ConfigKind::PicMid:
        if (hex("word", 4, v)) {
            s.cfg.cfgWord = quint16(v);
            PicBitShow16(s);
        }
        if (rc != Ok) return false;
        if (hex("id", 4, v)) s.cfg.userId = Hex_str(v, 4);
        if (rc != Ok) return false;
        break;
    case ConfigKind::Pic18: {
        if (!c.has(QStringLiteral("bytes"))) break;
        const QString t = c.opt(QStringLiteral("bytes"));
        if (t.size() != 28) {
            rc = c.usage(QStringLiteral("--bytes takes 28 hexadecimal digits (14 bytes)"));
            return false;
        }
        for (int i = 0; i < 14; ++i) {
            const HexValue h = Str_hex(t.mid(2 * i, 2));
            if (h.error) {
                rc = c.usage(QStringLiteral("--bytes takes 28 hexadecimal digits (14 bytes)"));
                return false;
            }
            s.cfg.pic18Cfg[size_t(i)] = quint8(h.value);
        }
        Pic18CfgS(s);
        any = true;
        break;
    }
    case ConfigKind::None:
        return true; // the command itself refuses
    }
    if (!any) {
        rc = c.usage(QStringLiteral(
            "give the values to write (--lock/--low/--high/--ext, --word/--id or --bytes)"));
        return false;
    }
    return true;
}

// "fuses read|write CHIP" and "config read|write CHIP".
int configVerb(CliContext& c, const char* name) {
    if (c.args.size() != 2 ||
        (c.args[0] != QLatin1String("read") && c.args[0] != QLatin1String("write")))
        return c.usage(QStringLiteral("%1 read|write CHIP").arg(QLatin1String(name)));
    const bool write = c.args[0] == QLatin1String("write");
    if (!write)
        for (const char* v : {"lock", "low", "high", "ext", "word", "id", "bytes"})
            if (c.has(QLatin1String(v)))
                return c.usage(QStringLiteral("%1 read takes no values (--%2)")
                                   .arg(QLatin1String(name), QLatin1String(v)));
    int rc = selectChipForService(c, c.args[1], false);
    if (rc != Ok) return rc;
    if (write && !applyConfigValues(c, rc)) return rc;
    const int op = runCommand(c.s, write ? Command::WriteConfig : Command::ReadConfig);
    if (op == 0) printConfig(c);
    return result(op);
}

} // namespace

int verbLock(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("lock takes CHIP [--bits 1|2|3]"));
    const QString bits = c.opt(QStringLiteral("bits")); // 1, 2 or 3 when given
    const int rc = selectChipForService(c, c.args[0], false);
    if (rc != Ok) return rc;
    static constexpr Command kMenu[] = {Command::LockBit1, Command::LockBits12,
                                        Command::LockBits123};
    return result(runCommand(c.s, bits.isEmpty() ? Command::LockBits : kMenu[bits.toInt() - 1]));
}

int verbX2(CliContext& c) {
    return simple(c, "x2", Command::SetX2);
}
int verbFuses(CliContext& c) {
    return configVerb(c, "fuses");
}
int verbConfig(CliContext& c) {
    return configVerb(c, "config");
}
int verbSdp(CliContext& c) {
    return simple(c, "sdp", Command::SdpOff);
}

int verbBbl(CliContext& c) {
    const QString usage = QStringLiteral("bbl set CHIP --block lower|upper, or bbl read CHIP");
    if (c.args.size() != 2) return c.usage(usage);
    const QString block = c.opt(QStringLiteral("block"));
    const bool set = c.args[0] == QLatin1String("set");
    if (!set && c.args[0] != QLatin1String("read")) return c.usage(usage);
    if (set && block.isEmpty()) return c.usage(usage);
    const int rc = selectChipForService(c, c.args[1], false);
    if (rc != Ok) return rc;
    const Command command = !set                              ? Command::ReadBootBlockLock
                            : block == QLatin1String("upper") ? Command::LockUpperBootBlock
                                                              : Command::LockLowerBootBlock;
    return result(runCommand(c.s, command));
}

namespace {

int chainVerb(CliContext& c, bool autoSteps) {
    if (c.args.size() != 2) return c.usage(QStringLiteral("takes CHIP FILE"));
    if (fileFormatOf(c, c.args[1], true) == FormatUnknown) return Usage;
    int rc = selectChipForService(c, c.args[0], true);
    if (rc != Ok) return rc;
    rc = loadForCli(c, c.args[1]);
    if (rc != Ok) return rc;
    warnIfLongerThanChip(c, c.args[1]);
    return result(runCommand(c.s, autoSteps ? Command::AutoProgram : Command::RepeatProgram));
}

} // namespace

int verbAuto(CliContext& c) {
    return chainVerb(c, true);
}
int verbRepeat(CliContext& c) {
    return chainVerb(c, false);
}

} // namespace zelvor::cli
