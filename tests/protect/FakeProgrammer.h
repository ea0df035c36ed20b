#pragma once
// A programmer for protocol tests: answers set-up packets, short replies, bulk reads and
// written pieces on a scripted transport, and records what came. Packets can be refused
// and replies changed to provoke every failure path.

#include "ScriptedTransport.h"
#include "TestSession.h"
#include "link/Port.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace zelvor::test {

class FakeProgrammer {
  public:
    // Script.
    bool ackPackets = true;      // false: every packet is answered 0x01
    int refuseFromPacket = -1;   // refuse packets from this one on (0-based)
    quint8 replyStatus = 0x55;   // status byte of the short replies (op 3, 5, 6, 8)
    bool silentReplies = false;  // no short reply at all
    std::deque<QByteArray> bulk; // data of the bulk reads, in order (0xFF x 1 when empty)
    int bulkSumDelta = 0;        // a wrong bulk checksum
    quint8 version = 0x21;
    bool echoWrites = true; // false: a read after a write finds nothing stored

    // Record.
    QList<QByteArray> pieces; // data of every written piece

    void attach(ScriptedTransport& t) {
        t.ackPackets = false;
        t.onWrite = [this](ScriptedTransport& port, const QByteArray& bytes) {
            onWrite(port, bytes);
        };
    }

    static int opCode(const QByteArray& p) { return quint8(p[1]) & 0x0F; }

  private:
    void onWrite(ScriptedTransport& t, const QByteArray& bytes) {
        if (bytes.size() == 10 && quint8(bytes[0]) == 0x07) {
            writing_ = false;
            piece_.clear();
            expectAcks_ = 0;
            const bool refuse =
                !ackPackets || (refuseFromPacket >= 0 && packetNo_ >= refuseFromPacket);
            ++packetNo_;
            if (refuse) {
                t.queue({0x01});
                return;
            }
            t.queue({0x55});
            switch (opCode(bytes)) {
            case 3:
            case 5:
            case 6:
            case 8:
                if (!silentReplies) reply(t, replyStatus);
                break;
            case 1:
            case 7:
            case 11: {
                QByteArray data = bulk.empty() ? QByteArray(1, char(0xFF)) : bulk.front();
                if (!bulk.empty()) {
                    bulk.pop_front();
                } else if (!written_.isEmpty()) {
                    // A read after a write gives back what was written (a read-back check).
                    const int from = quint8(bytes[4]) << 8 | quint8(bytes[5]);
                    const int to = quint8(bytes[7]) << 8 | quint8(bytes[8]);
                    const int wide = (quint8(bytes[2]) & 0x3F) == 27 ? 2 : 1;
                    data = (echoWrites ? written_ : QByteArray())
                               .leftJustified((to - from + 1) * wide, char(0xFF), true);
                }
                t.queueBlock(data, bulkSumDelta);
                ++expectAcks_;
                break;
            }
            case 2:
                reply(t, 0x55);
                writing_ = true;
                written_.clear();
                break;
            case 12:
                t.queue({version});
                break;
            default:
                break;
            }
            return;
        }
        if (expectAcks_ > 0 && bytes.size() == 1 &&
            (quint8(bytes[0]) == 0x55 || quint8(bytes[0]) == 0x01)) {
            --expectAcks_;
            return;
        }
        if (!writing_) return;
        piece_ += bytes;
        if (piece_.size() >= quint8(piece_[0]) + 3) {
            pieces << piece_.mid(1, quint8(piece_[0]) + 1);
            written_ += pieces.last();
            piece_.clear();
            t.queue({0x55});
            reply(t, 0x55);
        }
    }

    void reply(ScriptedTransport& t, quint8 status) {
        t.queueFrame(QByteArray(1, char(status)));
        ++expectAcks_;
    }

    int packetNo_ = 0;
    int expectAcks_ = 0;
    bool writing_ = false;
    QByteArray piece_;
    QByteArray written_;
};

// A session on a scripted port with the fake programmer attached.
class ProgrammerFixture : public ::testing::Test {
  protected:
    ProgrammerFixture() {
        auto t = std::make_unique<ScriptedTransport>(&ts.clock);
        port = t.get();
        s.transport = std::move(t);
        allocLinkBuffers(s);
        Reopen_com(s);
        port->openedDevices.clear();
        prog.attach(*port);
        s.settings.english = 0;
    }

    QList<QByteArray> packetsOf(int opCode) const {
        QList<QByteArray> out;
        for (const QByteArray& p : port->packets)
            if (FakeProgrammer::opCode(p) == opCode) out << p;
        return out;
    }
    static qint32 start(const QByteArray& p) {
        return quint8(p[3]) << 16 | quint8(p[4]) << 8 | quint8(p[5]);
    }
    static qint32 end(const QByteArray& p) {
        return quint8(p[6]) << 16 | quint8(p[7]) << 8 | quint8(p[8]);
    }

    TestSession ts;
    Session& s = ts.s;
    ScriptedTransport* port = nullptr;
    FakeProgrammer prog;
};

inline QByteArray bytesOf(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

} // namespace zelvor::test
