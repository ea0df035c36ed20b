#pragma once
// The virtual chip in the socket: what the packets cannot tell (width, class, page size...)
// and the chip's own data (ID bytes, image, bad blocks, failing cells, test results).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zelvor::emu {

struct ChipProfile {
    int devClass = -1;           // -1: inferred from the packet
    int algCode = -1;            // -1: whatever the host sends
    int dataWidth = 0;           // 0: by algorithm (16 for word algorithms, 14 for PIC16, else 8)
    int variant = 0;             // for the few algorithms whose packets do not show it (62)
    int pageSize = 0;            // page Flash page length with spare; 0: by algorithm
    std::uint32_t size = 0;      // chip size in units; 0: unlimited
    std::uint32_t blockSize = 0; // erase sector/block in units; 0: by algorithm
    std::vector<std::uint32_t> sectors; // explicit sector starts (boot-block chips)
    std::vector<std::uint8_t> id{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::string image;                    // file loaded into the code area
    std::uint32_t imageOffset = 0;        // byte offset of the image in the code area
    std::vector<std::uint32_t> badBlocks; // NAND block numbers
    std::vector<std::pair<std::uint32_t, std::uint8_t>> failingCells; // byte address, stuck value
    bool ramTestOk = true;
    std::uint8_t version = 0x21;
    std::vector<std::uint8_t> fuses{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}; // lock, low, high, ext, cal
    int eraseMs = -1;                                              // -1: by algorithm
    int lockLevel = 0;                                             // initial lock state
    std::uint32_t bootBlock = 0x4000; // boot-block lockout size in bytes

    // Applies one key=value setting; false with a message in `error` for a bad key or value.
    [[nodiscard]] bool set(const std::string& key, const std::string& value, std::string& error);
    // Reads a profile file: one key=value a line, '#' starts a comment.
    [[nodiscard]] bool loadFile(const std::string& path, std::string& error);

    static const char* helpText();
};

// Parses "0x1F", "1F" (with hex=true) or "31"; false on garbage.
[[nodiscard]] bool parseNumber(const std::string& text, std::uint32_t& out,
                               bool hexDefault = false);
// Parses a list of numbers separated by blanks or commas.
[[nodiscard]] bool parseNumberList(const std::string& text, std::vector<std::uint32_t>& out,
                                   bool hexDefault = false);

} // namespace zelvor::emu
