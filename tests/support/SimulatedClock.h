#pragma once
// A clock for tests over a real line. Time is simulated: it moves when the core sleeps, and
// when the core waits for input while every other party on the line (an emulator, a
// scripted peer, each on its own thread) waits on this clock too; the core's wait then
// blocks no real time. While a party is busy, the core's waits block in real time and the
// clock stands still, so a party that is slow to answer never causes a time-out. Readings
// are therefore exact and independent of the machine's load.

#include "app/Clock.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace zelvor::test {

class SimulatedClock : public Clock {
  public:
    qint64 nowMs() override {
        std::lock_guard lock(m_);
        return now_;
    }
    void sleepMs(int ms) override { advance(ms); }
    int inputWaitMs(int ms) override {
        std::lock_guard lock(m_);
        if (ms <= 0 || int(wakeTimes_.size()) < parties_) return ms; // someone is at work
        qint64 step = ms;
        if (!wakeTimes_.empty())
            step = std::min(step, *std::min_element(wakeTimes_.begin(), wakeTimes_.end()) - now_);
        if (step <= 0) return ms; // a party is due and about to act
        now_ += step;
        cv_.notify_all();
        return 0;
    }

    // A party on another thread: joins before it acts, leaves when it is done.
    void join() {
        std::lock_guard lock(m_);
        ++parties_;
    }
    void leave() {
        std::lock_guard lock(m_);
        --parties_;
    }
    // Called by a party: blocks until the clock has moved on by `ms`.
    void sleepAsParty(int ms) {
        std::unique_lock lock(m_);
        const qint64 until = now_ + std::max(ms, 0);
        wakeTimes_.push_back(until);
        cv_.wait(lock, [&] { return now_ >= until; });
        wakeTimes_.erase(std::find(wakeTimes_.begin(), wakeTimes_.end(), until));
    }

  private:
    void advance(int ms) {
        std::lock_guard lock(m_);
        now_ += std::max(ms, 0);
        cv_.notify_all();
    }

    std::mutex m_;
    std::condition_variable cv_;
    qint64 now_ = 0;
    int parties_ = 0;
    std::vector<qint64> wakeTimes_; // of the parties asleep on the clock
};

} // namespace zelvor::test
