#include "catalogue/CatalogueParser.h"

#include "app/Messages.h"
#include "catalogue/CatalogueData.h"

#include <QHash>
#include <QSet>

namespace zelvor {

namespace {

// Class of the base types each expansion line adds.
constexpr int kPicClass = 5;
constexpr int kAvrClass = 6;

void addExpansion(const BaseTable& base, int cls, int maker, Catalogue& cat,
                  CatalogueParseResult& r) {
    for (int k = base.memTypeCount + 1; k <= base.baseCount(); ++k) {
        const BaseRow& row = base.at(k);
        if (row.baseClass != cls) continue;
        if (cat.catCount() >= Catalogue::kMaxEntries) {
            ++r.dropped;
            continue;
        }
        CatEntry e;
        e.name = row.baseName.left(12);
        e.baseName = row.baseName;
        e.mult = QLatin1Char('0');
        if (cls == kAvrClass) {
            e.id0 = QStringLiteral("1E");
            e.id1 = row.baseSigA;
            e.id2 = row.baseSigB;
        } else {
            e.id0 = e.id1 = e.id2 = QStringLiteral(" ");
        }
        e.maker = maker;
        e.base = k;
        cat.entries.push_back(e);
    }
}

// Base type by its 12-character key; where keys repeat, the last row wins.
using BaseIndex = QHash<QString, int>;

BaseIndex indexBases(const BaseTable& base) {
    BaseIndex index;
    index.reserve(base.baseCount());
    for (int k = 1; k <= base.baseCount(); ++k)
        index.insert(base.at(k).key(), k);
    return index;
}

void addDevice(const QString& line, const BaseIndex& bases, int maker, Catalogue& cat,
               CatalogueParseResult& r) {
    if (cat.catCount() >= Catalogue::kMaxEntries) {
        ++r.dropped;
        return;
    }
    CatEntry e;
    e.name = line.mid(0, 12);
    e.baseName = line.mid(12, 12);
    e.mult = line.size() > 24 ? line.at(24) : QChar();
    e.id0 = line.mid(26, 2);
    e.id1 = line.mid(29, 2);
    e.id2 = line.mid(32, 2);
    e.maker = maker;
    e.base = -1;
    const QString key = e.baseName.left(12);
    e.base = bases.value(key, -1);
    if (e.base < 0) r.missingBases.append(key);
    cat.entries.push_back(e);
}

} // namespace

QStringList builtInCatalogueLines() {
    QStringList lines;
    lines.reserve(kCatalogueFirstHalfLines + kCatalogueSecondHalfLines);
    for (const char* line : kCatalogueFirstHalf)
        lines.append(QString::fromLatin1(line));
    for (const char* line : kCatalogueSecondHalf)
        lines.append(QString::fromLatin1(line));
    return lines;
}

CatalogueParseResult parseCatalogue(const QStringList& lines, const BaseTable& base,
                                    Catalogue& cat) {
    CatalogueParseResult r;
    cat.makerNames.clear();
    cat.entries.clear();
    cat.catLines = lines;
    const BaseIndex bases = indexBases(base);
    int makers = 0; // headers seen so far; entries belong to the last one (0 before any)
    for (const QString& raw : lines) {
        const QString line = raw.left(kCatalogueLineWidth);
        if (line.isEmpty()) continue; // a blank line names nothing
        const QChar first = line.at(0);
        if (first == QLatin1Char('*')) continue;
        if (first == QLatin1Char('@')) {
            const QChar kind = line.size() > 1 ? line.at(1) : QChar();
            if (kind == QLatin1Char('A'))
                addExpansion(base, kAvrClass, makers, cat, r);
            else if (kind == QLatin1Char('P'))
                addExpansion(base, kPicClass, makers, cat, r);
            continue;
        }
        if (first == QLatin1Char(':')) {
            cat.makerNames.append(line.mid(1, 20).leftJustified(20, QLatin1Char(' ')));
            ++makers;
            continue;
        }
        addDevice(line, bases, makers, cat, r);
    }
    r.entries = cat.catCount();
    return r;
}

int loadCatalogue(Session& s) {
    const CatalogueParseResult r = parseCatalogue(builtInCatalogueLines(), s.base, s.cat);
    // One box per missing name rather than per line: a table that lacks a family would
    // otherwise stop the start with a box for every part of it.
    QStringList names;
    QSet<QString> seen;
    for (const QString& name : r.missingBases)
        if (!seen.contains(name)) {
            seen.insert(name);
            names.append(name);
        }
    for (int i = 0; i < names.size() && i < kMissingBaseBoxes; ++i)
        s.fe.messageBox(names.at(i), FrontEnd::Icon::Warning);
    if (names.size() > kMissingBaseBoxes)
        s.fe.messageBox(s.text(msg::CatalogueMoreMissing).arg(names.size() - kMissingBaseBoxes),
                        FrontEnd::Icon::Warning);
    if (r.dropped > 0)
        s.fe.messageBox(s.text(msg::CatalogueFull).arg(r.dropped), FrontEnd::Icon::Warning);
    return r.entries;
}

} // namespace zelvor
