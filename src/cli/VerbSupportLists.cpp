// zelvor-cli support-lists [DIR]: writes shlist.lst, shadapt.lst, ZelvorA.lst, ZelvorB.lst
// and ZelvorC.lst into DIR (default: the current directory).

#include "Verbs.h"

#include "catalogue/SupportLists.h"

#include <QDir>

namespace zelvor::cli {

int loadCatalogueForCli(CliContext& c); // VerbChips.cpp

int verbSupportLists(CliContext& c) {
    if (c.args.size() > 1) return c.usage(QStringLiteral("support-lists takes at most one DIR"));
    const int rc = loadCatalogueForCli(c);
    if (rc != Ok) return rc;
    const QString dir = c.args.value(0, QDir::currentPath());
    if (!QDir(dir).exists()) {
        c.err << "zelvor-cli: no directory " << dir << Qt::endl;
        return Failed;
    }
    if (PrintListSh(c.s, dir) != kListsWritten || PrintListAd(c.s, dir) != kListsWritten) {
        c.err << "zelvor-cli: cannot write the support lists into " << dir << Qt::endl;
        return Failed;
    }
    c.out << "Total device: " << c.s.cat.catCount() << '\n';
    return Ok;
}

} // namespace zelvor::cli
