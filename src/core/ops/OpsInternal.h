#pragma once
// Helpers shared by the operation files; not for other subsystems.

#include "app/Session.h"
#include "catalogue/AlgFamilies.h"

namespace zelvor::ops {

// Algorithm 48 reaches above 16 MiB with a flag of its own: set from opStart before every
// packet, 0 for all other chips.
inline void setAddrHigh(Session& s) {
    s.op.addrHigh = (s.rom.algCode == 48 && s.op.opStart > 0xFFFFFF) ? 1 : 0;
}

// Before a block's packet: a block of the LDROM that rides behind the code goes to area 1
// (the caller restores op.area), and addrHigh follows opStart.
inline void prepareBlockPacket(Session& s) {
    if (hasLdrom(s.rom) && s.settings.autoData == 1 && s.op.opStart >= s.buf.dataOfs) s.op.area = 1;
    setAddrHigh(s);
}

// Byte `pos` of the image (0xFF beyond the pages).
inline quint8 imageByte(const RomBuf& buf, qint64 pos) {
    const qint64 page = pos / RomBuf::kPage;
    if (pos < 0 || page >= buf.pageCount()) return 0xFF;
    return buf.blocks[size_t(page)][size_t(pos % RomBuf::kPage)];
}

// Code area of a PIC small enough for the data and configuration areas to sit behind it.
bool picExtrasFit(const Session& s);
// True when the PIC extra areas take part in the current command.
bool picExtrasWanted(const Session& s);
// The short form: a single configuration word.
bool picSingleWord(const RomParams& p);

// Restores the link speed that a slow chip forced down (Set_lenbl), whatever happened.
void restoreSpeed(Session& s);

} // namespace zelvor::ops
