#include "Verbs.h"

namespace zelvor::cli {

const Verb* verbTable() {
    static const Verb verbs[] = {
        {"info", verbInfo, false,
         "info CHIP              the parameters of a chip, one field=value a line, then lenBl"},
        {"ports", verbPorts, false, "ports                  the device paths COM1..COM4 stand for"},
        {"convert", verbConvert, false,
         "convert IN OUT         load IN into the buffer, save OUT (.bin/.hex or --format; "
         "--offset HEX)"},
        {"checksum", verbChecksum, false,
         "checksum FILE          the buffer checksum after loading FILE (.bin/.hex or --format)"},
        {"chips", verbChips, false,
         "chips [FILTER]         catalogue entries: maker, part, base type, ID bytes, adapters"},
        {"support-lists", verbSupportLists, false,
         "support-lists [DIR]    writes shlist.lst, shadapt.lst, ZelvorA/B/C.lst"},
        {"read", verbRead, true,
         "read CHIP -o FILE      reads the chip window into FILE (--start/--end/--area/--format)"},
        {"write", verbWrite, true, "write CHIP FILE        programs FILE into the chip window"},
        {"verify", verbVerify, true, "verify CHIP FILE       compares the chip window with FILE"},
        {"erase", verbErase, true,
         "erase CHIP             erases the chip (sectors touching the window)"},
        {"blank", verbBlank, true, "blank CHIP             checks that the chip window is erased"},
        {"id", verbId, true,
         "id CHIP                reads the identification codes and names the device"},
        {"lock", verbLock, true,
         "lock CHIP [--bits N]   sets the lock bits (toolbar sequence, or bits 1..N)"},
        {"x2", verbX2, true, "x2 CHIP                sets the x2 mode"},
        {"fuses", verbFuses, true,
         "fuses read|write CHIP  fuse and lock bytes (write: --lock/--low/--high/--ext HEX)"},
        {"config", verbConfig, true,
         "config read|write CHIP configuration (write: --word/--id HEX, --bytes HEX28, fuse "
         "options)"},
        {"auto", verbAuto, true,
         "auto CHIP FILE         automatic programming (--steps erase,blank,write,verify,lock)"},
        {"repeat", verbRepeat, true, "repeat CHIP FILE       programs the chip ten times"},
        {"bbl", verbBbl, true,
         "bbl set|read CHIP      boot-block lockout (set: --block lower|upper)"},
        {"sdp", verbSdp, true, "sdp CHIP               switches software data protection off"},
        {"ramtest", verbRamtest, true,
         "ramtest CHIP           tests a static RAM over the window (--start/--end)"},
        {"badblocks", verbBadblocks, true,
         "badblocks CHIP         lists the NAND blocks marked bad"},
        {"fw-version", verbFwVersion, true,
         "fw-version [CHIP]      the programmer's firmware version"},
        {"fw-update", verbFwUpdate, true,
         "fw-update FILE [CHIP]  programs FILE (32 KiB) as the programmer's firmware"},
        {nullptr, nullptr, false, nullptr},
    };
    return verbs;
}

} // namespace zelvor::cli
