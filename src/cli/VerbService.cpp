// zelvor-cli service verbs: id, ramtest, badblocks, fw-version, fw-update, program-switch,
// selftest.

#include "Verbs.h"

#include "program/Commands.h"
#include "service/RamTest.h"
#include "service/ReadId.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path);                        // VerbConvert.cpp
int selectChipForService(CliContext& c, const QString& chip, bool window); // VerbProtect.cpp

int verbId(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("id takes CHIP"));
    const int rc = selectChipForService(c, c.args[0], false);
    if (rc != Ok) return rc;
    BusyScope busy(c.s);
    int found = 0;
    QString text;
    if (ReadIdClick(c.s, &found, &text) != 0) return Failed;
    c.out << "id=" << text.trimmed() << '\n';
    if (found > 0) c.out << "device=" << c.s.cat.at(found).name << '\n';
    return Ok;
}

int verbRamtest(CliContext& c) {
    if (c.args.size() != 1)
        return c.usage(QStringLiteral("ramtest takes CHIP [--start HEX --end HEX]"));
    const int rc = selectChipForService(c, c.args[0], true);
    if (rc != Ok) return rc;
    return runCommand(c.s, Command::TestRam) == 0 ? Ok : Failed;
}

int verbBadblocks(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("badblocks takes CHIP"));
    const int rc = selectChipForService(c, c.args[0], false);
    if (rc != Ok) return rc;
    BusyScope busy(c.s);
    int bad = 0;
    const int op = Badblock1Click(c.s, &bad);
    if (op != 0) {
        if (badBlockSize(c.s.rom) == 0)
            c.err << "zelvor-cli: the chip has no bad-block markers to scan" << Qt::endl;
        return Failed;
    }
    c.out << "bad=" << bad << '\n';
    return Ok;
}

namespace {

// The optional CHIP argument at `index` of the programmer's own commands: made current when
// given; else only the command guard.
int optionalChip(CliContext& c, int index) {
    if (c.args.size() > index) return selectChipForService(c, c.args[index], false);
    return commandAllowed(c.s) ? Ok : Failed;
}

// "VERB [CHIP]" running one of the programmer's own commands.
int programmerCommand(CliContext& c, const char* usage, Command command) {
    if (c.args.size() > 1) return c.usage(QLatin1String(usage));
    const int rc = optionalChip(c, 0);
    if (rc != Ok) return rc;
    return runCommand(c.s, command) == 0 ? Ok : Failed;
}

} // namespace

int verbFwVersion(CliContext& c) {
    return programmerCommand(c, "fw-version [CHIP]", Command::FirmwareVersion);
}

int verbFwUpdate(CliContext& c) {
    if (c.args.isEmpty() || c.args.size() > 2)
        return c.usage(
            QStringLiteral("fw-update FILE [CHIP]: FILE holds the 32 KiB firmware image"));
    int rc = optionalChip(c, 1);
    if (rc != Ok) return rc;
    rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    return runCommand(c.s, Command::UpdateFirmware) == 0 ? Ok : Failed;
}

// program-switch [CHIP]: switches the programmer's program and prints the result code.
int verbProgramSwitch(CliContext& c) {
    return programmerCommand(c, "program-switch [CHIP]", Command::SwitchProgram);
}

// selftest CHIP: reads the chip, erases it, checks it blank, programs back what was read
// and compares.
int verbSelfTest(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("selftest takes CHIP"));
    const int rc = selectChipForService(c, c.args[0], true);
    if (rc != Ok) return rc;
    return runCommand(c.s, Command::SelfTest) == 0 ? Ok : Failed;
}

} // namespace zelvor::cli
