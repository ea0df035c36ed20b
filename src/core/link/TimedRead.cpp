#include "link/TimedRead.h"

#include <algorithm>

namespace zelvor {

int timedRead(Clock& clock, ByteSource& source, quint8* dest, int count, int intervalMs,
              int totalMs, const std::function<void()>& idle) {
    if (count <= 0) return 0;
    const qint64 start = clock.nowMs();
    const qint64 totalDeadline = start + totalMs;
    qint64 idleDue = start + kIdleSliceMs;
    qint64 lastByteAt = -1;
    bool idleSinceWait = false;
    int got = 0;
    while (got < count) {
        if (idle && clock.nowMs() >= idleDue) {
            idle();
            idleDue = clock.nowMs() + kIdleSliceMs;
            idleSinceWait = true;
        }
        const int n = source.take(dest + got, count - got);
        if (n < 0) return -1;
        const qint64 now = clock.nowMs();
        if (n > 0) {
            got += n;
            lastByteAt = now;
            continue;
        }
        qint64 deadline = totalDeadline;
        if (lastByteAt >= 0) deadline = std::min(deadline, lastByteAt + intervalMs);
        if (now >= deadline) {
            // The front end may have run past the deadline while bytes reached the driver:
            // look once more before giving up.
            if (!idleSinceWait) break;
            if (!source.wait(0)) return -1;
            const int late = source.take(dest + got, count - got);
            if (late < 0) return -1;
            if (late == 0) break;
            got += late;
            lastByteAt = now;
            idleSinceWait = false;
            continue;
        }
        const qint64 until = idle ? std::min(deadline, idleDue) : deadline;
        idleSinceWait = false;
        if (!source.wait(int(std::max<qint64>(until - now, 0)))) return -1;
    }
    return got;
}

} // namespace zelvor
