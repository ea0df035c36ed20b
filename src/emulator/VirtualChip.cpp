#include "VirtualChip.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zelvor::emu {

VirtualChip::VirtualChip(const ChipProfile& profile) : profile_(profile) {
    wordWidth_.fill(8);
    fuses_.fill(0xFF);
    for (std::size_t i = 0; i < profile.fuses.size() && i < fuses_.size(); ++i)
        fuses_[i] = profile.fuses[i];
    for (const auto& [addr, value] : profile.failingCells)
        stuck_[addr] = value;
    lockLevel_ = profile.lockLevel;
}

bool VirtualChip::loadImage(std::string& error) {
    if (profile_.image.empty()) return true;
    std::ifstream in(profile_.image, std::ios::binary);
    if (!in) {
        error = "cannot open image file \"" + profile_.image + "\"";
        return false;
    }
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < data.size(); ++i)
        pokeLocked(0, profile_.imageOffset + static_cast<std::uint32_t>(i),
                   static_cast<std::uint8_t>(data[i]));
    return true;
}

void VirtualChip::setSizeBytes(std::uint32_t bytes) {
    std::lock_guard lock(mutex_);
    size_ = bytes;
}

void VirtualChip::setWordWidth(int area, int width) {
    std::lock_guard lock(mutex_);
    if (area >= 0 && area < kAreas) wordWidth_[area] = width;
}

std::uint8_t VirtualChip::erasedValue(int area, std::uint32_t byteAddr) const {
    const int width = area >= 0 && area < kAreas ? wordWidth_[area] : 8;
    if (width > 8 && width < 16 && (byteAddr & 1) == 0)
        return static_cast<std::uint8_t>(0xFF >> (16 - width));
    return 0xFF;
}

std::uint8_t VirtualChip::rawLocked(int area, std::uint32_t byteAddr) const {
    if (area < 0 || area >= kAreas) return 0xFF;
    const auto& pages = memory_[area];
    auto it = pages.find(byteAddr / kPage);
    if (it == pages.end()) return erasedValue(area, byteAddr);
    return it->second[byteAddr % kPage];
}

void VirtualChip::pokeLocked(int area, std::uint32_t byteAddr, std::uint8_t value) {
    if (area < 0 || area >= kAreas) return;
    auto& pages = memory_[area];
    auto it = pages.find(byteAddr / kPage);
    if (it == pages.end()) {
        Page fresh;
        const std::uint32_t base = byteAddr / kPage * kPage;
        for (std::uint32_t i = 0; i < kPage; ++i)
            fresh[i] = erasedValue(area, base + i);
        it = pages.emplace(byteAddr / kPage, fresh).first;
    }
    it->second[byteAddr % kPage] = value;
}

std::uint8_t VirtualChip::peek(int area, std::uint32_t byteAddr) const {
    std::lock_guard lock(mutex_);
    return rawLocked(area, byteAddr);
}

void VirtualChip::poke(int area, std::uint32_t byteAddr, std::uint8_t value) {
    std::lock_guard lock(mutex_);
    pokeLocked(area, byteAddr, value);
}

std::vector<std::uint8_t> VirtualChip::peekRange(int area, std::uint32_t byteAddr,
                                                 std::uint32_t n) const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> out(n);
    for (std::uint32_t i = 0; i < n; ++i)
        out[i] = rawLocked(area, byteAddr + i);
    return out;
}

std::uint8_t VirtualChip::read(int area, std::uint32_t byteAddr) const {
    std::lock_guard lock(mutex_);
    return readLocked(area, byteAddr);
}

std::vector<std::uint8_t> VirtualChip::readRange(int area, std::uint32_t byteAddr,
                                                 std::uint32_t n) const {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> out(n);
    const bool plain = !(area == 0 && (lockLevel_ >= 2 || !stuck_.empty()));
    std::uint32_t i = 0;
    while (i < n) {
        const std::uint32_t at = byteAddr + i;
        const std::uint32_t run = std::min(n - i, kPage - at % kPage);
        auto it =
            plain && area >= 0 && area < kAreas ? memory_[area].find(at / kPage) : memory_[0].end();
        if (plain && area >= 0 && area < kAreas && it != memory_[area].end()) {
            std::copy_n(it->second.begin() + at % kPage, run, out.begin() + i);
        } else {
            for (std::uint32_t k = 0; k < run; ++k)
                out[i + k] = readLocked(area, at + k);
        }
        i += run;
    }
    return out;
}

std::uint8_t VirtualChip::readLocked(int area, std::uint32_t byteAddr) const {
    if (area == 0 && lockLevel_ >= 2) {
        if (lockedRead_ == LockedRead::AllOnes) return 0xFF;
        if (lockedRead_ == LockedRead::AllZeros) return 0x00;
    }
    if (area == 0) {
        auto it = stuck_.find(byteAddr);
        if (it != stuck_.end()) return it->second;
    }
    return rawLocked(area, byteAddr);
}

bool VirtualChip::inLockedBootBlock(std::uint32_t byteAddr) const {
    if (bblLower_ && byteAddr < profile_.bootBlock) return true;
    if (bblUpper_ && size_ > profile_.bootBlock && byteAddr >= size_ - profile_.bootBlock)
        return true;
    return false;
}

bool VirtualChip::program(int area, std::uint32_t byteAddr, std::uint8_t value, Physics physics,
                          std::uint8_t& found) {
    std::lock_guard lock(mutex_);
    const std::uint8_t old = rawLocked(area, byteAddr);
    found = old;
    if (area == 0) {
        auto it = stuck_.find(byteAddr);
        if (it != stuck_.end()) {
            found = it->second;
            return value == it->second;
        }
        if (lockLevel_ >= 1 || inLockedBootBlock(byteAddr) || (size_ && byteAddr >= size_))
            return value == old;
    }
    std::uint8_t next = value;
    if (physics != Physics::AnyValue) next = static_cast<std::uint8_t>(old & value);
    pokeLocked(area, byteAddr, next);
    found = next;
    return next == value;
}

bool VirtualChip::erase(int area, std::uint32_t from, std::uint32_t to, Physics physics) {
    std::lock_guard lock(mutex_);
    if (physics == Physics::UvEprom) return false;
    if (area < 0 || area >= kAreas || to < from) return true;
    if (area == 0 && badBlockBytes_) {
        for (std::uint32_t blk = from / badBlockBytes_; blk <= to / badBlockBytes_; ++blk)
            if (badBlocks_.count(blk)) return false;
    }
    if (area == 0 && (inLockedBootBlock(from) || inLockedBootBlock(to))) return false;
    auto& pages = memory_[area];
    for (auto it = pages.lower_bound(from / kPage); it != pages.end() && it->first <= to / kPage;) {
        const std::uint32_t base = it->first * kPage;
        if (base >= from && base + kPage - 1 <= to) {
            it = pages.erase(it);
            continue;
        }
        for (std::uint32_t i = 0; i < kPage; ++i)
            if (base + i >= from && base + i <= to) it->second[i] = erasedValue(area, base + i);
        ++it;
    }
    return true;
}

bool VirtualChip::eraseAll(Physics physics) {
    {
        std::lock_guard lock(mutex_);
        if (physics == Physics::UvEprom) return false;
        for (int a = 1; a < kAreas; ++a)
            if (a != kFirmwareArea) memory_[a].clear();
        // A locked-out boot block survives a chip erase.
        std::map<std::uint32_t, Page> kept;
        for (auto& [index, page] : memory_[0])
            if (inLockedBootBlock(index * kPage) || inLockedBootBlock(index * kPage + kPage - 1))
                kept.emplace(index, page);
        memory_[0] = std::move(kept);
        lockLevel_ = 0;
        fuses_[0] = 0xFF;
    }
    return true;
}

int VirtualChip::lockLevel() const {
    std::lock_guard lock(mutex_);
    return lockLevel_;
}

void VirtualChip::setLockLevel(int level) {
    std::lock_guard lock(mutex_);
    lockLevel_ = level;
}

void VirtualChip::setLockedRead(LockedRead mode) {
    std::lock_guard lock(mutex_);
    lockedRead_ = mode;
}

std::uint8_t VirtualChip::fuse(int index) const {
    std::lock_guard lock(mutex_);
    return index >= 0 && index < static_cast<int>(fuses_.size()) ? fuses_[index] : 0xFF;
}

void VirtualChip::setFuse(int index, std::uint8_t value) {
    std::lock_guard lock(mutex_);
    if (index >= 0 && index < static_cast<int>(fuses_.size())) fuses_[index] = value;
}

bool VirtualChip::bootBlockLocked(bool upper) const {
    std::lock_guard lock(mutex_);
    return upper ? bblUpper_ : bblLower_;
}

void VirtualChip::lockBootBlock(bool upper) {
    std::lock_guard lock(mutex_);
    (upper ? bblUpper_ : bblLower_) = true;
}

bool VirtualChip::sdpEnabled() const {
    std::lock_guard lock(mutex_);
    return sdp_;
}

void VirtualChip::setSdp(bool on) {
    std::lock_guard lock(mutex_);
    sdp_ = on;
}

void VirtualChip::markBadBlocks(std::uint32_t blockBytes, std::uint32_t pageBytes,
                                std::uint32_t spareAt) {
    std::lock_guard lock(mutex_);
    badBlockBytes_ = blockBytes;
    badBlocks_.clear();
    for (auto blk : profile_.badBlocks) {
        badBlocks_.insert(blk);
        const std::uint32_t base = blk * blockBytes;
        pokeLocked(0, base + spareAt, 0x00);
        if (pageBytes < 2048 && spareAt + 5 < pageBytes) pokeLocked(0, base + spareAt + 5, 0x00);
    }
}

bool VirtualChip::isBadByte(std::uint32_t byteAddr) const {
    std::lock_guard lock(mutex_);
    return badBlockBytes_ && badBlocks_.count(byteAddr / badBlockBytes_);
}

} // namespace zelvor::emu
