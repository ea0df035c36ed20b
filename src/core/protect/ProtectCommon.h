#pragma once
// Small pieces the protection and service commands share: temporary memory-area and width
// switches, the command exchange (set-up packet plus one short reply) and the report of a
// configuration write.

#include "app/Session.h"

#include <functional>

namespace zelvor {

// opState of a command refused before anything was sent (chip without the capability, no
// layout, bad input). Internal: no message maps it, the refusal has been shown.
inline constexpr int kRefused = 97;

// Sets `area` for its lifetime.
class AreaScope {
  public:
    AreaScope(Session& s, qint32 area) : s_(s), saved_(s.op.area) { s.op.area = area; }
    ~AreaScope() { s_.op.area = saved_; }
    AreaScope(const AreaScope&) = delete;
    AreaScope& operator=(const AreaScope&) = delete;

  private:
    Session& s_;
    qint32 saved_;
};

// Sets RomParams::dataWidth for its lifetime.
class WidthScope {
  public:
    WidthScope(Session& s, qint32 width) : s_(s), saved_(s.rom.dataWidth) {
        s.rom.dataWidth = width;
    }
    ~WidthScope() { s_.rom.dataWidth = saved_; }
    WidthScope(const WidthScope&) = delete;
    WidthScope& operator=(const WidthScope&) = delete;

  private:
    Session& s_;
    qint32 saved_;
};

// Sends the set-up packet and reads one short reply into ansBuf with `tries` tries.
// 0 when both arrived (the caller judges ansBuf[0]), else 1.
[[nodiscard]] int commandExchange(Session& s, int tries);

// After a configuration write that the programmer accepted: reads the range back into
// auxBuf2 and compares it with auxBuf on the bits `mask` gives for each byte (bits a chip
// does not implement may read back otherwise). opState 15 on a difference, the read's code
// when it fails, else 0. `readWidth` is the data width for the read.
void verifyConfigWrite(Session& s, qint32 opLen, qint32 readWidth,
                       const std::function<quint8(int)>& mask);

// The end of a configuration write by opState: 0 "programmed"; 5 "Error of programming "
// and the programmer's mismatch record (the expected word taken from auxBuf, `opLen`
// bytes written); 9 and 15 nothing more; anything else the link error and a reopened port.
void reportConfigWrite(Session& s, qint32 opLen);

} // namespace zelvor
