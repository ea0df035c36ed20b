#include "link/Port.h"

#include "link/PortMap.h"
#include "link/SerialTransport.h"

#include <algorithm>

namespace zelvor {

namespace {

bool inRange(size_t size, int count, int offset) {
    return count >= 0 && offset >= 0 && size_t(offset) + size_t(count) <= size;
}

} // namespace

bool linkPortOpen(const Session& s) {
    return s.transport && s.transport->isOpen();
}

qint32 rateForCode(int baudIdx) {
    switch (baudIdx) {
    case 0:
        return 9600;
    case 1:
        return 57600;
    case 2:
        return 115200;
    case 4:
        return 230400;
    default:
        return 460800;
    }
}

void allocLinkBuffers(Session& s) {
    for (auto* b : {&s.link.xferBuf, &s.link.auxBuf, &s.link.auxBuf2})
        if (b->size() < size_t(kXferSize)) b->resize(size_t(kXferSize), 0);
}

int Open_com(Session& s, int port) {
    if (!s.transport)
        s.transport = std::make_unique<SerialTransport>(s.clock, [&fe = s.fe] { fe.pumpEvents(); });
    if (!s.transport->open(portDevice(s, port), rateForCode(s.settings.baudIdx))) return -1;
    s.link.portBaud = s.transport->baudRate();
    return 0;
}

int Close_com(Session& s) {
    if (!linkPortOpen(s)) return -1;
    s.transport->close();
    return 0;
}

void Reopen_com(Session& s) {
    if (s.link.demoMode == 1) return;
    (void)Close_com(s);
    if (Open_com(s, s.settings.comPort) == -1) {
        s.link.portFailed = 1;
        s.link.portBaud = 0;
    } else {
        s.link.portFailed = 0;
    }
}

int Write_com(Session& s, std::span<const quint8> buf, int count, int offset) {
    if (!inRange(buf.size(), count, offset) || !linkPortOpen(s)) return -1;
    return s.transport->write(buf.data() + offset, count) ? 0 : -1;
}

int Read_com(Session& s, std::span<quint8> buf, int count, int offset) {
    s.link.lastRead = 0;
    if (!inRange(buf.size(), count, offset) || !linkPortOpen(s)) return -1;
    const int n = s.transport->read(buf.data() + offset, count, kReadIntervalMs,
                                    kReadTotalMs + kReadPerByteMs * count);
    if (n < 0) return -1;
    s.link.lastRead = n;
    return n < count ? -2 : 0;
}

int Send_byte(Session& s, quint8 b) {
    allocLinkBuffers(s);
    s.link.xferBuf[0] = b;
    return Write_com(s, s.link.xferBuf, 1, 0) == 0 ? 0 : 1;
}

int Wait_ack(Session& s) {
    allocLinkBuffers(s);
    s.link.xferBuf[0] = 0;
    if (Read_com(s, s.link.xferBuf, 1, 0) != 0) return 2;
    return s.link.xferBuf[0] == kAck ? 0 : 1;
}

int Read_byte(Session& s, quint8& out) {
    return linkExchange(
        s, 1, [] { return 0; },
        [&] {
            allocLinkBuffers(s);
            if (Read_com(s, s.link.xferBuf, 1, 0) != 0) return 2;
            out = s.link.xferBuf[0];
            return 0;
        });
}

void Wait_ms(Session& s, int ms) {
    const qint64 end = s.clock.nowMs() + std::max(ms, 0);
    for (;;) {
        s.fe.pumpEvents();
        const qint64 left = end - s.clock.nowMs();
        if (left <= 0) break;
        s.clock.sleepMs(int(std::min<qint64>(left, 10)));
    }
}

} // namespace zelvor
