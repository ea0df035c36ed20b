#pragma once
// The chip families the program tells apart by algorithm number, each named once here.
// A rule that asks "is this a NAND, a fuse chip, a PIC18 ..." asks one of these; what a chip
// offers is derived from them in catalogue/Features.cpp. A rule only one concern has keeps
// its own table there: the set-up packet in link/SetupPacket.cpp, reply tries, pauses and
// blank checks in ops/AlgRules.cpp, erase sectors in ops/SectorList.cpp, identification in
// service/ReadId.cpp, transfer pieces in catalogue/ChipParams.cpp.

#include "app/Records.h"

namespace zelvor {

// Flash addressed by pages with spare bytes, 264 << optC bytes a page: DataFlash (57) and
// the NAND with spare areas. Addresses are typed as page numbers.
bool pageAddressed(const RomParams& p);
// NAND with spare areas (60, 61, 62 variant 0): reads run in blocks of whole pages.
bool nandWithSpare(const RomParams& p);
// Large-page NAND read without the spare areas (62 variant 1): 2048-byte pages.
bool nandPages2048(const RomParams& p);
// Page Flash of 512-byte pages without spare (46 with option C).
bool flashPages512(const RomParams& p);
// 16-bit NOR whose window is typed in 2 KiB blocks (58).
bool norBlocks2k(const RomParams& p);
// Bytes of the erase block the bad-block scan checks; 0 for chips without a bad-block
// marker.
qint32 badBlockSize(const RomParams& p);

// MCS-51 parts with fuse bits on line 27 of the fuse layouts: the parallel-programmed part
// of subtype 3 (10) and the serial-programmed one (28 in class 1).
bool mcs51ParallelFuses(const RomParams& p);
bool mcs51SerialFuses(const RomParams& p);
// AVR and MCS-51 chips with fuse and lock bits (the fuse panel).
bool fuseChip(const RomParams& p);
// PIC16 mid-range (27) and PIC18 (43).
bool picMidRange(const RomParams& p);
bool pic18(const RomParams& p);
// MCS-51 with a 4 KiB LDROM behind the code (32).
bool hasLdrom(const RomParams& p);

// The second memory area: its name in the area list (PIC and AVR always list "Data") and
// the label suffix while it is selected ("/CODE" on the first area when there is one).
struct SecondArea {
    const char* name = nullptr;   // none: no area list outside PIC and AVR
    const char* suffix = nullptr; // none: the label carries no area suffix
};
SecondArea secondArea(const RomParams& p);

} // namespace zelvor
