#pragma once
// The 10-byte set-up packet as it arrives from the host, and the operation it describes.

#include <array>
#include <cstdint>
#include <string>

namespace zelvor::emu {

inline constexpr std::uint8_t kPacketLead = 0x07;
inline constexpr std::uint8_t kAck = 0x55;
inline constexpr std::uint8_t kNak = 0x01;

struct SetupPacket {
    std::array<std::uint8_t, 10> b{};

    // Additive checksum of B1..B8 (B0 is not included).
    std::uint8_t expectedChecksum() const;
    bool checksumOk() const { return b[0] == kPacketLead && expectedChecksum() == b[9]; }
    std::string hex() const;
};

// What the programmer makes of one packet: the operation, the chip family and the range.
struct Operation {
    SetupPacket raw;
    int opCode = 0;
    int algCode = 0;
    int devClass = 2;
    int area = 0;
    bool lowVcc = false;
    bool pageAddressed = false;
    std::uint32_t start = 0; // first unit (address in the chip's units)
    std::uint32_t end = 0;   // last unit
    std::uint32_t count = 0; // the count word L (B7:B8)
    std::uint32_t units = 0; // units covered by a read, blank check or program
    int bytesPerUnit = 1;    // bytes per unit on the wire
    int pieces = 0;          // >0: a program exchange of this many pieces (page chips)
    int cmd = -1;            // serial command byte (B3 for reads, B6 for writes), -1 none
    int lockSel = -1;        // lock selector carried in B3, -1 none
    int value = -1;          // lock or fuse value carried by a write command, -1 none
    int speedCode = 0;       // opCode 4
    bool eraseFlag = false;  // electrical erase requested for a window-erasable EPROM

    std::uint32_t byteCount() const { return units * static_cast<std::uint32_t>(bytesPerUnit); }
    // Decoded fields as a JSON object text.
    std::string json() const;
};

const char* opCodeName(int opCode);

} // namespace zelvor::emu
