// zelvor-cli info CHIP: the parameters the chip would get, one `field=value` line each.

#include "ChipArg.h"
#include "Verbs.h"

#include "catalogue/RomParamsText.h"

namespace zelvor::cli {

int verbInfo(CliContext& c) {
    if (c.args.size() != 1) return c.usage(QStringLiteral("info takes one CHIP"));
    Session& s = c.s;
    ChipRef ref;
    const int rc = resolveChip(c, c.args.first(), ref);
    if (rc != Ok) return rc;
    s.settings.romIdx = ref.base;
    s.settings.byMaker = ref.choice.byMaker;
    s.settings.catIdx = ref.choice.catIdx;
    restoreChip(s);
    s.rom.fuseBytes[0] = s.rom.fuseBytes[1] = s.rom.fuseBytes[2] = s.rom.fuseBytes[3] = 0xFF;
    for (const auto& [field, value] : romParamsFields(s.rom))
        c.out << field << '=' << value << '\n';
    c.out << "lenBl=" << pieceLength(s.rom, 0) << '\n';
    return Ok;
}

} // namespace zelvor::cli
