#include "PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace zelvor::test {

PtyPeer::PtyPeer() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return;
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        master_ = -1;
        return;
    }
    slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
    // A slave descriptor of our own keeps the master readable while the program has the
    // port closed (between a close and the reopen).
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
    termios t{};
    if (slave_ >= 0 && ::tcgetattr(slave_, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
    }
}

PtyPeer::~PtyPeer() {
    join();
    vanish();
}

void PtyPeer::run(std::function<void(PtyPeer&)> script) {
    join();
    thread_ = std::thread([this, script = std::move(script)] { script(*this); });
}

void PtyPeer::join() {
    if (thread_.joinable()) thread_.join();
}

QByteArray PtyPeer::readBytes(int n, int timeoutMs) {
    QByteArray out;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (out.size() < n && master_ >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, int(left)) <= 0) continue;
        char buf[4096];
        const ssize_t got = ::read(master_, buf, size_t(std::min<qsizetype>(n - out.size(), 4096)));
        if (got > 0)
            out.append(buf, got);
        else if (got < 0 && errno != EAGAIN && errno != EINTR && errno != EIO)
            break;
        else if (got <= 0)
            ::usleep(1000);
    }
    return out;
}

void PtyPeer::writeBytes(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size() && master_ >= 0) {
        const ssize_t n = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0) break;
        done += n;
    }
}

void PtyPeer::vanish() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
}

} // namespace zelvor::test
