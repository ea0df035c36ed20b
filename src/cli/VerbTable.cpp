#include "Verbs.h"

namespace zelvor::cli {

const Verb* verbTable()
{
    static const Verb verbs[] = {
        {"info", verbInfo, false, "info CHIP              the parameters of a chip (CHIP = base:NAME), then lenBl"},
        {"ports", verbPorts, false, "ports                  the device paths COM1..COM4 stand for"},
        {"convert", verbConvert, false, "convert IN OUT         load IN into the buffer, save OUT (.bin/.hex or --format; --offset HEX)"},
        {"checksum", verbChecksum, false, "checksum FILE          the buffer checksum after loading FILE (.bin/.hex or --format)"},
        {"read", verbRead, true, "read CHIP -o FILE      reads the chip window into FILE (--start/--end/--area/--format)"},
        {"write", verbWrite, true, "write CHIP FILE        programs FILE into the chip window"},
        {"verify", verbVerify, true, "verify CHIP FILE       compares the chip window with FILE"},
        {"erase", verbErase, true, "erase CHIP             erases the chip (sectors touching the window)"},
        {"blank", verbBlank, true, "blank CHIP             checks that the chip window is erased"},
        {nullptr, nullptr, false, nullptr},
    };
    return verbs;
}

} // namespace zelvor::cli
