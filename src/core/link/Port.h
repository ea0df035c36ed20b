#pragma once
// The byte-level primitives of the programmer link: one port per session, opened at the
// rate of the current speed code, and the reads, writes and pauses everything else of the
// link is built on. None of them shows a message; callers map the codes.

#include "app/Session.h"

#include <algorithm>
#include <span>

namespace zelvor {

inline constexpr quint8 kAck = 0x55;
inline constexpr quint8 kNak = 0x01;

// Read time-outs: 500 ms between two bytes, 500 ms + 2 ms a byte in all.
inline constexpr int kReadIntervalMs = 500;
inline constexpr int kReadTotalMs = 500;
inline constexpr int kReadPerByteMs = 2;

// Size of each transfer buffer: a 2048-byte page plus a NAND spare area.
inline constexpr int kXferSize = 2112;

// The rate of a speed code: 0 9600, 1 57600, 2 115200, 4 230400, anything else 460800.
qint32 rateForCode(int baudIdx);

// Makes sure the exchange and auxiliary buffers exist (2112 bytes each).
void allocLinkBuffers(Session& s);

// True while the session's port is open.
bool linkPortOpen(const Session& s);

// Opens the device of port `port` (see PortMap) at the rate of settings.baudIdx, 8-N-1.
// Sets portBaud to the rate the driver reports. 0, or -1 when the port cannot be opened.
[[nodiscard]] int Open_com(Session& s, int port);
// 0, or -1 when no port was open.
int Close_com(Session& s);
// Closes and opens settings.comPort again; portFailed/portBaud follow the result. Does
// nothing in demo mode.
void Reopen_com(Session& s);

// Sends `count` bytes of `buf` from `offset`; returns once they have left. 0, or -1 when
// the write failed or the range lies outside `buf`.
[[nodiscard]] int Write_com(Session& s, std::span<const quint8> buf, int count, int offset = 0);
// Reads `count` bytes into `buf` from `offset` under the read time-outs; lastRead gets the
// number received. 0; -1 when the read failed (or the range lies outside `buf`); -2 when
// fewer than `count` bytes came.
[[nodiscard]] int Read_com(Session& s, std::span<quint8> buf, int count, int offset = 0);

// One byte through xferBuf[0]. 0, or 1 when the write failed.
[[nodiscard]] int Send_byte(Session& s, quint8 b);
// One answer byte into xferBuf[0]: 0 it was the ACK 0x55, 1 another byte, 2 none came.
[[nodiscard]] int Wait_ack(Session& s);
// One raw reply byte (the firmware version). 0 and `out` set, or 2 when none came. In demo
// mode 0 without touching `out`.
[[nodiscard]] int Read_byte(Session& s, quint8& out);

// Lets the front end process its events until `ms` have passed (at least once).
void Wait_ms(Session& s, int ms);

// The demo shortcut shared by every sender and receiver: in demo mode a short pause and
// `onDemo()`'s result instead of any traffic; otherwise `attempt()` up to `tries` times,
// 0 at the first success, else the last failure code. A code below -2 means a fault on this
// side that another attempt cannot mend, and is returned at once.
inline constexpr int kDemoPauseMs = 3;

template <class OnDemo, class Attempt>
[[nodiscard]] int linkExchange(Session& s, int tries, OnDemo onDemo, Attempt attempt) {
    if (s.link.demoMode == 1) {
        s.clock.sleepMs(kDemoPauseMs);
        return onDemo();
    }
    int rc = 0;
    for (int i = 0; i < std::max(tries, 1); ++i) {
        rc = attempt();
        if (rc == 0 || rc < -2) break;
    }
    return rc;
}

} // namespace zelvor
