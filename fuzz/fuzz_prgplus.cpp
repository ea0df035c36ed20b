// prgplus.lst, the base-type table, on arbitrary bytes.

#include "FuzzSupport.h"

#include "catalogue/BaseTableLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zelvor::fuzz::FuzzSession f;
    const QStringList lines = zelvor::fuzz::splitLines(data, size);
    const zelvor::BaseLoadResult r = zelvor::parseBaseTable(lines, f.s.base);
    (void)zelvor::baseLoadMessage(f.s, r, QStringLiteral("prgplus.lst"));
    for (int i = 1; i <= f.s.base.baseCount(); ++i)
        (void)f.s.base.at(i).key();
    return 0;
}
