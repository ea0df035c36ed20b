#pragma once
// The read time-out rule of the link, kept apart from the port so that it can be checked
// against a fake clock: the first byte may take the whole budget, every later byte must
// follow the previous one within the interval.

#include "app/Clock.h"

#include <QtGlobal>

#include <functional>

namespace zelvor {

// Where the bytes come from: a serial port, or a script in tests.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Copies up to `max` bytes that have already arrived; 0 when none, -1 on a failure.
    virtual int take(quint8* dest, int max) = 0;
    // Blocks until more bytes may be there or `ms` have passed. False when the source
    // failed (a time-out is not a failure).
    virtual bool wait(int ms) = 0;
};

// How often a waiting read lets the front end run.
inline constexpr int kIdleSliceMs = 50;

// Reads up to `count` bytes. Stops after `totalMs` in all, or when more than `intervalMs`
// pass between two bytes (that interval only runs once the first byte has come). While it
// waits, `idle` (when given) runs every kIdleSliceMs; bytes are still taken as soon as they
// arrive. Returns the number of bytes read, or -1 when the source failed.
[[nodiscard]] int timedRead(Clock& clock, ByteSource& source, quint8* dest, int count,
                            int intervalMs, int totalMs, const std::function<void()>& idle = {});

} // namespace zelvor
