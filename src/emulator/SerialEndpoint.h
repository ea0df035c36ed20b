#pragma once
// The programmer's end of the line: a pseudo-terminal pair (or a given tty) with buffered,
// time-limited reads, optional pacing at the current baud rate and a stop request.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvor::emu {

class SerialEndpoint {
  public:
    SerialEndpoint();
    ~SerialEndpoint();
    SerialEndpoint(const SerialEndpoint&) = delete;
    SerialEndpoint& operator=(const SerialEndpoint&) = delete;

    // Creates a pty pair in raw mode; the slave stays open so the node never vanishes.
    [[nodiscard]] bool openPty(std::string& error);
    // Serves an existing serial device (8-N-1, raw).
    [[nodiscard]] bool openTty(const std::string& path, std::string& error);
    const std::string& slavePath() const { return slavePath_; }

    void setBaud(int baud);
    int baud() const { return baud_; }
    void setPacing(bool on) { pacing_ = on; }

    // Next byte within timeoutMs; -1 on time-out, -2 when stopped or the line failed.
    int readByte(int timeoutMs);
    // Puts a byte back in front of the input.
    void unread(std::uint8_t b);
    // Reads n bytes, each within gapMs of the previous; returns the number read, -2 if stopped.
    int readExact(std::uint8_t* dest, int n, int gapMs);
    // Throws away input for ms milliseconds (and whatever is buffered).
    void discardFor(int ms);
    bool inputPending();

    // Sends bytes (paced when pacing is on); false when stopped or the host stopped reading.
    [[nodiscard]] bool write(const std::uint8_t* data, std::size_t n);

    // Deaf: nothing is sent any more and input is thrown away, until `untilMs` from now
    // (-1: for good).
    void goDeaf(int forMs);
    bool deaf();

    void requestStop();
    bool stopRequested() const { return stop_; }
    void sleepMs(int ms);

  private:
    bool fill(int timeoutMs);
    void close();
    static std::int64_t nowUs();
    double byteUs() const { return 10.0e6 / baud_; }

    int fd_ = -1;      // master or tty
    int slaveFd_ = -1; // kept open for a pty
    int wakeRd_ = -1, wakeWr_ = -1;
    bool isTty_ = false;
    std::string slavePath_;
    std::atomic<int> baud_{9600};
    bool pacing_ = false;
    std::atomic<bool> stop_{false};
    std::vector<std::uint8_t> buf_;
    std::size_t pos_ = 0;
    std::int64_t inReadyUs_ = 0;   // wire time at which the next input byte has arrived
    std::int64_t outFreeUs_ = 0;   // wire time at which the line is free for output
    std::int64_t deafUntilUs_ = 0; // 0 none, -1 for good
};

} // namespace zelvor::emu
