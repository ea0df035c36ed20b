#include "SerialEndpoint.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zelvor::emu {

namespace {

speed_t speedConstant(int baud) {
    switch (baud) {
    case 9600:
        return B9600;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    default:
        return B9600;
    }
}

void makeRaw(int fd, int baud) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, speedConstant(baud));
    cfsetospeed(&t, speedConstant(baud));
    tcsetattr(fd, TCSANOW, &t);
}

} // namespace

SerialEndpoint::SerialEndpoint() {
    int p[2];
    if (pipe(p) == 0) {
        wakeRd_ = p[0];
        wakeWr_ = p[1];
        fcntl(wakeRd_, F_SETFL, O_NONBLOCK);
        fcntl(wakeWr_, F_SETFL, O_NONBLOCK);
    }
}

SerialEndpoint::~SerialEndpoint() {
    close();
    if (wakeRd_ >= 0) ::close(wakeRd_);
    if (wakeWr_ >= 0) ::close(wakeWr_);
}

void SerialEndpoint::close() {
    if (slaveFd_ >= 0) ::close(slaveFd_);
    if (fd_ >= 0) ::close(fd_);
    slaveFd_ = fd_ = -1;
}

std::int64_t SerialEndpoint::nowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool SerialEndpoint::openPty(std::string& error) {
    fd_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        close();
        return false;
    }
    char name[256];
    if (ptsname_r(fd_, name, sizeof name) != 0) {
        error = "cannot name the pseudo-terminal";
        close();
        return false;
    }
    slavePath_ = name;
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slaveFd_ < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        close();
        return false;
    }
    makeRaw(slaveFd_, baud_);
    makeRaw(fd_, baud_);
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
    return true;
}

bool SerialEndpoint::openTty(const std::string& path, std::string& error) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    isTty_ = true;
    slavePath_ = path;
    makeRaw(fd_, baud_);
    return true;
}

void SerialEndpoint::setBaud(int baud) {
    if (isTty_ && fd_ >= 0) tcdrain(fd_); // the acknowledgement leaves at the old rate
    baud_ = baud > 0 ? baud : 9600;
    if (isTty_ && fd_ >= 0) makeRaw(fd_, baud_);
}

void SerialEndpoint::requestStop() {
    stop_ = true;
    if (wakeWr_ >= 0) {
        const char c = 1;
        [[maybe_unused]] auto n = ::write(wakeWr_, &c, 1);
    }
}

void SerialEndpoint::sleepMs(int ms) {
    if (ms <= 0 || stop_) return;
    pollfd p{wakeRd_, POLLIN, 0};
    poll(&p, 1, ms);
}

void SerialEndpoint::goDeaf(int forMs) {
    deafUntilUs_ = forMs < 0 ? -1 : nowUs() + static_cast<std::int64_t>(forMs) * 1000;
}

bool SerialEndpoint::deaf() {
    if (deafUntilUs_ == 0) return false;
    if (deafUntilUs_ > 0 && nowUs() >= deafUntilUs_) {
        deafUntilUs_ = 0;
        return false;
    }
    return true;
}

bool SerialEndpoint::fill(int timeoutMs) {
    const std::int64_t deadline = nowUs() + static_cast<std::int64_t>(timeoutMs) * 1000;
    for (;;) {
        if (stop_ || fd_ < 0) return false;
        std::int64_t left = (deadline - nowUs()) / 1000;
        if (left < 0) left = 0;
        pollfd p[2] = {{fd_, POLLIN, 0}, {wakeRd_, POLLIN, 0}};
        int r = poll(p, 2, static_cast<int>(std::min<std::int64_t>(left, 1000)));
        if (r < 0 && errno != EINTR) return false;
        if (stop_) return false;
        if (r > 0 && (p[0].revents & POLLIN)) {
            std::uint8_t tmp[4096];
            ssize_t n = ::read(fd_, tmp, sizeof tmp);
            if (n > 0) {
                if (deaf()) { // thrown away unheard
                    if (nowUs() >= deadline) return true;
                    continue;
                }
                if (pos_ >= buf_.size()) {
                    buf_.clear();
                    pos_ = 0;
                }
                buf_.insert(buf_.end(), tmp, tmp + n);
                if (pacing_) inReadyUs_ = std::max(inReadyUs_, nowUs());
                return true;
            }
        } else if (r > 0 && (p[0].revents & (POLLHUP | POLLERR))) {
            // No host on the line: wait a little and look again.
            sleepMs(static_cast<int>(std::min<std::int64_t>(left, 20)));
        }
        if (nowUs() >= deadline) return true;
    }
}

int SerialEndpoint::readByte(int timeoutMs) {
    if (pos_ >= buf_.size()) {
        if (!fill(timeoutMs)) return -2;
        if (pos_ >= buf_.size()) return -1;
    }
    if (pacing_) {
        inReadyUs_ += static_cast<std::int64_t>(byteUs());
        const std::int64_t wait = inReadyUs_ - nowUs();
        if (wait > 1000) sleepMs(static_cast<int>(wait / 1000));
    }
    return buf_[pos_++];
}

void SerialEndpoint::unread(std::uint8_t b) {
    if (pos_ > 0)
        buf_[--pos_] = b;
    else
        buf_.insert(buf_.begin(), b);
}

int SerialEndpoint::readExact(std::uint8_t* dest, int n, int gapMs) {
    for (int i = 0; i < n; ++i) {
        int c = readByte(gapMs);
        if (c == -2) return -2;
        if (c < 0) return i;
        dest[i] = static_cast<std::uint8_t>(c);
    }
    return n;
}

bool SerialEndpoint::inputPending() {
    if (pos_ < buf_.size()) return true;
    pollfd p{fd_, POLLIN, 0};
    return fd_ >= 0 && poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

void SerialEndpoint::discardFor(int ms) {
    buf_.clear();
    pos_ = 0;
    const std::int64_t end = nowUs() + static_cast<std::int64_t>(ms) * 1000;
    while (!stop_) {
        const std::int64_t left = (end - nowUs()) / 1000;
        if (left <= 0) break;
        if (!fill(static_cast<int>(left))) break;
        buf_.clear();
        pos_ = 0;
    }
}

bool SerialEndpoint::write(const std::uint8_t* data, std::size_t n) {
    if (deaf()) return true;
    std::size_t done = 0;
    // Pacing sends in slices of about 5 ms of wire time.
    const std::size_t slice =
        pacing_ ? std::max<std::size_t>(1, static_cast<std::size_t>(baud_ / 10 / 200)) : n;
    while (done < n) {
        if (stop_ || fd_ < 0) return false;
        const std::size_t chunk = std::min(slice, n - done);
        if (pacing_) {
            const std::int64_t now = nowUs();
            if (outFreeUs_ < now) outFreeUs_ = now;
            const std::int64_t wait = outFreeUs_ - now;
            if (wait > 1000) sleepMs(static_cast<int>(wait / 1000));
            outFreeUs_ += static_cast<std::int64_t>(byteUs() * static_cast<double>(chunk));
        }
        std::size_t sent = 0;
        while (sent < chunk) {
            ssize_t w = ::write(fd_, data + done + sent, chunk - sent);
            if (w > 0) {
                sent += static_cast<std::size_t>(w);
                continue;
            }
            if (w < 0 && errno != EAGAIN && errno != EINTR) return false;
            pollfd p[2] = {{fd_, POLLOUT, 0}, {wakeRd_, POLLIN, 0}};
            int r = poll(p, 2, 3000);
            if (stop_) return false;
            if (r == 0) return false; // the host stopped reading
        }
        done += chunk;
    }
    return true;
}

} // namespace zelvor::emu
