// zelvor-cli read, write, verify, erase, blank: the chip operations on the chip named.

#include "ChipArg.h"
#include "Verbs.h"

#include "buffer/BufferFiles.h"
#include "buffer/FileFormat.h"
#include "ops/Engine.h"
#include "program/Commands.h"
#include "program/Comparisons.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path);                 // VerbConvert.cpp
int fileFormatOf(CliContext& c, const QString& path, bool loading); // VerbConvert.cpp
void printDiffRanges(CliContext& c, const ImageDiff& d);            // VerbBufferTools.cpp

// A file longer than the chip is programmed in part: says so on stderr. Not when the PIC
// data memory or configuration goes with the code (they lie beyond the code area).
void warnIfLongerThanChip(CliContext& c, const QString& path) {
    const Session& s = c.s;
    const bool extras = s.settings.autoData == 1 || s.settings.autoCfgw == 1;
    if (extras || s.rom.romLen <= 0 || s.buf.size <= s.rom.romLen) return;
    c.err << "zelvor-cli: warning: " << path << " gives " << s.buf.size << " bytes, the chip holds "
          << s.rom.romLen << "; only the first " << s.rom.romLen << " are programmed" << Qt::endl;
}

namespace {

enum class FileUse { None, Compare, Program };

// Chip, window and (for write and verify) the file; then the operation, whose result
// code goes to `code` when asked for.
int runChipVerb(CliContext& c, FileUse use, Command command, int* code = nullptr) {
    const int want = use == FileUse::None ? 1 : 2;
    if (c.args.size() != want)
        return c.usage(use == FileUse::None ? QStringLiteral("takes CHIP")
                                            : QStringLiteral("takes CHIP and FILE"));
    // The file's format is settled before the programmer hears of the chip.
    if (use != FileUse::None && fileFormatOf(c, c.args[1], true) == FormatUnknown) return Usage;
    int rc = selectChip(c, c.args[0]);
    if (rc != Ok) return rc;
    rc = applyWindow(c);
    if (rc != Ok) return rc;
    if (use != FileUse::None) {
        rc = loadForCli(c, c.args[1]);
        if (rc != Ok) return rc;
        if (use == FileUse::Program) warnIfLongerThanChip(c, c.args[1]);
    }
    const int result = runCommand(c.s, command);
    if (code) *code = result;
    return result == opres::kOk ? Ok : Failed;
}

} // namespace

int verbRead(CliContext& c) {
    const QString out = c.opt(QStringLiteral("o"));
    if (out.isEmpty()) return c.usage(QStringLiteral("read takes CHIP -o FILE"));
    const int fmt = fileFormatOf(c, out, false);
    if (fmt == FormatUnknown) return Usage;
    int code = opres::kOk;
    const int rc = runChipVerb(c, FileUse::None, Command::ReadChip, &code);
    // A code area read whole is saved even when the extras asked for had to be left out.
    if (rc != Ok && code != opres::kExtrasSkipped) return rc;
    c.s.settings.fileFmt = fmt;
    if (saveFile(c.s, out) != 0) return Failed;
    return rc;
}

int verbWrite(CliContext& c) {
    return runChipVerb(c, FileUse::Program, Command::ProgramChip);
}
// The compare names the first difference; after it the chip is read apart and every range
// where it differs from the file is listed (by file offset).
int verbVerify(CliContext& c) {
    int code = opres::kOk;
    const int rc = runChipVerb(c, FileUse::Compare, Command::CompareChip, &code);
    ChipDifferences d;
    if (code == opres::kBadReply && readChipDifferences(c.s, d) == opres::kOk &&
        !d.diff.ranges.empty())
        printDiffRanges(c, d.diff);
    return rc;
}
int verbErase(CliContext& c) {
    return runChipVerb(c, FileUse::None, Command::EraseChip);
}
int verbBlank(CliContext& c) {
    return runChipVerb(c, FileUse::None, Command::BlankCheck);
}

} // namespace zelvor::cli
