#include "ops/ProgressPace.h"

#include "ops/Engine.h"

namespace zelvor {

void ProgressPace::begin(qint64 nowMs) {
    lastRepaint_ = nowMs;
}

bool ProgressPace::barDue(qint64 nowMs, int position) {
    const bool edge = position <= 0 || position >= kProgressMax;
    if (!edge && nowMs - lastRepaint_ < kBarRepaintMs) return false;
    lastRepaint_ = nowMs;
    return true;
}

} // namespace zelvor
