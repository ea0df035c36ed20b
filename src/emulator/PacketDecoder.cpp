#include "PacketDecoder.h"

#include <algorithm>

namespace zelvor::emu {

namespace {

bool isOneOf(int v, std::initializer_list<int> list) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

// Algorithms whose B6 high nibble carries B3's flags instead of end-address bits.
bool nibbleRule(int alg) {
    return isOneOf(alg, {9, 10, 14, 15, 16, 17, 26, 30, 32, 36, 37, 55, 59});
}

// Serial MCS-51 parts programmed with AVR-like commands (B2 bit 7 set, B3 a command).
bool serialMcs51(int alg, int devClass) {
    return devClass == 1 && (alg == 28 || alg == 41);
}

// AVR algorithms whose B3/B6 carry the command byte.
bool avrCommandGroup(const SetupPacket& p, int alg) {
    if (isOneOf(alg, {26, 42, 52, 55})) return true;
    return alg == 41 && (p.b[2] & 0xC0) == 0xC0;
}

} // namespace

bool PacketDecoder::alwaysWide(int algCode) {
    return isOneOf(algCode, {19, 20, 24, 38, 47, 58});
}

int PacketDecoder::inferClass(const SetupPacket& p) const {
    if (profile_.devClass >= 0) return profile_.devClass;
    const int alg = p.b[2] & 0x3F;
    if ((p.b[1] & 0x30) == 0x30) {
        if (isOneOf(alg, {27, 43})) return 5;
        if (isOneOf(alg, {26, 28, 41, 42, 45, 52, 55})) return 6;
        return 4;
    }
    if (isOneOf(alg, {10, 28, 32, 41, 44, 54, 56, 59})) return 1;
    if (isOneOf(alg, {0, 3, 4, 5, 19, 20})) return 0;
    return 2;
}

int PacketDecoder::widthFor(int alg, int devClass) const {
    if (profile_.dataWidth > 0) return profile_.dataWidth;
    if (alwaysWide(alg)) return 16;
    if (alg == 27) return 14;
    if (devClass == 6) return 16;
    return 8;
}

int PacketDecoder::pageSizeFor(int alg) const {
    if (profile_.pageSize > 0) return profile_.pageSize;
    if (alg == 62) return profile_.variant == 1 ? 2048 : 2112;
    return 528;
}

int PacketDecoder::bytesPerUnit(const Operation& op) const {
    const int alg = op.algCode;
    if (op.opCode == 7 || op.opCode == 11) return alwaysWide(alg) ? 2 : 1;
    if (alwaysWide(alg)) return 2;
    const int width = widthFor(alg, op.devClass);
    switch (alg) {
    case 23:
        return width == 16 ? 2 : 1;
    case 27:
        return op.area == 1 ? 1 : (width > 8 ? 2 : 1);
    case 45:
        if (op.area == 2 || op.area == 3) return 2; // fuse and lock pairs
        return op.area == 1 ? 1 : (width == 16 ? 2 : 1);
    case 26:
    case 28:
    case 41:
    case 42:
    case 52:
    case 55:
        return op.area == 1 ? 1 : (width == 16 ? 2 : 1);
    default:
        return 1;
    }
}

Operation PacketDecoder::decode(const SetupPacket& p) const {
    Operation op;
    op.raw = p;
    op.opCode = p.b[1] & 0x0F;
    op.algCode = p.b[2] & 0x3F;
    op.devClass = inferClass(p);
    op.lowVcc = (p.b[1] & 0x40) != 0;
    op.count = (static_cast<std::uint32_t>(p.b[7]) << 8) | p.b[8];
    if (op.opCode == 4) {
        op.speedCode = p.b[3];
        return op;
    }
    decodeAddresses(op);
    op.bytesPerUnit = bytesPerUnit(op);
    return op;
}

void PacketDecoder::decodeAddresses(Operation& op) const {
    if (!decodePaged(op)) {
        if (op.devClass == 4)
            decodeSerialEeprom(op);
        else if (op.devClass == 5)
            decodePic(op);
        else if (op.devClass == 6)
            decodeAvr(op);
        else
            decodeParallel(op);
        op.units = op.end >= op.start ? op.end - op.start + 1 : 0;
    }
}

bool PacketDecoder::decodePaged(Operation& op) const {
    const auto& b = op.raw.b;
    const int alg = op.algCode;
    const std::uint32_t b34 = (static_cast<std::uint32_t>(b[3]) << 8) | b[4];
    const bool is46Paged = alg == 46 && b[6] == 0x84;
    const bool is62Wide = alg == 62 && profile_.variant == 1;
    if (!(alg == 57 || alg == 60 || alg == 61 || alg == 62 || is46Paged)) return false;
    op.pageAddressed = true;
    op.devClass = profile_.devClass >= 0 ? profile_.devClass : 2;
    std::uint32_t d = op.count;
    if (alg == 57) {
        int optC = 0;
        while (optC < 7 && (2u << optC) != b[6])
            ++optC;
        if (optC == 7) optC = 0;
        const std::uint32_t page = b34 >> (optC + 1);
        const std::uint32_t column = ((b34 & ((2u << optC) - 1)) << 8) | b[5];
        op.start = page * static_cast<std::uint32_t>(264 << optC) + column;
    } else if (is62Wide) {
        op.start = b34 * 2048;
    } else if (is46Paged) {
        op.start = b34 * 512;
        if (op.opCode == 1) d = op.count * 512;
    } else {
        std::uint32_t page = b34;
        if (alg == 61) page |= static_cast<std::uint32_t>(b[6]) << 16;
        op.start = page * static_cast<std::uint32_t>(pageSizeFor(alg)) + b[5];
        if (alg == 61 && (op.opCode == 1 || op.opCode == 6)) {
            if ((op.count & 0xFFF) == 0x384)
                d = (op.count >> 12) * 528;
            else if ((op.count & 0xFF) == 0x84)
                d = ((op.count >> 8) + 1) * 132;
        }
    }
    if (op.opCode == 2) {
        op.pieces = static_cast<int>(op.count);
        d = op.count * (is62Wide || is46Paged ? 128u : 132u);
    }
    op.units = d;
    op.end = d > 0 ? op.start + d - 1 : op.start;
    return true;
}

void PacketDecoder::decodeSerialEeprom(Operation& op) const {
    const auto& b = op.raw.b;
    // B3 bit 0 is both the low bit of the page code and the flag "start above 64 K": only a
    // chip bigger than 64 K units (profile size) reads it as an address bit.
    const bool bigChip = profile_.size > 0x10000;
    const std::uint32_t high = bigChip && (b[3] & 0x01) ? 0x10000u : 0u;
    op.start = high | (static_cast<std::uint32_t>(b[4]) << 8) | b[5];
    op.end = high | op.count;
    if (op.algCode == 23 && (b[3] & 0x02)) op.area = 1;
}

void PacketDecoder::decodePic(Operation& op) const {
    const auto& b = op.raw.b;
    std::uint32_t high = 0;
    if (op.algCode == 27) {
        op.area = b[3] & 0x03;
    } else {
        high = static_cast<std::uint32_t>(b[3] & 0x3E) << 16;
        // PIC18: the configuration and ID bytes from 0x300000 up are a memory of their own,
        // outside the code and untouched by code protection.
        if (op.algCode == 43)
            op.area = high >= 0x300000 ? 2 : b[3] & 0x01;
        else
            high |= static_cast<std::uint32_t>(b[3] & 0x01) << 16;
    }
    op.start = high | (static_cast<std::uint32_t>(b[4]) << 8) | b[5];
    op.end = high | op.count;
}

void PacketDecoder::decodeAvr(Operation& op) const {
    const auto& b = op.raw.b;
    op.start = (static_cast<std::uint32_t>(b[4]) << 8) | b[5];
    op.end = op.count;
    if (op.algCode == 45) {
        const int code = b[3];
        if (op.opCode == 1) {
            op.area = code == 0x83 ? 1 : code == 0x04 ? 2 : code == 0x14 ? 3 : 0;
        } else if (op.opCode == 2) {
            op.area = (code & 0x80) ? 1 : 0;
        } else if (op.opCode == 3) {
            op.area = code == 0x40 ? 2 : code == 0x20 ? 3 : code == 0x42 ? 5 : 4;
            op.value = b[6];
        } else if (op.opCode == 7) {
            op.cmd = 0x30; // signature
        }
        return;
    }
    const bool group = avrCommandGroup(op.raw, op.algCode);
    if (op.opCode == 7) {
        op.cmd = group ? b[3] : 0x30;
    } else if (op.opCode == 3) {
        op.cmd = group ? b[6] : 0xE0;
        op.value = b[4];
    } else if (op.opCode == 1 || op.opCode == 2 || op.opCode == 6) {
        op.area = (b[3] & 0x80) ? 1 : 0;
    }
}

void PacketDecoder::decodeParallel(Operation& op) const {
    const auto& b = op.raw.b;
    const int alg = op.algCode;
    std::uint32_t startHigh = b[3];
    std::uint32_t endHigh = b[6];

    if (serialMcs51(alg, op.devClass)) {
        startHigh = 0;
        endHigh = 0;
        if (op.opCode == 7)
            op.cmd = b[3];
        else if (op.opCode == 3)
            op.value = b[6];
        else if (op.opCode == 1 || op.opCode == 2)
            op.area = (b[3] & 0x80) ? 1 : 0;
    } else {
        if (op.opCode == 3 && isOneOf(alg, {10, 44, 54})) {
            op.lockSel = b[3] & 0x0F;
            startHigh &= 0xF0;
            if (alg == 10 && op.lockSel == 0) op.value = b[5];
        }
        if (isOneOf(alg, {4, 5}) && op.opCode == 5) {
            op.eraseFlag = (b[3] & 0x80) != 0;
            startHigh &= 0x7F;
        }
        if (isOneOf(alg, {32, 55, 59})) {
            if (b[3] & 0x80) op.area = 1;
            startHigh &= 0x7F;
        }
        if (alg == 44) {
            if ((b[3] & 0xC0) == 0xC0) op.area = 1;
            startHigh &= 0x3F;
        }
        if (alg == 54 || alg == 56) {
            if (b[3] & 0x01) op.area = 1;
            startHigh &= 0xFE;
        }
        if (alg == 36 || alg == 37)
            startHigh = (startHigh & 0x0F) | ((startHigh & 0xC0) >> 2);
        else if (isOneOf(alg, {10, 15, 16, 17, 25, 26, 30}))
            startHigh &= 0x0F;
        else if (alg == 9 || alg == 24)
            startHigh &= 0x7F;
        else if (alg == 47)
            startHigh &= 0x3F;

        if (nibbleRule(alg))
            endHigh = (startHigh & 0xF0) | (endHigh & 0x0F);
        else if (alg == 47)
            endHigh &= 0x3F;
        else if (isOneOf(alg, {44, 54, 56}) || (alg == 24 && b[6] == b[3]))
            endHigh = startHigh;
        if (alg == 10 || alg == 44 || alg == 54) {
            if (op.opCode == 3) endHigh = startHigh;
        }
    }
    std::uint32_t top = 0;
    if (alg == 48 && (b[2] & 0x40)) top = 0x1000000;
    op.start = top | (startHigh << 16) | (static_cast<std::uint32_t>(b[4]) << 8) | b[5];
    op.end = top | (endHigh << 16) | op.count;
}

} // namespace zelvor::emu
