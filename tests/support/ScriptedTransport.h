#pragma once
// A transport for tests: records every byte the core writes and answers reads from a
// queue that the test (or a peer callback reacting to each write) fills. Reads that run
// dry advance the fake clock by the time-out they would have waited.

#include "FakeClock.h"
#include "app/Transport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>
#include <initializer_list>

namespace zelvor::test {

class ScriptedTransport : public Transport {
  public:
    explicit ScriptedTransport(FakeClock* clock = nullptr) : clock_(clock) {}

    // --- script ---
    bool failOpen = false;
    bool failWrite = false;
    bool failRead = false;       // reads fail outright (-1), as on a vanished peer
    bool ackPackets = false;     // answer every set-up packet with 0x55
    std::deque<quint8> incoming; // what the programmer sends, in order
    // Runs after every write with the bytes written; may queue answers.
    std::function<void(ScriptedTransport&, const QByteArray&)> onWrite;

    void queue(const QByteArray& bytes);
    void queue(std::initializer_list<int> bytes);
    // A programmer frame: n-1, data, sum. With sumDelta the sum is off by that much.
    void queueFrame(const QByteArray& data, int sumDelta = 0);
    // Bulk data followed by its sum.
    void queueBlock(const QByteArray& data, int sumDelta = 0);

    static quint8 sum(const QByteArray& data);

    // --- record ---
    QByteArray sent;           // every byte written, in order
    QList<QByteArray> writes;  // one entry per write call
    QList<QByteArray> packets; // the 10-byte set-up packets among the writes
    QStringList openedDevices;
    QList<qint32> openedRates;
    int closes = 0;
    QList<int> readTotals; // the total time-out of each read

    // --- Transport ---
    bool open(const QString& device, qint32 baud) override;
    void close() override;
    bool isOpen() const override { return open_; }
    qint32 baudRate() const override { return open_ ? baud_ : 0; }
    bool write(const quint8* data, int count) override;
    int read(quint8* dest, int count, int intervalMs, int totalMs) override;

    bool open_ = false;

  private:
    FakeClock* clock_;
    qint32 baud_ = 0;
};

} // namespace zelvor::test
