#include "EmulatorFixture.h"

namespace zelvor::test {

bool EmulatorInstance::start(emu::EmulatorOptions options, std::string& error) {
    stop();
    auto e = std::make_unique<emu::Emulator>(std::move(options));
    if (!e->open(error)) return false;
    e->start();
    emu_ = std::move(e);
    return true;
}

void EmulatorInstance::stop() {
    if (emu_) emu_->stop();
    emu_.reset();
}

const std::string& EmulatorInstance::slavePath() const {
    static const std::string none;
    return emu_ ? emu_->slavePath() : none;
}

void EmulatorFixture::startEmulator(const ProfileKeys& keys, const std::vector<std::string>& faults,
                                    std::uint32_t seed) {
    emu::EmulatorOptions options;
    for (const auto& [key, value] : keys) {
        std::string error;
        ASSERT_TRUE(options.profile.set(key, value, error)) << error;
    }
    options.faults = faults;
    options.seed = seed;
    startEmulator(std::move(options));
}

void EmulatorFixture::startEmulator(emu::EmulatorOptions options) {
    options.transcriptInMemory = true;
    std::string error;
    ASSERT_TRUE(instance_.start(std::move(options), error)) << error;
}

void EmulatorFixture::TearDown() {
    instance_.stop();
}

std::vector<std::string> EmulatorFixture::transcriptOf(const std::string& kind) {
    std::vector<std::string> out;
    const std::string tag = "\"kind\":\"" + kind + "\"";
    for (const auto& line : transcript())
        if (line.find(tag) != std::string::npos) out.push_back(line);
    return out;
}

} // namespace zelvor::test
