// prgadapt.lst, the adapter list, on arbitrary bytes.

#include "FuzzSupport.h"

#include "catalogue/Adapters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zelvor::fuzz::FuzzSession f;
    const QStringList lines = zelvor::fuzz::splitLines(data, size);
    for (const QString& l : lines) {
        if (f.s.adapterLines.size() >= zelvor::kAdapterCodes) break;
        f.s.adapterLines << l;
    }
    for (int code = -1; code <= zelvor::kAdapterCodes + 1; ++code)
        (void)zelvor::adapterItems(f.s, code);
    for (const QString& l : lines)
        (void)zelvor::AdapterSet(l);
    return 0;
}
