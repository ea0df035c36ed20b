// zelvor-cli service verbs: id, ramtest, badblocks, fw-version, fw-update.

#include "Verbs.h"

#include "program/Startup.h"
#include "service/Firmware.h"
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
    BusyScope busy(c.s);
    return TestRAMClick(c.s) == 0 ? Ok : Failed;
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

int verbFwVersion(CliContext& c) {
    if (c.args.size() > 1) return c.usage(QStringLiteral("fw-version [CHIP]"));
    if (c.args.size() == 1) {
        const int rc = selectChipForService(c, c.args[0], false);
        if (rc != Ok) return rc;
    } else if (!commandAllowed(c.s)) {
        return Failed;
    }
    BusyScope busy(c.s);
    return showFirmwareVersion(c.s) == 0 ? Ok : Failed;
}

int verbFwUpdate(CliContext& c) {
    if (c.args.isEmpty() || c.args.size() > 2)
        return c.usage(
            QStringLiteral("fw-update FILE [CHIP]: FILE holds the 32 KiB firmware image"));
    if (c.args.size() == 2) {
        const int rc = selectChipForService(c, c.args[1], false);
        if (rc != Ok) return rc;
    } else if (!commandAllowed(c.s)) {
        return Failed;
    }
    const int rc = loadForCli(c, c.args[0]);
    if (rc != Ok) return rc;
    BusyScope busy(c.s);
    return updateFirmware(c.s) == 0 ? Ok : Failed;
}

} // namespace zelvor::cli
