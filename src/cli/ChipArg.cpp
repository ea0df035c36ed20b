#include "ChipArg.h"

#include "buffer/AddressWindow.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "ops/Engine.h"
#include "program/Commands.h"

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
            return Usage;
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
        return Usage;
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
        return Usage;
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
    if (zelvor::selectChip(c.s, ref.base, ref.choice) != 0) return Failed;
    // --with: the PIC data memory and configuration go with the code for this run (the
    // chip change has just reset both); the extra areas are placed again for them.
    if (c.has(QStringLiteral("with"))) {
        const QStringList with = c.opt(QStringLiteral("with")).split(QLatin1Char(','));
        c.s.settings.autoData = with.contains(QStringLiteral("data")) ? 1 : 0;
        c.s.settings.autoCfgw = with.contains(QStringLiteral("config")) ? 1 : 0;
        Inc_data(c.s);
    }
    return Ok;
}

// --area, --start and --end: the memory area and the address window, by the address
// dialog's rules (page numbers for page-addressed Flash). A value the dialog would not take
// is refused with the dialog's prompt, which says what it takes.
int applyWindow(CliContext& c) {
    Session& s = c.s;
    const QString area = c.opt(QStringLiteral("area"), QStringLiteral("code"));
    if (area == QLatin1String("data"))
        Code_Data(s, 1);
    else if (area == QLatin1String("config"))
        Code_Data(s, 2);
    if (!c.has(QStringLiteral("start")) && !c.has(QStringLiteral("end"))) return Ok;
    quint32 start = windowStartValue(s.rom, s.buf.addrStart);
    quint32 end = windowEndValue(s.rom, s.buf.addrEnd);
    if (!c.hexOpt(QStringLiteral("start"), start) || !c.hexOpt(QStringLiteral("end"), end))
        return Usage;
    qint32 startAddr = 0;
    qint32 endAddr = 0;
    switch (checkAddressWindow(s, start, end, startAddr, endAddr)) {
    case WindowBadStart:
        return c.usage(QStringLiteral("the window start %1 is refused;%2")
                           .arg(QString::number(start, 16).toUpper(), windowStartPrompt(s)));
    case WindowBadEnd:
        return c.usage(QStringLiteral("the window end %1 is refused;%2")
                           .arg(QString::number(end, 16).toUpper(), windowEndPrompt(s, start)));
    default:
        break;
    }
    s.buf.addrStart = startAddr;
    s.buf.addrEnd = endAddr;
    return Ok;
}

} // namespace zelvor::cli
