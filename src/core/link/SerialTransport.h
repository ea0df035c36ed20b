#pragma once
// The programmer's serial line on QSerialPort: 8 data bits, no parity, one stop bit,
// blocking reads under the link's time-outs, writes that return only once the bytes have
// left the machine.

#include "app/Clock.h"
#include "app/Transport.h"

#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

namespace zelvor {

class SerialTransport final : public Transport {
  public:
    // `idle` runs every few dozen milliseconds while a read waits (the front end's event
    // pump); it may be empty.
    explicit SerialTransport(Clock& clock, std::function<void()> idle = {});
    ~SerialTransport() override;

    bool open(const QString& device, qint32 baud) override;
    void close() override;
    bool isOpen() const override;
    qint32 baudRate() const override;
    bool write(const quint8* data, int count) override;
    int read(quint8* dest, int count, int intervalMs, int totalMs) override;

    // What went wrong last (for diagnostics).
    QString lastError() const { return lastError_; }

  private:
    void fail(const QString& what);

    Clock& clock_;
    std::function<void()> idle_;
    std::unique_ptr<QSerialPort> port_;
    QString lastError_;
};

} // namespace zelvor
