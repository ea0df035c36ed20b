// zelvor-cli chips [FILTER]: the catalogue, one entry a line, tab-separated: manufacturer,
// part, base type, ID bytes, adapters.

#include "Verbs.h"

#include "catalogue/Adapters.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueParser.h"

#include <QDir>

namespace zelvor::cli {

// Loads prgplus.lst, prgadapt.lst (both from --dir) and the built-in catalogue when the
// start-up did not. Used by the catalogue verbs.
int loadCatalogueForCli(CliContext& c) {
    Session& s = c.s;
    const QString dir = c.opt(QStringLiteral("dir"), QDir::currentPath());
    if (s.base.baseCount() == 0) {
        QString why;
        if (loadBaseTable(s, dir, why) != 0) {
            c.err << "zelvor-cli: " << why << Qt::endl;
            return Failed;
        }
    }
    if (s.adapterLines.isEmpty()) loadAdapters(s, dir);
    if (s.cat.catCount() == 0 && loadCatalogue(s) <= 0) {
        c.err << "zelvor-cli: " << s.text(msg::EmptyCatalogue) << Qt::endl;
        return Failed;
    }
    return Ok;
}

namespace {

QString idText(const CatEntry& e) {
    QStringList ids;
    for (const QString& id : {e.id0, e.id1, e.id2})
        if (!id.trimmed().isEmpty()) ids.append(id.trimmed());
    return ids.join(QLatin1Char(' '));
}

// FILTER: the beginning of a part name, or MAKER/PART (beginnings of both); case does not
// matter.
bool matches(const Catalogue& cat, const CatEntry& e, const QString& filter) {
    if (filter.isEmpty()) return true;
    const int slash = int(filter.indexOf(QLatin1Char('/')));
    if (slash < 0) return e.name.trimmed().startsWith(filter, Qt::CaseInsensitive);
    return cat.makerName(e.maker).trimmed().startsWith(filter.left(slash), Qt::CaseInsensitive) &&
           e.name.trimmed().startsWith(filter.mid(slash + 1), Qt::CaseInsensitive);
}

} // namespace

int verbChips(CliContext& c) {
    if (c.args.size() > 1) return c.usage(QStringLiteral("chips takes at most one FILTER"));
    const int rc = loadCatalogueForCli(c);
    if (rc != Ok) return rc;
    const Session& s = c.s;
    const QString filter = c.args.value(0);
    int shown = 0;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        if (!matches(s.cat, e, filter)) continue;
        const QStringList adapters =
            s.base.valid(e.base) ? adapterItems(s, s.base.at(e.base).baseAdapter()) : QStringList();
        c.out << s.cat.makerName(e.maker).trimmed() << '\t' << e.name.trimmed() << '\t'
              << e.baseName.trimmed() << '\t' << idText(e) << '\t'
              << adapters.join(QStringLiteral("; ")) << '\n';
        ++shown;
    }
    if (shown == 0) {
        c.err << "zelvor-cli: no catalogue entry matches " << filter << Qt::endl;
        return Failed;
    }
    return Ok;
}

} // namespace zelvor::cli
