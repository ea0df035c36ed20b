#include "RawHost.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace zelvor::test {

namespace {

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::uint8_t sum8(const std::vector<std::uint8_t>& data) {
    unsigned s = 0;
    for (auto v : data)
        s += v;
    return static_cast<std::uint8_t>(s);
}

RawHost::~RawHost() {
    close();
}

bool RawHost::open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return false;
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    tcsetattr(fd_, TCSANOW, &t);
    tcflush(fd_, TCIOFLUSH);
    return true;
}

void RawHost::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool RawHost::write(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
        } else {
            pollfd p{fd_, POLLOUT, 0};
            if (poll(&p, 1, 2000) <= 0) return false;
        }
    }
    return true;
}

std::vector<std::uint8_t> RawHost::read(int n) {
    std::vector<std::uint8_t> out;
    const std::int64_t end = nowMs() + 500 + 2 * n;
    std::int64_t last = nowMs();
    while (static_cast<int>(out.size()) < n) {
        const std::int64_t now = nowMs();
        const std::int64_t wait = std::min(end - now, last + 500 - now);
        if (wait <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(wait)) <= 0) continue;
        std::uint8_t buf[4096];
        ssize_t r = ::read(fd_, buf, std::min<std::size_t>(sizeof buf, n - out.size()));
        if (r > 0) {
            out.insert(out.end(), buf, buf + r);
            last = nowMs();
        }
    }
    return out;
}

std::vector<std::uint8_t> RawHost::packet(std::vector<std::uint8_t> b) {
    b.insert(b.begin(), 0x07);
    b.push_back(sum8(std::vector<std::uint8_t>(b.begin() + 1, b.end())));
    return b;
}

int RawHost::makeMode(const std::vector<std::uint8_t>& pkt) {
    write(pkt);
    auto a = read(1);
    if (a.empty()) return 2;
    return a[0] == 0x55 ? 0 : 1;
}

int RawHost::sendMode(const std::vector<std::uint8_t>& pkt) {
    int rc = makeMode(pkt);
    if (rc != 0) rc = makeMode(pkt);
    return rc;
}

int RawHost::rdBlock(int n, std::vector<std::uint8_t>& out) {
    out = read(n);
    if (static_cast<int>(out.size()) < n) return -2;
    auto s = read(1);
    if (s.empty()) return -2;
    const bool ok = s[0] == sum8(out);
    write({static_cast<std::uint8_t>(ok ? 0x55 : 0x01)});
    return ok ? 0 : 55;
}

int RawHost::rdBlockR(int n, std::vector<std::uint8_t>& out) {
    int rc = rdBlock(n, out);
    if (rc != 0) rc = rdBlock(n, out);
    return rc;
}

int RawHost::rdReply(std::vector<std::uint8_t>& out) {
    out.clear();
    auto len = read(1);
    if (len.empty()) return 7;
    const int n = len[0] + 1;
    out = read(n);
    if (static_cast<int>(out.size()) < n) return 3;
    auto s = read(1);
    if (s.empty()) return 4;
    const bool ok = s[0] == sum8(out);
    write({static_cast<std::uint8_t>(ok ? 0x55 : 0x01)});
    return ok ? 0 : 1;
}

int RawHost::rdReplyR(std::vector<std::uint8_t>& out, int tries) {
    int rc = 7;
    for (int i = 0; i < (tries ? tries : 2); ++i)
        if ((rc = rdReply(out)) == 0) break;
    return rc;
}

int RawHost::wrBlock(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> frame{static_cast<std::uint8_t>(data.size() - 1)};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(sum8(data));
    if (!write(frame)) return 1;
    auto a = read(1);
    return !a.empty() && a[0] == 0x55 ? 0 : 1;
}

int RawHost::wrBlockR(const std::vector<std::uint8_t>& data) {
    int rc = wrBlock(data);
    if (rc != 0) rc = wrBlock(data);
    return rc;
}

int RawHost::programBlock(const std::vector<std::uint8_t>& pkt,
                          const std::vector<std::uint8_t>& data, int lenBl,
                          std::vector<std::uint8_t>& reply) {
    if (sendMode(pkt) != 0) return 1;
    if (rdReplyR(reply, 10) != 0 || reply.empty() || reply[0] != 0x55) return 6;
    for (std::size_t off = 0; off < data.size(); off += static_cast<std::size_t>(lenBl)) {
        const std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(lenBl), data.size() - off);
        std::vector<std::uint8_t> piece(data.begin() + static_cast<long>(off),
                                        data.begin() + static_cast<long>(off + n));
        if (wrBlockR(piece) != 0) return 2;
        const int rc = rdReplyR(reply, 2);
        if (rc != 0) return rc;
        if (reply.size() != 1) return 5;
    }
    return 0;
}

} // namespace zelvor::test
