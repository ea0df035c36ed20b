#include "app/Clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

namespace zelvor {

namespace {
qint64 monotonicMs() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}
} // namespace

SystemClock::SystemClock() : origin_(monotonicMs()) {}

qint64 SystemClock::nowMs() {
    return monotonicMs() - origin_;
}

void SystemClock::sleepMs(int ms) {
    if (ms > 0) QThread::msleep(ulong(ms));
}

} // namespace zelvor
