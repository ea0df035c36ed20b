#include "link/SerialTransport.h"

#include "link/TimedRead.h"

#include <QSerialPort>

#if defined(Q_OS_UNIX)
#include <termios.h>
#elif defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace zelvor {

namespace {

// Reads through QSerialPort's own buffer; a wait that times out is not a failure, but the
// port keeps the time-out as its error until it is cleared.
class PortSource final : public ByteSource {
  public:
    PortSource(QSerialPort& port, Clock& clock) : port_(port), clock_(clock) {}

    int take(quint8* dest, int max) override {
        if (max <= 0) return 0;
        const qint64 n = port_.read(reinterpret_cast<char*>(dest), max);
        return n < 0 ? -1 : int(n);
    }

    bool wait(int ms) override {
        if (port_.waitForReadyRead(clock_.inputWaitMs(ms))) return true;
        const auto err = port_.error();
        if (err == QSerialPort::NoError || err == QSerialPort::TimeoutError) {
            port_.clearError();
            return true;
        }
        return false;
    }

  private:
    QSerialPort& port_;
    Clock& clock_;
};

} // namespace

SerialTransport::SerialTransport(Clock& clock, std::function<void()> idle)
    : clock_(clock), idle_(std::move(idle)), port_(new QSerialPort) {}

SerialTransport::~SerialTransport() {
    close();
}

bool SerialTransport::open(const QString& device, qint32 baud) {
    close();
    port_->setPortName(device);
    // Only rate and framing are chosen; QSerialPort opens the line raw and without flow
    // control, which is what the programmer expects.
    port_->setBaudRate(baud);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    if (!port_->open(QIODevice::ReadWrite)) {
        fail(QStringLiteral("open %1: %2").arg(device, port_->errorString()));
        port_->clearError();
        return false;
    }
    // Whatever a previous exchange left unread belongs to nobody now.
    port_->clear(QSerialPort::Input);
    port_->clearError();
    lastError_.clear();
    return true;
}

void SerialTransport::close() {
    if (port_->isOpen()) port_->close();
    port_->clearError();
}

bool SerialTransport::isOpen() const {
    return port_->isOpen();
}

qint32 SerialTransport::baudRate() const {
    return port_->isOpen() ? port_->baudRate() : 0;
}

bool SerialTransport::write(const quint8* data, int count) {
    if (!port_->isOpen()) return false;
    if (count <= 0) return true;
    if (port_->write(reinterpret_cast<const char*>(data), count) != count) {
        fail(QStringLiteral("write: ") + port_->errorString());
        return false;
    }
    const int timeoutMs = 2000 + 2 * count;
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(timeoutMs)) {
            fail(QStringLiteral("write: ") + port_->errorString());
            if (port_->isOpen()) port_->clear(QSerialPort::Output); // never sent late
            return false;
        }
    }
    // QSerialPort has handed the bytes to the driver; wait until they are on the wire.
#if defined(Q_OS_UNIX)
    ::tcdrain(int(port_->handle()));
#elif defined(Q_OS_WIN)
    ::FlushFileBuffers(port_->handle());
#endif
    return true;
}

int SerialTransport::read(quint8* dest, int count, int intervalMs, int totalMs) {
    if (!port_->isOpen()) return -1;
    PortSource source(*port_, clock_);
    const int n = timedRead(clock_, source, dest, count, intervalMs, totalMs, idle_);
    if (n < 0) fail(QStringLiteral("read: ") + port_->errorString());
    return n;
}

void SerialTransport::fail(const QString& what) {
    lastError_ = what;
    // A port whose peer has vanished keeps reporting the same error while it stays open;
    // closing it lets the next reopen start afresh.
    const auto err = port_->error();
    if (port_->isOpen() && err != QSerialPort::NoError && err != QSerialPort::TimeoutError)
        port_->close();
    port_->clearError();
}

} // namespace zelvor
