#include "catalogue/AlgFamilies.h"

#include "app/AlgSet.h"

namespace zelvor {

bool pageAddressed(const RomParams& p) {
    return p.algCode == 57 || nandWithSpare(p);
}

bool nandWithSpare(const RomParams& p) {
    return p.algCode == 60 || p.algCode == 61 || (p.algCode == 62 && p.variant == 0);
}

bool nandPages2048(const RomParams& p) {
    return p.algCode == 62 && p.variant == 1;
}

bool flashPages512(const RomParams& p) {
    return p.algCode == 46 && p.optC == 1;
}

bool norBlocks2k(const RomParams& p) {
    return p.algCode == 58;
}

qint32 badBlockSize(const RomParams& p) {
    if (p.algCode == 61) return 0x4200;                    // 32 pages of 528 bytes
    if (p.algCode == 62 && p.variant == 0) return 0x21000; // 64 pages of 2112 bytes
    return 0;
}

bool mcs51ParallelFuses(const RomParams& p) {
    return p.algCode == 10 && p.subType == 3;
}

bool mcs51SerialFuses(const RomParams& p) {
    return p.algCode == 28 && p.devClass == 1;
}

bool fuseChip(const RomParams& p) {
    constexpr AlgSet kAvrWithFuses{26, 42, 45, 52, 55};
    return kAvrWithFuses.contains(p.algCode) || (p.algCode == 41 && p.variant == 1) ||
           mcs51ParallelFuses(p) || mcs51SerialFuses(p);
}

bool picMidRange(const RomParams& p) {
    return p.algCode == 27;
}

bool pic18(const RomParams& p) {
    return p.algCode == 43;
}

bool hasLdrom(const RomParams& p) {
    return p.algCode == 32;
}

SecondArea secondArea(const RomParams& p) {
    switch (p.algCode) {
    case 32:
        return {"LDROM", "/LDROM"};
    case 54:
        return {"BOOT", "/BOOT"};
    case 56:
        return {"XAF", nullptr};
    case 23:
        return {p.variant == 1 ? "Protect Register" : nullptr, nullptr};
    case 44:
        return p.variant == 1 ? SecondArea{"SB&BV", "/SB&BV"} : SecondArea{};
    case 27:
        return {nullptr, p.variant == 1 ? "/DATA" : nullptr};
    case 28:
    case 41:
        return {nullptr, p.devClass != 1 ? "/DATA" : nullptr};
    case 26:
    case 42:
    case 43:
    case 45:
    case 52:
    case 55:
        return {nullptr, "/DATA"};
    default:
        return {};
    }
}

} // namespace zelvor
