#pragma once
// A clock that only moves when told to (sleepMs advances it at once).

#include "app/Clock.h"

namespace zelvor::test {

class FakeClock : public Clock {
  public:
    qint64 now = 0;
    qint64 nowMs() override { return now; }
    void sleepMs(int ms) override { now += ms; }
    void advance(qint64 ms) { now += ms; }
};

} // namespace zelvor::test
