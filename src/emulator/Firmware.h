#pragma once
// The programmer's firmware: waits for set-up packets, acknowledges them and runs each
// operation's exchange against the virtual chip.

#include "ChipProfile.h"
#include "FaultPlan.h"
#include "FrameIo.h"
#include "PacketDecoder.h"
#include "SerialEndpoint.h"
#include "Transcript.h"
#include "VirtualChip.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace zelvor::emu {

class Firmware {
  public:
    Firmware(const ChipProfile& profile, SerialEndpoint& port, VirtualChip& chip, FaultPlan& faults,
             Transcript& transcript);

    // Serves packets until a stop is requested.
    void run();
    // Waits for one packet (up to pollMs) and serves it; false when stopped.
    bool serveOne(int pollMs = 200);

    // Replaces the real pause of an erase (see EmulatorOptions::eraseDelay).
    void setEraseDelay(std::function<void(int ms)> delay) { eraseDelay_ = std::move(delay); }

    bool busy() const { return busy_; }
    std::uint64_t packetsServed() const { return served_; }
    bool loaderMode() const { return loader_; }

    static int baudForCode(int code);
    static Physics physicsFor(const Operation& op);

  private:
    void dispatch(const Operation& op);
    void doRead(const Operation& op);
    void doProgram(const Operation& op);
    void doErase(const Operation& op);
    void doBlankCheck(const Operation& op);
    void doLockWrite(const Operation& op);
    void doIdRead(const Operation& op);
    void doRamTest(const Operation& op);
    void doSpeed(const Operation& op);

    int areaOf(const Operation& op) const;
    std::uint32_t firstByte(const Operation& op) const;
    void prepareChip(const Operation& op);
    std::uint8_t idByte(std::uint32_t index) const;
    std::uint8_t idAt(const Operation& op, std::uint32_t addr, int k) const;
    int eraseMsFor(const Operation& op, bool sector) const;
    // How many times the host reads a short reply of this operation (phase: 0 the answer,
    // 1 a program block's ready reply, 2 a piece's reply).
    static int replyTries(const Operation& op, int phase);
    bool sectorBounds(const Operation& op, std::uint32_t& from, std::uint32_t& to) const;
    void noteDataLock(const Operation& op, std::uint32_t unit, std::uint8_t value);
    static int lockLevelOf(std::uint8_t value, std::uint8_t mask);

    const ChipProfile& profile_;
    std::function<void(int ms)> eraseDelay_;
    SerialEndpoint& port_;
    VirtualChip& chip_;
    FaultPlan& faults_;
    Transcript& transcript_;
    PacketDecoder decoder_;
    FrameIo io_;
    std::atomic<bool> busy_{false};
    std::atomic<std::uint64_t> served_{0};
    bool loader_ = false;
    bool nandMarked_ = false;
};

} // namespace zelvor::emu
