#pragma once
// A small host for end-to-end tests of the emulator: the slave side of the pty in raw mode
// (termios) and the link primitives with the host's documented codes and time-outs
// (500 ms between bytes, 500 ms + 2 ms a byte in all). Independent of the core's link layer.

#include <cstdint>
#include <string>
#include <vector>

namespace zelvor::test {

class RawHost {
  public:
    ~RawHost();
    bool open(const std::string& path);
    void close();

    bool write(const std::vector<std::uint8_t>& bytes);
    // Reads up to n bytes under the host's time-outs; returns what came.
    std::vector<std::uint8_t> read(int n);

    // Builds the packet from B1..B8 (B9 computed).
    static std::vector<std::uint8_t> packet(std::vector<std::uint8_t> b1to8);

    // The host's primitives and their codes:
    int makeMode(const std::vector<std::uint8_t>& pkt);  // 0 ack, 1 other byte, 2 none
    int sendMode(const std::vector<std::uint8_t>& pkt);  // twice at most
    int rdBlock(int n, std::vector<std::uint8_t>& out);  // 0, 55, -2
    int rdBlockR(int n, std::vector<std::uint8_t>& out); // twice at most
    int rdReply(std::vector<std::uint8_t>& out);         // 0, 1, 3, 4, 7
    int rdReplyR(std::vector<std::uint8_t>& out, int tries);
    int wrBlock(const std::vector<std::uint8_t>& data); // 0, 1
    int wrBlockR(const std::vector<std::uint8_t>& data);

    // A whole program block: packet, ready reply, pieces of lenBl with one-byte replies.
    // Returns 0, 1 (packet), 6 (ready), 2 (piece), 5 (reply not one byte; `reply` holds it),
    // or the reply's failure code.
    int programBlock(const std::vector<std::uint8_t>& pkt, const std::vector<std::uint8_t>& data,
                     int lenBl, std::vector<std::uint8_t>& reply);

  private:
    int fd_ = -1;
};

std::uint8_t sum8(const std::vector<std::uint8_t>& data);

} // namespace zelvor::test
