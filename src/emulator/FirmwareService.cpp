// The firmware's protection and service commands: lock and fuse writes, identification and
// fuse reads, RAM test.
#include "Firmware.h"

#include <algorithm>
#include <bit>
#include <string>

namespace zelvor::emu {

int Firmware::lockLevelOf(std::uint8_t value, std::uint8_t mask) {
    return std::min(3, std::popcount(static_cast<unsigned>(~value & mask) & 0xFFu));
}

void Firmware::doLockWrite(const Operation& op) {
    const int alg = op.algCode;
    const int level = chip_.lockLevel();
    if (op.devClass == 6 && alg == 45) {
        // Parallel AVR: the area picks the byte, B6 carries it.
        const int index = op.area == 2 ? 1 : op.area == 3 ? 0 : op.area == 5 ? 3 : 2;
        chip_.setFuse(index, static_cast<std::uint8_t>(op.value));
        if (index == 0) chip_.setLockLevel(lockLevelOf(static_cast<std::uint8_t>(op.value), 0x07));
    } else if (op.devClass == 6) {
        const auto v = static_cast<std::uint8_t>(op.value);
        switch (op.cmd) {
        case 0xE0:
            chip_.setFuse(0, v);
            chip_.setLockLevel(std::max(level, lockLevelOf(v, 0x03)));
            break;
        case 0xA0:
            chip_.setFuse(1, v);
            break;
        case 0xA8:
            chip_.setFuse(2, v);
            break;
        case 0xA4:
            chip_.setFuse(3, v);
            break;
        default:
            break;
        }
    } else if (op.devClass == 1 && (alg == 28 || alg == 41) && op.value >= 0) {
        const auto v = static_cast<std::uint8_t>(op.value);
        if ((v & 0xF0) == 0x10)
            chip_.setFuse(1, static_cast<std::uint8_t>(0xF0 | (v & 0x0F)));
        else if ((v & 0xE0) == 0xE0) {
            chip_.setFuse(0, v);
            chip_.setLockLevel(std::max(level, lockLevelOf(v, 0x03)));
        } else {
            chip_.setLockLevel(std::min(3, level + 1));
        }
    } else if (op.lockSel >= 0) {
        if (op.lockSel == 0 && op.value >= 0) {
            chip_.setFuse(0, static_cast<std::uint8_t>(op.value));
            chip_.setLockLevel(
                std::max(level, lockLevelOf(static_cast<std::uint8_t>(op.value), 0x03)));
        } else if (op.lockSel == 1 || op.lockSel == 2) {
            chip_.setLockLevel(std::max(level, op.lockSel));
        } else if (op.lockSel == 4) {
            chip_.setLockLevel(3);
        } // 8: x2 mode, no protection
    } else {
        chip_.setLockLevel(std::min(3, level + 1));
    }
    transcript_.event("lock", "{\"level\":" + std::to_string(chip_.lockLevel()) + "}");
    (void)io_.sendReply({kAck}, replyTries(op, 0));
}

std::uint8_t Firmware::idByte(std::uint32_t index) const {
    return index < profile_.id.size() ? profile_.id[index] : 0xFF;
}

// The identification byte at an ID address; signature rows at 0x30.., 0x20.., 0x60..,
// address-coded rows at multiples of 0x1000, the protect status at 0xFFF2.
std::uint8_t Firmware::idAt(const Operation& op, std::uint32_t addr, int k) const {
    const int cmd = op.cmd;
    if (cmd >= 0 && cmd != 0x30 && cmd != 0x28) {
        if (cmd == 0x58) return chip_.fuse(addr == 0x800 ? 2 : 0);
        if (cmd == 0x50) return chip_.fuse(addr == 0x800 ? 3 : 1);
        if (cmd == 0x38) return chip_.fuse(4);
        if (cmd == 0x24) return chip_.fuse(0);
        if (cmd == 0x21) return chip_.fuse(1);
        return 0xFF;
    }
    if (op.algCode == 10 && addr == 3) return chip_.fuse(0);
    std::uint32_t index = addr;
    if (addr >= 0x30 && addr <= 0x3F)
        index = addr - 0x30;
    else if (addr >= 0x20 && addr <= 0x2F)
        index = addr - 0x20;
    else if (addr == 0x60 || addr == 0x61)
        index = addr - 0x60 + 2;
    else if (addr == 0xFFF2)
        index = 2;
    else if (addr >= 0x1000 && (addr & 0xFFF) == 0)
        index = addr >> 12;
    if (op.bytesPerUnit == 2) return k == 0 ? 0x00 : idByte(index); // a word: 00, code
    return idByte(index);
}

void Firmware::doIdRead(const Operation& op) {
    std::vector<std::uint8_t> data;
    const std::uint32_t units = std::min<std::uint32_t>(op.units, 2112);
    for (std::uint32_t u = 0; u < units; ++u)
        for (int k = 0; k < op.bytesPerUnit; ++k)
            data.push_back(idAt(op, op.start + u, k));
    (void)io_.sendBulk(data);
}

void Firmware::doRamTest(const Operation& op) {
    std::vector<std::uint8_t> answer{kAck};
    if (!profile_.ramTestOk) {
        answer = {0x01, static_cast<std::uint8_t>(op.start >> 16),
                  static_cast<std::uint8_t>(op.start >> 8), static_cast<std::uint8_t>(op.start)};
    } else {
        for (const auto& [addr, stuck] : profile_.failingCells) {
            (void)stuck;
            if (addr >= op.start && addr <= op.end) {
                answer = {0x01, static_cast<std::uint8_t>(addr >> 16),
                          static_cast<std::uint8_t>(addr >> 8), static_cast<std::uint8_t>(addr)};
                break;
            }
        }
    }
    (void)io_.sendReply(answer, replyTries(op, 0));
}

} // namespace zelvor::emu
