#include "catalogue/Features.h"

#include "catalogue/AlgFamilies.h"

namespace zelvor {

ChipFeatures chipFeatures(const RomParams& p) {
    const int a = p.algCode;
    const int v = p.variant;
    ChipFeatures f;
    f.read = p.canRead == 1;
    f.blank = p.canBlank == 1;
    f.program = p.canWrite == 1;
    f.compare = p.canCompare == 1;
    f.erase = p.canErase == 1;
    f.lock = p.canLock == 1;
    f.readId = p.canReadId == 1;
    f.setVpp = p.canSetVpp == 1;

    f.lockBitsMenu = p.devClass == 1;
    f.x2Mode = a == 44 || a == 54 || (a == 32 && v == 0);
    f.fuseBits = fuseChip(p);
    f.configuration = picMidRange(p) || pic18(p) || f.fuseBits;
    f.configMenu = picMidRange(p) || pic18(p) || a == 45;
    f.ramTest = p.devClass == 3;
    f.autoDetectFlash = p.devClass == 9;
    // The scan knows where the bad-block marker sits only on pages with spare bytes.
    f.badBlocks = badBlockSize(p) > 0;
    // The menus show these for the families that have them; a row of such a family whose
    // flag says the part lacks it would only be refused, so the item stays hidden.
    f.bootBlockSet = a == 16 && p.hasBblSet == 1;
    f.bootBlockRead = (a == 16 || a == 15) && p.hasBblRead == 1;
    f.sdp = (a == 16 || a == 30 || a == 15) && p.hasSdp == 1;

    f.pageAddressed = pageAddressed(p);
    return f;
}

} // namespace zelvor
