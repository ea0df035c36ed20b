#include "ScriptedTransport.h"

namespace zelvor::test {

void ScriptedTransport::queue(const QByteArray& bytes) {
    for (char c : bytes)
        incoming.push_back(quint8(c));
}

void ScriptedTransport::queue(std::initializer_list<int> bytes) {
    for (int b : bytes)
        incoming.push_back(quint8(b));
}

quint8 ScriptedTransport::sum(const QByteArray& data) {
    quint8 s = 0;
    for (char c : data)
        s = quint8(s + quint8(c));
    return s;
}

void ScriptedTransport::queueFrame(const QByteArray& data, int sumDelta) {
    incoming.push_back(quint8(data.size() - 1));
    queue(data);
    incoming.push_back(quint8(sum(data) + sumDelta));
}

void ScriptedTransport::queueBlock(const QByteArray& data, int sumDelta) {
    queue(data);
    incoming.push_back(quint8(sum(data) + sumDelta));
}

bool ScriptedTransport::open(const QString& device, qint32 baud) {
    openedDevices << device;
    openedRates << baud;
    if (failOpen) return false;
    open_ = true;
    baud_ = baud;
    return true;
}

void ScriptedTransport::close() {
    if (open_) ++closes;
    open_ = false;
}

bool ScriptedTransport::write(const quint8* data, int count) {
    if (!open_ || failWrite) return false;
    const QByteArray bytes(reinterpret_cast<const char*>(data), count);
    sent += bytes;
    writes << bytes;
    if (count == 10 && data[0] == 0x07) {
        packets << bytes;
        if (ackPackets) incoming.push_back(0x55);
    }
    if (onWrite) onWrite(*this, bytes);
    return true;
}

int ScriptedTransport::read(quint8* dest, int count, int intervalMs, int totalMs) {
    readTotals << totalMs;
    if (!open_ || failRead) return -1;
    int got = 0;
    while (got < count && !incoming.empty()) {
        dest[got++] = incoming.front();
        incoming.pop_front();
    }
    if (got < count && clock_) clock_->advance(got == 0 ? totalMs : intervalMs);
    return got;
}

} // namespace zelvor::test
