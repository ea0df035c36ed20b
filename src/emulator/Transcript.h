#pragma once
// One JSON line per packet, frame or event, both directions, to a file and/or memory.

#include <chrono>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace zelvor::emu {

class Transcript {
  public:
    Transcript();

    // Opens (truncates) the transcript file; false when it cannot be created.
    [[nodiscard]] bool open(const std::string& path);
    void keepInMemory(bool on) { keep_ = on; }

    // dir: "host" (received) or "emu" (sent) or "event"; kind: setup, ack, bulk, reply,
    // piece, byte, fault, ...; fields: a JSON object text or empty.
    void record(const char* dir, const char* kind, const std::uint8_t* data, std::size_t n,
                const std::string& fields = {});
    void event(const char* kind, const std::string& fields);

    std::vector<std::string> lines() const;
    void clear();

    static std::string hex(const std::uint8_t* data, std::size_t n);

  private:
    void write(const std::string& line);

    mutable std::mutex mutex_;
    std::ofstream file_;
    bool keep_ = false;
    std::vector<std::string> lines_;
    std::uint64_t seq_ = 0;
    std::chrono::steady_clock::time_point t0_;
};

} // namespace zelvor::emu
