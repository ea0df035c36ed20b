#include "ops/ChipChange.h"
#include "app/Settings.h"
#include "ChipArg.h"

#include "app/Messenger.h"
#include "program/Startup.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "ops/Engine.h"
#include "protect/ConfigCommands.h"

namespace zelvor::cli {

int resolveChip(CliContext& c, const QString& chip, ChipRef& out) {
    const Session& s = c.s;
    if (s.base.baseCount() == 0) {
        c.err << "zelvor-cli: "
              << (s.run.startFailure.isEmpty() ? QStringLiteral("no base types")
                                               : s.run.startFailure)
              << Qt::endl;
        return Failed;
    }
    const QString prefix = QStringLiteral("base:");
    if (chip.startsWith(prefix, Qt::CaseInsensitive)) {
        const QString name = chip.mid(prefix.size());
        if (name.trimmed().isEmpty())
            return c.usage(QStringLiteral("base: needs a base-type name"));
        out.base = findBaseByName(s.base, name);
        out.choice = {};
        if (out.base < 0) {
            c.err << "zelvor-cli: no base type " << name << " in prgplus.lst" << Qt::endl;
            return Failed;
        }
        return Ok;
    }
    if (chip.trimmed().isEmpty()) return c.usage(QStringLiteral("CHIP is empty"));

    const int slash = int(chip.indexOf(QLatin1Char('/')));
    const QString maker = slash < 0 ? QString() : chip.left(slash).trimmed();
    const QString part = (slash < 0 ? chip : chip.mid(slash + 1)).trimmed();
    QList<int> hits;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        if (e.name.trimmed().compare(part, Qt::CaseInsensitive) != 0) continue;
        if (slash >= 0 &&
            s.cat.makerName(e.maker).trimmed().compare(maker, Qt::CaseInsensitive) != 0)
            continue;
        hits << i;
    }
    if (hits.isEmpty()) {
        c.err << "zelvor-cli: no catalogue entry " << chip << " (see `zelvor-cli chips`)"
              << Qt::endl;
        return Failed;
    }
    // The same part under several makers: the name alone does not say which.
    QStringList makers;
    for (int i : hits) {
        const QString m = s.cat.makerName(s.cat.at(i).maker).trimmed();
        if (!makers.contains(m)) makers << m;
    }
    if (makers.size() > 1) {
        c.err << "zelvor-cli: " << part << " is listed under several makers; say which: ";
        for (const QString& m : makers)
            c.err << m << '/' << part << ' ';
        c.err << Qt::endl;
        return Failed;
    }
    const int entry = hits.last(); // the last match wins, as in the catalogue
    out.base = s.cat.at(entry).base;
    out.choice.byMaker = 1;
    out.choice.catIdx = entry;
    if (!s.base.valid(out.base)) {
        c.err << "zelvor-cli: " << chip << ": its base type " << s.cat.at(entry).baseName.trimmed()
              << " is not in prgplus.lst" << Qt::endl;
        return Failed;
    }
    return Ok;
}

int selectChip(CliContext& c, const QString& chip) {
    ChipRef ref;
    const int rc = resolveChip(c, chip, ref);
    if (rc != Ok) return rc;
    if (!commandAllowed(c.s)) return Failed;
    const int refusal = modelRefusal(c.s, ref.base, ModelCheck::Selection);
    if (refusal != kModelAllows) {
        ShowMessageS(c.s, modelRefusalText(c.s, refusal));
        return Failed;
    }
    if (ChcRom(c.s, ref.base, ref.choice) != 0) return Failed;
    Inc_data(c.s);
    setupConfigPanels(c.s);
    return Ok;
}

// --area, --start and --end: the memory area and the address window.
int applyWindow(CliContext& c) {
    Session& s = c.s;
    const QString area = c.opt(QStringLiteral("area"), QStringLiteral("code"));
    if (area == QLatin1String("data"))
        Code_Data(s, 1);
    else if (area == QLatin1String("config"))
        Code_Data(s, 2);
    else if (area != QLatin1String("code"))
        return c.usage(QStringLiteral("--area is code, data or config"));
    quint32 start = quint32(s.buf.addrStart);
    quint32 end = quint32(s.buf.addrEnd);
    if (!c.hexOpt(QStringLiteral("start"), start) || !c.hexOpt(QStringLiteral("end"), end))
        return Usage;
    if (end < start || qint64(end) >= qint64(s.rom.romLen))
        return c.usage(QStringLiteral("the window must lie inside the chip, start before end"));
    s.buf.addrStart = qint32(start);
    s.buf.addrEnd = qint32(end);
    return Ok;
}

} // namespace zelvor::cli
