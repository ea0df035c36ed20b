// zelvor.cfg on arbitrary bytes, with the shipped-size tables empty.

#include "FuzzSupport.h"

#include "app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zelvor::fuzz::FuzzSession f;
    const QString text =
        zelvor::fromCp1251(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    (void)zelvor::parseSettings(f.s, text);
    (void)zelvor::settingsLines(f.s.settings);
    return 0;
}
