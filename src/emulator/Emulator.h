#pragma once
// A whole virtual programmer: line, chip, faults, transcript and firmware, served on its own
// thread (for tests and embedding) or on the caller's thread (the zelvor-emu program).

#include "ChipProfile.h"
#include "FaultPlan.h"
#include "Firmware.h"
#include "SerialEndpoint.h"
#include "Transcript.h"
#include "VirtualChip.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace zelvor::emu {

struct EmulatorOptions {
    ChipProfile profile;
    std::vector<std::string> faults; // fault specs
    std::uint32_t seed = 1;
    std::string transcriptPath;
    bool transcriptInMemory = false;
    bool pacing = false;
    std::string tty; // serve this device instead of a new pty
    int baud = 9600;
    // How an erase spends its time (tests put it on their simulated clock); empty: a real
    // pause of that many milliseconds.
    std::function<void(int ms)> eraseDelay;
};

class Emulator {
  public:
    explicit Emulator(EmulatorOptions options);
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Opens the line, loads the image and parses the faults; false with a message.
    [[nodiscard]] bool open(std::string& error);
    // Serves on a new thread (after open).
    void start();
    // Serves on the calling thread until stop() (from another thread or a signal handler).
    void run();
    void stop();

    const std::string& slavePath() const { return port_.slavePath(); }
    // True once no packet is being served and no input waits, for at least quietMs.
    [[nodiscard]] bool waitIdle(int timeoutMs, int quietMs = 30);

    VirtualChip& chip() { return *chip_; }
    Transcript& transcript() { return transcript_; }
    FaultPlan& faults() { return faults_; }
    int baud() const { return port_.baud(); }
    std::uint64_t packetsServed() const { return firmware_ ? firmware_->packetsServed() : 0; }

  private:
    EmulatorOptions options_;
    SerialEndpoint port_;
    Transcript transcript_;
    FaultPlan faults_;
    std::unique_ptr<VirtualChip> chip_;
    std::unique_ptr<Firmware> firmware_;
    std::thread thread_;
};

} // namespace zelvor::emu
