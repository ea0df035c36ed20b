#pragma once
// The byte pipe to the programmer. The serial port implements it; tests may substitute
// their own.

#include <QString>

namespace zelvor {

class Transport {
  public:
    virtual ~Transport() = default;
    // Opens the device at `baud`, 8 data bits, no parity, one stop bit.
    virtual bool open(const QString& device, qint32 baud) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The rate the driver reports for the open port.
    virtual qint32 baudRate() const = 0;
    // Sends `count` bytes and waits until they have left; false on failure.
    virtual bool write(const quint8* data, int count) = 0;
    // Reads up to `count` bytes; stops when more than intervalMs pass between bytes or
    // totalMs pass in all. Returns the number of bytes read, or -1 when the read failed.
    virtual int read(quint8* dest, int count, int intervalMs, int totalMs) = 0;
};

} // namespace zelvor
