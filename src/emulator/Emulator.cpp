#include "Emulator.h"

#include <chrono>

namespace zelvor::emu {

Emulator::Emulator(EmulatorOptions options)
    : options_(std::move(options)), faults_(options_.seed),
      chip_(std::make_unique<VirtualChip>(options_.profile)) {}

Emulator::~Emulator() {
    stop();
}

bool Emulator::open(std::string& error) {
    for (const auto& spec : options_.faults)
        if (!faults_.add(spec, error)) return false;
    if (!chip_->loadImage(error)) return false;
    if (!options_.transcriptPath.empty() && !transcript_.open(options_.transcriptPath)) {
        error = "cannot create transcript file \"" + options_.transcriptPath + "\"";
        return false;
    }
    transcript_.keepInMemory(options_.transcriptInMemory);
    port_.setBaud(options_.baud);
    port_.setPacing(options_.pacing);
    const bool ok =
        options_.tty.empty() ? port_.openPty(error) : port_.openTty(options_.tty, error);
    if (!ok) return false;
    firmware_ = std::make_unique<Firmware>(options_.profile, port_, *chip_, faults_, transcript_);
    firmware_->setEraseDelay(options_.eraseDelay);
    return true;
}

void Emulator::start() {
    if (firmware_ && !thread_.joinable()) thread_ = std::thread([this] { firmware_->run(); });
}

void Emulator::run() {
    if (firmware_) firmware_->run();
}

void Emulator::stop() {
    port_.requestStop();
    if (thread_.joinable()) thread_.join();
}

bool Emulator::waitIdle(int timeoutMs, int quietMs) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(timeoutMs);
    auto quietSince = steady_clock::now();
    std::uint64_t lastServed = packetsServed();
    while (steady_clock::now() < end) {
        const bool busy = firmware_ && firmware_->busy();
        if (busy || packetsServed() != lastServed) {
            lastServed = packetsServed();
            quietSince = steady_clock::now();
        } else if (steady_clock::now() - quietSince >= milliseconds(quietMs)) {
            return true;
        }
        std::this_thread::sleep_for(milliseconds(2));
    }
    return false;
}

} // namespace zelvor::emu
