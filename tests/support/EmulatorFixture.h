#pragma once
// Starts a virtual programmer (zelvor-emu's library, on its own thread) on a fresh
// pseudo-terminal for one test and tears it down afterwards.
//
//   class MyTest : public zelvor::test::EmulatorFixture {};
//   TEST_F(MyTest, Reads) {
//       startEmulator({{"alg", "19"}});
//       port.open(slavePath()) ...
//       ASSERT_TRUE(waitIdle());
//       EXPECT_EQ(chip().peek(0, 0), 0xFF);
//   }

#include "Emulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zelvor::test {

using ProfileKeys = std::vector<std::pair<std::string, std::string>>;

// An emulator that lives as long as the object; usable outside GoogleTest fixtures too.
class EmulatorInstance {
  public:
    EmulatorInstance() = default;
    ~EmulatorInstance() { stop(); }
    EmulatorInstance(const EmulatorInstance&) = delete;
    EmulatorInstance& operator=(const EmulatorInstance&) = delete;

    // Opens the pty and starts serving; false with `error` set.
    [[nodiscard]] bool start(emu::EmulatorOptions options, std::string& error);
    void stop();
    bool running() const { return emu_ != nullptr; }

    const std::string& slavePath() const;
    emu::Emulator& emulator() { return *emu_; }

  private:
    std::unique_ptr<emu::Emulator> emu_;
};

class EmulatorFixture : public ::testing::Test {
  protected:
    // Starts the emulator with profile keys (as zelvor-emu --set KEY=VALUE) and fault specs.
    // The transcript is kept in memory. A failure is fatal for the test.
    void startEmulator(const ProfileKeys& keys = {}, const std::vector<std::string>& faults = {},
                       std::uint32_t seed = 1);
    void startEmulator(emu::EmulatorOptions options);
    void TearDown() override;

    const std::string& slavePath() const { return instance_.slavePath(); }
    emu::Emulator& emulator() { return instance_.emulator(); }
    emu::VirtualChip& chip() { return instance_.emulator().chip(); }
    std::vector<std::string> transcript() { return instance_.emulator().transcript().lines(); }
    // Transcript lines whose kind is `kind`.
    std::vector<std::string> transcriptOf(const std::string& kind);
    // Waits until the emulator has finished the exchange in hand.
    [[nodiscard]] bool waitIdle(int timeoutMs = 5000) { return emulator().waitIdle(timeoutMs); }

  private:
    EmulatorInstance instance_;
};

} // namespace zelvor::test
