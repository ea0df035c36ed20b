#include "link/SetupPacket.h"

#include "app/AlgSet.h"

#include "link/Port.h"

#include <algorithm>

namespace zelvor {

namespace {

using u8 = quint8;

constexpr u8 lo(quint32 v) {
    return u8(v & 0xFF);
}

// Addressing of the page-organised Flash algorithms; everything else sends plain
// addresses.
enum class PageScheme {
    None,
    PageByte, // 57: page number and byte packed into one address word
    Nand,     // 60, 62 variant 0: page number and column
    Nand61,   // 61: as Nand, with a third page byte and an encoded read count
    Nand2048, // 62 variant 1: 2048-byte pages
    Pages512, // 46 with optC 1: 512-byte pages
};

PageScheme pageScheme(const RomParams& rom) {
    switch (rom.algCode) {
    case 57:
        return PageScheme::PageByte;
    case 60:
        return PageScheme::Nand;
    case 61:
        return PageScheme::Nand61;
    case 62:
        return rom.variant == 1 ? PageScheme::Nand2048 : PageScheme::Nand;
    case 46:
        return rom.optC == 1 ? PageScheme::Pages512 : PageScheme::None;
    default:
        return PageScheme::None;
    }
}

// optC as a shift count (a page of 264 bytes doubles with each step).
int pageShift(const RomParams& rom) {
    return std::clamp(int(rom.optC), 0, 15);
}
quint32 pageSize(const RomParams& rom) {
    return 264u << pageShift(rom);
}

struct Build {
    const RomParams& rom;
    const OpState& op;
    PacketLayout layout;
    int alg;
    int opCode;
    int area;
    quint32 start;
    quint32 end;
    // MCS-51 parts of algorithms 41 and 28 take command bytes instead of addresses.
    bool mcs51Command;
};

// Step 1: mode and algorithm bytes.
void modeAndAlgorithm(const Build& b, u8 vpp, SetupPacket& p) {
    const RomParams& r = b.rom;
    const u8 op = u8(b.opCode & 0x0F);
    const u8 alg = u8(b.alg & 0x3F);
    switch (b.layout) {
    case PacketLayout::SerialEeprom:
        p[1] = u8((((r.vccSel >> 2) & 1) << 7) | 0x30 | op);
        p[2] = u8(((r.vccSel & 3) << 6) | alg);
        break;
    case PacketLayout::Pic:
    case PacketLayout::Avr: {
        const int k = (b.alg == 41 && r.variant == 0) ? 1 : 3;
        p[1] = u8(0x30 | op);
        p[2] = u8((k << 6) | alg);
        break;
    }
    case PacketLayout::Parallel:
        p[1] = u8(((r.vccSel & 1) << 7) | ((vpp & 3) << 4) | op);
        if (op != 2) p[1] &= 0x7F; // the Vcc choice only matters while programming
        if (b.alg == 48)
            p[2] = u8(48 | (b.op.addrHigh == 1 ? 0x40 : 0));
        else if (b.mcs51Command)
            p[2] = u8(alg | 0x80);
        else
            p[2] = u8(((r.pulseAlg & 3) << 6) | alg);
        break;
    }
}

// Command byte of the serial-programmed microcontrollers: 0xAC for erase and lock writes,
// read (0x20) or write (0x40) with 0x80 for the data area otherwise.
u8 commandByte(const Build& b, u8 readIdCommand) {
    if (b.opCode == 7) return readIdCommand;
    if (b.opCode == 5 || b.opCode == 3) return 0xAC;
    return u8((b.opCode == 1 ? 0x20 : 0x40) | (b.area == 1 ? 0x80 : 0));
}

u8 serialEepromFlags(const Build& b) {
    const RomParams& r = b.rom;
    u8 f = u8(((r.vppSel & 0x0F) << 4) | r.pulseAlg);
    if (b.start > 0xFFFF) f |= 0x01;
    if (b.alg == 22 && r.variant == 0) f |= 0x04;
    if (b.alg == 23 && r.variant == 1 && b.area == 1) f |= 0x02;
    return f;
}

u8 avrFlags(const Build& b, u8 previous) {
    const RomParams& r = b.rom;
    if (b.alg == 45) {
        switch (b.opCode) {
        case 7:
            return 0x88;
        case 3:
            switch (b.area) {
            case 2:
                return 0x40;
            case 3:
                return 0x20;
            case 5:
                return 0x42;
            default:
                return 0x41;
            }
        case 1:
            switch (b.area) {
            case 0:
                return 0x02;
            case 1:
                return 0x83;
            case 2:
                return 0x04;
            case 3:
                return 0x14;
            default:
                return previous;
            }
        case 2: {
            u8 f = b.area == 0 ? 0x10 : b.area == 1 ? 0x91 : previous;
            if (r.variant == 0) f |= 0x08;
            return f;
        }
        default:
            return previous;
        }
    }
    const bool commandSet =
        AlgSet{26, 42, 52, 55}.contains(b.alg) || (b.alg == 41 && r.variant == 1);
    return commandByte(b, commandSet ? b.op.cmdArg : u8(0x30));
}

u8 picFlags(const Build& b) {
    const RomParams& r = b.rom;
    if (b.alg != 27) {
        u8 f = u8((b.start >> 16) & 0x3F);
        if (b.alg == 43 && b.area == 1) f |= 0x01;
        return f;
    }
    u8 f = lo(quint32(b.area));
    if (r.adapter == 26) f |= 0x40;
    if (r.variant == 1) f |= 0x04;
    if (r.pulseAlg == 1) f |= r.variant == 1 ? 0x80 : 0x08;
    if (r.vccSel == 1) f |= 0x10;
    return f;
}

u8 parallelFlags(const Build& b) {
    const RomParams& r = b.rom;
    const int alg = b.alg;
    const int v = r.variant;
    u8 f = lo(b.start >> 16);
    if (AlgSet{15, 16, 25, 26, 30}.contains(alg)) {
        if ((alg == 15 && v == 0) || (alg == 30 && v == 1)) f |= 0x10;
        if (r.optA == 1) f |= 0x80;
        if (r.optB == 1) f |= 0x40;
        if (r.optC == 1) f |= 0x20;
    }
    if (alg == 24 && v == 0) f |= 0x80;
    if (b.mcs51Command) f = commandByte(b, b.op.cmdArg);
    if (alg == 47) {
        if (v == 0) f |= 0x80;
        if (r.optC == 1) f |= 0x40;
    }
    if (alg == 9 && v == 0) f |= 0x80;
    if (alg == 10 && v == 0) {
        if (r.adapter == 5)
            f |= r.subType == 1 ? 0x20 : 0x10;
        else
            f |= r.opt21 == 1 ? 0x40 : 0x80;
    }
    if (alg == 44 && v == 1) f |= b.area == 1 ? 0xC0 : 0x80;
    if (AlgSet{54, 56}.contains(alg) && b.area == 1) f |= 0x01;
    if (AlgSet{10, 44, 54}.contains(alg) && b.opCode == 3) f |= lo(quint32(b.op.lockSel));
    if (AlgSet{32, 55, 59}.contains(alg) && b.area == 1) f |= 0x80;
    if (AlgSet{17, 37}.contains(alg)) {
        if (r.optA == 1) f |= 0x80;
        if (r.optB == 1) f |= 0x10;
    }
    if (AlgSet{36, 37}.contains(alg)) {
        // Address bits 20-21 travel in bits 6-7.
        f = u8((f & 0x0F) | ((f & 0x30) << 2));
        if (v == 0) f |= 0x10;
        if (r.optC == 1) f |= 0x20;
    }
    return f;
}

// Step 2: B3.
u8 flagsByte(const Build& b, u8 previous) {
    switch (b.layout) {
    case PacketLayout::SerialEeprom:
        return serialEepromFlags(b);
    case PacketLayout::Avr:
        return avrFlags(b, previous);
    case PacketLayout::Pic:
        return picFlags(b);
    case PacketLayout::Parallel:
        return parallelFlags(b);
    }
    return previous;
}

// Step 3: B3..B5 from the start address.
void startAddress(const Build& b, SetupPacket& p) {
    const quint32 n = b.start / pageSize(b.rom);
    const quint32 rem = b.start % pageSize(b.rom);
    switch (pageScheme(b.rom)) {
    case PageScheme::PageByte: {
        const quint32 w = quint32((quint64(n & 0xFFFF) << (pageShift(b.rom) + 1)) & 0xFFFF);
        p[3] = lo(w >> 8);
        p[4] = u8(lo(w) | lo(rem >> 8));
        p[5] = lo(rem);
        break;
    }
    case PageScheme::Nand:
    case PageScheme::Nand61:
        p[3] = lo(n >> 8);
        p[4] = lo(n);
        p[5] = lo(rem);
        break;
    case PageScheme::Nand2048:
    case PageScheme::Pages512: {
        const quint32 q = b.start / (pageScheme(b.rom) == PageScheme::Nand2048 ? 2048 : 512);
        p[3] = lo(q >> 8);
        p[4] = lo(q);
        p[5] = 0;
        break;
    }
    case PageScheme::None:
        p[4] = lo(b.start >> 8);
        p[5] = lo(b.start);
        break;
    }
}

// Step 5: B6.
u8 endFlags(const Build& b, u8 b3) {
    const int alg = b.alg;
    if (b.layout == PacketLayout::SerialEeprom || b.layout == PacketLayout::Pic ||
        AlgSet{44, 54, 56}.contains(alg))
        return b3;
    if (b.layout == PacketLayout::Avr) {
        if (alg == 45) return b.opCode == 3 ? b.op.lockByte : b3;
        const u8 lockCommand = AlgSet{26, 41, 42, 52, 55}.contains(alg) ? b.op.cmdArg : u8(0xE0);
        return b.opCode == 5 ? u8(0x80) : b.opCode == 3 ? lockCommand : b3;
    }
    u8 e = lo(b.end >> 16);
    if (alg == 24 && b.rom.variant == 0) e = b3;
    if (AlgSet{9, 10, 14, 15, 16, 17, 26, 30, 32, 36, 37, 55, 59}.contains(alg))
        e = u8((e & 0x0F) | (b3 & 0xF0));
    if (b.mcs51Command) e = b.opCode == 5 ? u8(0x80) : b.opCode == 3 ? b.op.lockByte : b3;
    if (alg == 47) e = u8((e & 0x3F) | (b3 & 0xC0));
    return e;
}

quint32 ceilDiv(quint32 x, quint32 n) {
    return x / n + (x % n != 0 ? 1 : 0);
}

// Step 6: the count word B7:B8 and the page algorithms' B6.
void countWord(const Build& b, SetupPacket& p) {
    const RomParams& r = b.rom;
    // The block length, taken on the low 16 bits of both addresses.
    const quint32 d = quint16(quint16(b.end) - quint16(b.start) + 1);
    const bool program = b.opCode == 2;
    quint32 count = d;
    switch (pageScheme(r)) {
    case PageScheme::PageByte:
        p[6] = lo(2u << pageShift(r));
        if (program) count = ceilDiv(d, 132);
        break;
    case PageScheme::Nand:
        p[6] = 0;
        if (program) count = ceilDiv(d, 132);
        break;
    case PageScheme::Nand61:
        p[6] = lo((b.start / pageSize(r)) >> 16);
        if (b.opCode == 1 || b.opCode == 6)
            count = r.variant == 1 ? ((d / 528) << 12) | 0x384 : ((d / 132 - 1) << 8) | 0x84;
        else if (program)
            count = ceilDiv(d, 132);
        break;
    case PageScheme::Nand2048:
        p[6] = 0;
        if (program) count = ceilDiv(d, 128);
        break;
    case PageScheme::Pages512:
        p[6] = 0x84;
        if (program)
            count = d / 128;
        else if (b.opCode == 1)
            count = d / 512;
        break;
    case PageScheme::None:
        count = b.end & 0xFFFF;
        break;
    }
    p[7] = lo(count >> 8);
    p[8] = lo(count);
}

} // namespace

PacketLayout packetLayout(int devClass) {
    switch (devClass) {
    case 4:
        return PacketLayout::SerialEeprom;
    case 5:
        return PacketLayout::Pic;
    case 6:
        return PacketLayout::Avr;
    default:
        return PacketLayout::Parallel; // 0..3, and 7..9 which have no layout of their own
    }
}

quint8 packetVppSel(const RomParams& rom) {
    return packetLayout(rom.devClass) == PacketLayout::Parallel && rom.vppSel == 3 ? 0 : rom.vppSel;
}

SetupPacket buildSetupPacket(const RomParams& rom, const OpState& op, int baudIdx,
                             const SetupPacket& previous) {
    const Build b{rom,
                  op,
                  packetLayout(rom.devClass),
                  rom.algCode,
                  op.opCode,
                  op.area,
                  quint32(op.opStart),
                  quint32(op.opEnd),
                  rom.devClass == 1 && (rom.algCode == 41 || rom.algCode == 28)};
    SetupPacket p = previous;
    p[0] = kPacketStart;
    modeAndAlgorithm(b, packetVppSel(rom), p);
    p[3] = flagsByte(b, previous[3]);
    startAddress(b, p);
    if (b.opCode == 4) p[3] = lo(quint32(baudIdx)); // the new speed code, whatever the chip
    p[6] = endFlags(b, p[3]);
    countWord(b, p);
    if (rom.lowVcc == 1) p[1] |= 0x40;
    u8 sum = 0;
    for (int i = 1; i <= 8; ++i)
        sum = u8(sum + p[size_t(i)]);
    p[9] = sum;
    return p;
}

int Make_mode(Session& s) {
    allocLinkBuffers(s);
    s.rom.vppSel = packetVppSel(s.rom);
    s.link.packet = buildSetupPacket(s.rom, s.op, s.settings.baudIdx, s.link.packet);
    std::copy(s.link.packet.begin(), s.link.packet.end(), s.link.xferBuf.begin());
    if (Write_com(s, s.link.xferBuf, int(s.link.packet.size()), 0) != 0) return 3;
    return Wait_ack(s);
}

int Send_mode(Session& s) {
    return linkExchange(
        s, 2, [] { return 0; },
        [&] {
            if (s.link.portFailed == 1 || !linkPortOpen(s)) return 1;
            return Make_mode(s);
        });
}

} // namespace zelvor
