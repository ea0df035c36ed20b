#include "link/TimedRead.h"

#include <algorithm>

namespace zelvor {

int timedRead(Clock& clock, ByteSource& source, quint8* dest, int count, int intervalMs,
              int totalMs) {
    if (count <= 0) return 0;
    const qint64 start = clock.nowMs();
    const qint64 totalDeadline = start + totalMs;
    qint64 lastByteAt = -1;
    int got = 0;
    while (got < count) {
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
        if (now >= deadline) break;
        if (!source.wait(int(deadline - now))) return -1;
    }
    return got;
}

} // namespace zelvor
