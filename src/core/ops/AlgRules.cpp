#include "ops/AlgRules.h"

#include "app/AlgSet.h"
#include "catalogue/AlgFamilies.h"

namespace zelvor::ops {

namespace {

// The serial-programmed microcontrollers: PIC (27, 43), AVR (26, 28, 41, 42, 45, 52, 55) and
// the AT89S parts that share the AVR commands (28, 41 in class 1).
constexpr AlgSet kSerialControllers{26, 27, 28, 41, 42, 43, 45, 52, 55};

} // namespace

bool blankCheckInPc(int a) {
    return AlgSet{21, 22, 23, 26, 27, 28, 32, 33, 34, 41, 42, 43, 45, 46, 52, 53, 55, 57, 59}
        .contains(a);
}

int pieceReplyTries(int a) {
    if (kSerialControllers.contains(a) || a == 32) return 10;
    if (a == 0) return 30;
    if (a == 58) return 5;
    return 2;
}

int blankReplyTries(int devClass) {
    return devClass == 1 ? 5 : 2;
}

int eraseReplyTries(const RomParams& p) {
    const int a = p.algCode;
    if (a == 58) return 300;
    if (AlgSet{36, 37, 44, 47}.contains(a)) return 90;
    if (AlgSet{48, 49, 50, 51}.contains(a) || (a == 24 && p.variant == 0)) return 60;
    if (AlgSet{15, 16, 17, 33}.contains(a)) return 40;
    if (a == 10 || a == 38) return 20;
    return 2;
}

qint32 eraseStartFlags(const RomParams& p) {
    return (p.algCode == 4 || p.algCode == 5) && p.variant == 0 ? 0x800000 : 0;
}

EraseProgress eraseProgress(int a) {
    if (a == 38) return EraseProgress::Count;
    if (AlgSet{46, 53, 60, 61, 62}.contains(a)) return EraseProgress::SectorLine;
    return EraseProgress::Plain;
}

bool eraseErrorOwnText(int a) {
    return a == 38;
}

int pauseAfterBlockMs(const RomParams& p) {
    return (p.algCode == 45 || flashPages512(p)) ? 500 : 0;
}

bool retriesVerify(int a) {
    return a == 25 || a == 34 || a == 53;
}

bool byteWideDataArea(int a) {
    return kSerialControllers.contains(a);
}

} // namespace zelvor::ops
