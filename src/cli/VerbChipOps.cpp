// zelvor-cli read, write, verify, erase, blank: the chip operations on the chip named.

#include "ChipArg.h"
#include "Verbs.h"

#include "program/Startup.h"
#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/ChipParams.h"
#include "ops/Engine.h"

namespace zelvor::cli {

int loadForCli(CliContext& c, const QString& path); // VerbConvert.cpp

namespace {

// Chip, window and (for write and verify) the file; then the operation.
int runChipVerb(CliContext& c, bool takesFile, int (*operation)(Session&)) {
    const int want = takesFile ? 2 : 1;
    if (c.args.size() != want)
        return c.usage(takesFile ? QStringLiteral("takes CHIP and FILE")
                                 : QStringLiteral("takes CHIP"));
    int rc = selectChip(c, c.args[0]);
    if (rc != Ok) return rc;
    rc = applyWindow(c);
    if (rc != Ok) return rc;
    if (takesFile) {
        rc = loadForCli(c, c.args[1]);
        if (rc != Ok) return rc;
    }
    BusyScope busy(c.s);
    return operation(c.s) == opres::kOk ? Ok : Failed;
}

} // namespace

int verbRead(CliContext& c) {
    const QString out = c.opt(QStringLiteral("o"), c.opt(QStringLiteral("out")));
    if (out.isEmpty()) return c.usage(QStringLiteral("read takes CHIP -o FILE"));
    const int rc = runChipVerb(c, false, ReadRomClick);
    if (rc != Ok) return rc;
    const QString f = c.opt(QStringLiteral("format"));
    c.s.settings.fileFmt =
        f == QLatin1String("hex") ||
                (f.isEmpty() && out.endsWith(QLatin1String(".hex"), Qt::CaseInsensitive))
            ? 2
            : 1;
    return saveFile(c.s, out) == 0 ? Ok : Failed;
}

int verbWrite(CliContext& c) {
    return runChipVerb(c, true, WriteRomClick);
}
int verbVerify(CliContext& c) {
    return runChipVerb(c, true, CompRomClick);
}
int verbErase(CliContext& c) {
    return runChipVerb(c, false, ClearRomClick);
}
int verbBlank(CliContext& c) {
    return runChipVerb(c, false, ReadNullClick);
}

} // namespace zelvor::cli
