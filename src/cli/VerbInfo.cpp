// zelvor-cli info CHIP: the parameters the chip would get, one `field=value` line each.

#include "Verbs.h"

#include "catalogue/BaseTableLoader.h"
#include "catalogue/ChipParams.h"
#include "catalogue/RomParamsText.h"

#include <QDir>

namespace zelvor::cli {

int verbInfo(CliContext& c)
{
    if (c.args.size() != 1) return c.usage(QStringLiteral("info takes one CHIP (base:NAME)"));
    const QString chip = c.args.first();
    const QString prefix = QStringLiteral("base:");
    if (!chip.startsWith(prefix, Qt::CaseInsensitive) || chip.size() == prefix.size())
        return c.usage(QStringLiteral("CHIP is base:NAME, a base type of prgplus.lst"));

    Session& s = c.s;
    if (s.base.baseCount() == 0) {
        QString why;
        if (loadBaseTable(s, c.opt(QStringLiteral("dir"), QDir::currentPath()), why) != 0) {
            c.err << "zelvor-cli: " << why << Qt::endl;
            return Failed;
        }
    }
    const QString name = chip.mid(prefix.size());
    const int index = findBaseByName(s.base, name);
    if (index < 0) {
        c.err << "zelvor-cli: no base type " << name << " in prgplus.lst" << Qt::endl;
        return Failed;
    }

    s.settings.romIdx = index;
    s.settings.byMaker = 0;
    restoreChip(s);
    s.rom.fuseBytes[0] = s.rom.fuseBytes[1] = s.rom.fuseBytes[2] = s.rom.fuseBytes[3] = 0xFF;
    for (const auto& [field, value] : romParamsFields(s.rom))
        c.out << field << '=' << value << '\n';
    c.out << "lenBl=" << pieceLength(s.rom, 0) << '\n';
    return Ok;
}

} // namespace zelvor::cli
