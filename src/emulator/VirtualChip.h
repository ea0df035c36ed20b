#pragma once
// The chip in the socket: sparse memory per area, erased to 0xFF, with the physics of its
// family, lock state, fuse bytes, boot-block lockout and NAND bad blocks. Thread-safe.

#include "ChipProfile.h"

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace zelvor::emu {

// How a cell takes a new value.
enum class Physics {
    OneWay,   // EPROM and Flash: bits only go from 1 to 0; erasing brings them back
    UvEprom,  // as OneWay, and not erasable electrically
    AnyValue, // serial EEPROM, SRAM, self-erasing EEPROM and PIC cells
};

class VirtualChip {
  public:
    static constexpr int kAreas = 8; // 0 code, 1 data, 2 configuration, 3.. protection
    static constexpr int kFirmwareArea = 7;

    explicit VirtualChip(const ChipProfile& profile);

    // Loads the profile's image file into the code area; false with a message when it fails.
    [[nodiscard]] bool loadImage(std::string& error);

    // Raw access (bytes, as they travel on the wire), without physics or lock effects.
    std::uint8_t peek(int area, std::uint32_t byteAddr) const;
    void poke(int area, std::uint32_t byteAddr, std::uint8_t value);
    std::vector<std::uint8_t> peekRange(int area, std::uint32_t byteAddr, std::uint32_t n) const;

    // What a read of the chip returns (failing cells and lock effects applied).
    std::uint8_t read(int area, std::uint32_t byteAddr) const;
    std::vector<std::uint8_t> readRange(int area, std::uint32_t byteAddr, std::uint32_t n) const;

    // Programs one byte. Returns true when the cell now holds `value`; otherwise `found` is
    // what the cell holds (the mismatch record).
    [[nodiscard]] bool program(int area, std::uint32_t byteAddr, std::uint8_t value,
                               Physics physics, std::uint8_t& found);

    // Erases [from, to] of an area (bytes). Returns false when the chip refuses (UV EPROM,
    // bad block, locked boot block).
    [[nodiscard]] bool erase(int area, std::uint32_t from, std::uint32_t to, Physics physics);
    [[nodiscard]] bool eraseAll(Physics physics);

    // Erased value of a byte: 0xFF, or the top byte of a word narrower than 16 bits.
    void setWordWidth(int area, int width);
    std::uint8_t erasedValue(int area, std::uint32_t byteAddr) const;

    // Protection state.
    int lockLevel() const;
    void setLockLevel(int level);
    enum class LockedRead { Normal, AllOnes, AllZeros };
    void setLockedRead(LockedRead mode);
    std::uint8_t fuse(int index) const;
    void setFuse(int index, std::uint8_t value);
    bool bootBlockLocked(bool upper) const;
    void lockBootBlock(bool upper);
    bool sdpEnabled() const;
    void setSdp(bool on);

    // NAND: marks bad blocks in the spare area of their first page.
    void markBadBlocks(std::uint32_t blockBytes, std::uint32_t pageBytes, std::uint32_t spareAt);
    bool isBadByte(std::uint32_t byteAddr) const;

    std::uint32_t sizeBytes() const { return size_; }
    void setSizeBytes(std::uint32_t bytes);

  private:
    static constexpr std::uint32_t kPage = 4096;
    using Page = std::array<std::uint8_t, kPage>;

    std::uint8_t rawLocked(int area, std::uint32_t byteAddr) const;
    std::uint8_t readLocked(int area, std::uint32_t byteAddr) const;
    void pokeLocked(int area, std::uint32_t byteAddr, std::uint8_t value);
    bool inLockedBootBlock(std::uint32_t byteAddr) const;

    mutable std::mutex mutex_;
    ChipProfile profile_;
    std::array<std::map<std::uint32_t, Page>, kAreas> memory_;
    std::array<int, kAreas> wordWidth_{};
    std::map<std::uint32_t, std::uint8_t> stuck_;
    std::set<std::uint32_t> badBlocks_; // block numbers
    std::uint32_t badBlockBytes_ = 0;
    std::uint32_t size_ = 0;
    int lockLevel_ = 0;
    LockedRead lockedRead_ = LockedRead::AllOnes;
    std::array<std::uint8_t, 8> fuses_{};
    bool bblLower_ = false;
    bool bblUpper_ = false;
    bool sdp_ = true;
};

} // namespace zelvor::emu
