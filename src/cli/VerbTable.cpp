#include "Verbs.h"

namespace zelvor::cli {

const Verb* verbTable()
{
    static const Verb verbs[] = {
        {"info", verbInfo, false, "info CHIP              the parameters of a chip (CHIP = base:NAME), then lenBl"},
        {"ports", verbPorts, false, "ports                  the device paths COM1..COM4 stand for"},
        {"convert", verbConvert, false, "convert IN OUT         load IN into the buffer, save OUT (.bin/.hex or --format; --offset HEX)"},
        {"checksum", verbChecksum, false, "checksum FILE          the buffer checksum after loading FILE (.bin/.hex or --format)"},
        {nullptr, nullptr, false, nullptr},
    };
    return verbs;
}

} // namespace zelvor::cli
