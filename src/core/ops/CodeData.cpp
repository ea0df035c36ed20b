// Memory-area selection: the window, romLen and width of the code, data and
// configuration areas.

#include "ops/Engine.h"

#include "buffer/BufferInit.h"
#include "catalogue/AlgFamilies.h"
#include "catalogue/ChipParams.h"
#include "ops/AlgRules.h"

namespace zelvor {

namespace {

// Last address of the data area, or -1 to keep the window as it is.
qint32 dataAreaEnd(const RomParams& p, qint32 S) {
    const int a = p.algCode;
    if (hasLdrom(p)) return 4095;
    if (a == 44 && p.variant == 1) return 1;
    if (a == 54) return 8191;
    if (a == 56) return 127;
    if (a == 23 && p.variant == 1) return 0;
    if (picMidRange(p) || pic18(p)) {
        qint32 end = -1;
        switch (p.vppSel) {
        case 0:
        case 1:
            end = 63;
            break;
        case 2:
        case 3:
        case 7:
        case 11:
            end = 127;
            break;
        case 4:
        case 12:
        case 13:
            end = 255;
            break;
        default:
            break;
        }
        if (end >= 0 && p.vppSel == 3 && S == 0x4000) end = end * 2 + 1;
        return end;
    }
    switch (p.vppSel) {
    case 0:
        return 63;
    case 1:
        return 127;
    case 2:
        return 255;
    case 3:
        return 511;
    case 4:
        return 1023;
    case 5:
        return 4095;
    default:
        return -1;
    }
}

void setWindow(Session& s, qint32 end) {
    s.buf.addrStart = 0;
    s.buf.addrEnd = end;
    s.rom.romLen = end + 1;
}

} // namespace

void Code_Data(Session& s, int kind) {
    RomParams& p = s.rom;
    s.op.area = kind;
    p.dataWidth = p.baseWidth;
    if (ops::byteWideDataArea(p.algCode) && kind == 1) p.dataWidth = 8;

    const bool known = s.base.valid(s.settings.romIdx);
    const qint32 S = known ? s.base.at(s.settings.romIdx).size : 0;
    if (kind == 0 && known) {
        // The same main length the chip was derived with (divisor and spare included).
        RomParams code = p;
        code.dataWidth = p.baseWidth;
        setWindow(s, mainLength(s.base.at(s.settings.romIdx), code) - 1);
        // The LDROM rides behind the code when the data area is included.
        if (hasLdrom(p)) Inc_data(s);
    } else if (kind == 1) {
        const qint32 end = dataAreaEnd(p, S);
        if (end >= 0) setWindow(s, end);
    } else if (kind == 2) {
        if (picMidRange(p)) setWindow(s, 7); // the eight configuration words
        if (pic18(p)) setWindow(s, 13);      // the fourteen configuration bytes
    }
    s.fe.changed(ChangeChip | ChangeBufferLabels);
}

} // namespace zelvor
