#include "Verbs.h"

namespace zelvor::cli {

// Options shared by several verbs.
#define LOAD "format offset buffer-offset"
#define WINDOW "start end area"
#define PARAMS "vpp vcc alg"

const Verb* verbTable() {
    static const Verb verbs[] = {
        {"info", verbInfo, false, "",
         "info CHIP              the parameters of a chip, one field=value a line, then lenBl"},
        {"ports", verbPorts, false, "",
         "ports                  the device paths COM1..COM4 stand for"},
        {"convert", verbConvert, false, LOAD,
         "convert IN OUT         loads IN into the buffer, saves it as OUT"},
        {"checksum", verbChecksum, false, LOAD,
         "checksum FILE          the buffer checksum after loading FILE"},
        {"edit", verbEdit, false, "format offset op mask start end",
         "edit IN OUT --op OP    loads IN, applies AND/OR/XOR --mask over --start..--end (or "
         "SWAP), saves OUT"},
        {"listing", verbListing, false, "format offset first last",
         "listing FILE           the printed listing of FILE, blocks --first..--last (from 0)"},
        {"find", verbFind, false, "format offset hex text from",
         "find FILE --hex BYTES  the first offset of the bytes (or --text TEXT) from --from on"},
        {"crc", verbCrc, false, "format offset start end",
         "crc FILE               the CRC-32 of the image, or of its bytes --start..--end"},
        {"compare", verbCompare, false, "format offset",
         "compare FILE1 FILE2    the ranges where the two images differ"},
        {"chips", verbChips, false, "",
         "chips [FILTER]         catalogue entries: maker, part, base type, ID bytes, adapters"},
        {"support-lists", verbSupportLists, false, "",
         "support-lists [DIR]    writes shlist.lst, shadapt.lst, ZelvorA/B/C.lst"},
        {"read", verbRead, true, "o format with " WINDOW,
         "read CHIP -o FILE      reads the chip window into FILE"},
        {"write", verbWrite, true, LOAD " with " PARAMS " " WINDOW,
         "write CHIP FILE        programs FILE into the chip window"},
        {"verify", verbVerify, true, LOAD " with " WINDOW,
         "verify CHIP FILE       compares the chip window with FILE, lists the ranges that "
         "differ"},
        {"erase", verbErase, true, WINDOW,
         "erase CHIP             erases the chip (sectors touching the window)"},
        {"blank", verbBlank, true, WINDOW,
         "blank CHIP             checks that the chip window is erased"},
        {"id", verbId, true, "",
         "id CHIP                reads the identification codes and names the device"},
        {"lock", verbLock, true, "bits",
         "lock CHIP              sets the lock bits (toolbar sequence, or bits 1..N)"},
        {"x2", verbX2, true, "", "x2 CHIP                sets the x2 mode"},
        {"fuses", verbFuses, true, "lock low high ext",
         "fuses read|write CHIP  fuse and lock bytes"},
        {"config", verbConfig, true, "word id bytes lock low high ext",
         "config read|write CHIP configuration word, ID, PIC18 bytes or fuses"},
        {"auto", verbAuto, true, "steps " LOAD " with " PARAMS " " WINDOW,
         "auto CHIP FILE         automatic programming"},
        {"repeat", verbRepeat, true, LOAD " " PARAMS " " WINDOW,
         "repeat CHIP FILE       programs the chip ten times"},
        {"bbl", verbBbl, true, "block",
         "bbl set|read CHIP      boot-block lockout (set needs --block)"},
        {"sdp", verbSdp, true, "", "sdp CHIP               switches software data protection off"},
        {"ramtest", verbRamtest, true, "start end",
         "ramtest CHIP           tests a static RAM over the window"},
        {"badblocks", verbBadblocks, true, "",
         "badblocks CHIP         lists the NAND blocks marked bad"},
        {"fw-version", verbFwVersion, true, "",
         "fw-version [CHIP]      the programmer's firmware version"},
        {"fw-update", verbFwUpdate, true, "format offset",
         "fw-update FILE [CHIP]  programs FILE (32 KiB) as the programmer's firmware"},
        {"program-switch", verbProgramSwitch, true, "",
         "program-switch [CHIP]  switches the programmer's program, prints its result code"},
        {"selftest", verbSelfTest, true, WINDOW,
         "selftest CHIP          reads, erases, blank-checks, programs back and compares"},
        {nullptr, nullptr, false, nullptr, nullptr},
    };
    return verbs;
}

#undef LOAD
#undef WINDOW
#undef PARAMS

} // namespace zelvor::cli
