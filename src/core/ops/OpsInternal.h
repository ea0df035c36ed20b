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
// True when the PIC extra areas are asked for with the code area of a PIC.
bool picExtrasAsked(const Session& s);
// True when the PIC extra areas take part in the current command.
bool picExtrasWanted(const Session& s);
// The short form: a single configuration word.
bool picSingleWord(const RomParams& p);

// How a PIC's configuration travels with the image: the range the chip is asked for, the
// area of that exchange, and where its bytes sit in the 16 bytes at cfgwOfs.
struct PicConfigLayout {
    qint32 opStart = 0;
    qint32 opEnd = 7;
    qint32 area = 2;   // -1: the exchange runs in the area selected (PIC18)
    int imageAt = 0;   // first byte in the image slot
    int bytes = 16;    // bytes taken from the chip, programmed and compared
    bool words = true; // compared as words masked to the chip's width, else byte by byte
};
PicConfigLayout picConfigLayout(const RomParams& p);
// Reads the configuration into auxBuf (its layout's range, at the chip's own width).
void readPicConfig(Session& s);
// The extras were asked for but the code area leaves them no room: tells the operator and
// gives kExtrasSkipped.
[[nodiscard]] int reportSkippedPicExtras(Session& s);

// Restores the link speed that a slow chip forced down (Set_lenbl), whatever happened.
void restoreSpeed(Session& s);

} // namespace zelvor::ops
