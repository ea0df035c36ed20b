// The PIC data memory and configuration that travel with the code in the image: whether
// they fit behind the code, where each family keeps its configuration on the chip and in
// the image, and the notice when they had to be left out.

#include "ops/Engine.h"

#include "app/ConfigState.h"
#include "app/Messenger.h"
#include "link/Frames.h"
#include "ops/OpsInternal.h"

namespace zelvor::ops {

bool picSingleWord(const RomParams& p) {
    return p.pulseAlg == 1 && p.variant == 0;
}

bool picExtrasFit(const Session& s) {
    // The extra areas live at 0x4000 and 0x4200 of the image: only a code area that ends
    // there at the latest leaves them room.
    const qint64 codeBytes = qint64(s.rom.romLen) * (s.rom.baseWidth > 8 ? 2 : 1);
    return s.buf.cfgwOfs == 0x4000 && s.buf.dataOfs == 0x4200 && codeBytes <= 0x4000;
}

bool picExtrasAsked(const Session& s) {
    return s.rom.devClass == 5 && s.op.area == 0 &&
           (s.settings.autoData == 1 || s.settings.autoCfgw == 1);
}

bool picExtrasWanted(const Session& s) {
    return picExtrasAsked(s) && picExtrasFit(s);
}

PicConfigLayout picConfigLayout(const RomParams& p) {
    PicConfigLayout l;
    if (pic18(p)) {
        // Fourteen bytes at 0x300000, read as twenty, in whatever area is selected.
        l.opStart = ConfigState::kPic18CfgStart;
        l.opEnd = ConfigState::kPic18CfgEnd;
        l.area = -1;
        l.bytes = 14;
        l.words = false;
    } else if (picSingleWord(p)) {
        // One word, kept where the files keep it (word 0x2007).
        l.opEnd = 0;
        l.imageAt = 14;
        l.bytes = 2;
    }
    return l;
}

void readPicConfig(Session& s) {
    OpState& op = s.op;
    const PicConfigLayout l = picConfigLayout(s.rom);
    const qint32 width = s.rom.dataWidth;
    const qint32 area = op.area;
    if (l.area >= 0) op.area = l.area;
    s.rom.dataWidth = s.rom.baseWidth;
    op.opStart = l.opStart;
    op.opEnd = l.opEnd;
    op.xferBase = 0;
    Read_otv(s, kAuxIndex, true);
    s.rom.dataWidth = width;
    op.area = area;
}

int reportSkippedPicExtras(Session& s) {
    s.fe.messageBox(s.text(msg::PicExtrasSkipped), FrontEnd::Icon::Warning);
    return s.op.opState = opres::kExtrasSkipped;
}

} // namespace zelvor::ops
