#pragma once
// Time seen by the core: injected so that time-out rules can be tested without waiting.

#include <QtGlobal>

namespace zelvor {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() = 0;
    virtual void sleepMs(int ms) = 0;
    // How many real milliseconds the thread may block while it waits up to `ms` of this
    // clock's time for input that can end the wait early. Real time: `ms`. A clock that
    // simulates time moves itself on by `ms` and keeps the real wait short.
    virtual int inputWaitMs(int ms) { return ms; }
};

// Wall-clock time of the process.
class SystemClock final : public Clock {
  public:
    SystemClock();
    qint64 nowMs() override;
    void sleepMs(int ms) override;

  private:
    qint64 origin_;
};

} // namespace zelvor
