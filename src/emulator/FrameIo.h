#pragma once
// Frame level of the programmer's side: acknowledgements, short replies, bulk frames and the
// host's data pieces, with checksums, resends on 0x01, fault injection and the transcript.

#include "FaultPlan.h"
#include "SerialEndpoint.h"
#include "Transcript.h"

#include <cstdint>
#include <vector>

namespace zelvor::emu {

class FrameIo {
  public:
    FrameIo(SerialEndpoint& port, FaultPlan& faults, Transcript& transcript)
        : port_(port), faults_(faults), transcript_(transcript) {}

    enum class Outcome { Done, Abandoned, Stopped };

    // Starts the faults of one operation (disconnect budget).
    void beginOperation(int opCode);
    int opCode() const { return opCode_; }

    // Sends raw bytes (ack bytes, the version byte), honouring slow and disconnect faults.
    [[nodiscard]] bool sendRaw(const std::uint8_t* data, std::size_t n, const char* kind,
                               const std::string& fields = {});
    [[nodiscard]] bool sendByte(std::uint8_t b, const char* kind);

    // Short reply: n-1, data, checksum; resent on 0x01 as long as the host still has one of
    // its `tries` left (a frame the host no longer waits for would sit in its input).
    Outcome sendReply(const std::vector<std::uint8_t>& data, int tries);
    // Bulk frame: data, checksum; the host reads it twice at most.
    Outcome sendBulk(const std::vector<std::uint8_t>& data);

    enum class Piece { Ok, BadChecksum, Timeout, Stopped };
    // Reads one host piece (n-1, data, checksum). `frame` gets every byte received.
    Piece readPiece(std::vector<std::uint8_t>& data, std::vector<std::uint8_t>& frame,
                    int timeoutMs);

    // Strikes a fault of `kind` at `at` for the current operation, noting it in the transcript.
    const FaultRule* strike(FaultKind kind, FaultAt at);

  private:
    Outcome sendFrame(std::vector<std::uint8_t> frame, bool bulk, std::size_t dataLen, int tries);
    void applySlow();

    SerialEndpoint& port_;
    FaultPlan& faults_;
    Transcript& transcript_;
    int opCode_ = -1;
    long long budget_ = -1; // bytes left before a disconnect, -1 none
    int deafMs_ = -1;
};

} // namespace zelvor::emu
