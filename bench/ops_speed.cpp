// Reads and programs a 512 KiB chip over a pseudo-terminal against the virtual programmer
// with wire pacing, at 115200 and 460800 baud, and prints the elapsed time divided by the
// wire time of the bytes the protocol has to carry.
//
//   build/bench/ops_speed [--quick]      (--quick: a 64 KiB window)

#include "OpsBenchSupport.h"

#include "buffer/BufferInit.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

using namespace zelvor;

namespace {

// Round trip of the line and the programmer: a speed-neutral set-up packet and its answer,
// less the wire time of its 11 bytes.
double roundTripMs(Session& s, int baud) {
    QElapsedTimer t;
    const int n = 40;
    t.start();
    for (int i = 0; i < n; ++i) {
        s.op.opCode = 0;
        (void)Send_mode(s);
    }
    return std::max(0.0, double(t.nsecsElapsed()) / 1e6 / n - bench::wireMs(11, baud));
}

void run(int baud, int baudIdx, bool quick) {
    bench::BenchSession b;
    Session& s = b.s;
    if (!bench::chooseChip(s, QStringLiteral("29F040"))) {
        std::printf("no 29F040 row\n");
        return;
    }
    s.settings.baudIdx = baudIdx;
    if (quick) s.buf.addrEnd = 0xFFFF;
    std::string error;
    auto emu = bench::startEmulator(s, true, baud, {}, 1, error);
    if (!emu || !bench::openLink(s, emu->slavePath())) {
        std::printf("emulator: %s\n", error.c_str());
        return;
    }
    const qint64 n = s.buf.addrEnd - s.buf.addrStart + 1;
    const qint64 blocks = (n + 2047) / 2048;
    const double rtt = roundTripMs(s, baud);

    // Program: per block a packet, its ACK, the ready reply (3) and our ACK; per piece the
    // frame (len + 2), the ACK, the one-byte reply (3) and our ACK.
    InitMem(s);
    s.buf.blocks.clear();
    for (qint64 i = 0; i < blocks; ++i)
        s.buf.blocks.push_back(RomBuf::newBlock());
    for (qint64 i = 0; i < n; ++i)
        s.buf.page(int(i / 2048))[i % 2048] = quint8(i * 31 + 7);
    s.buf.size = qint32(n);
    s.buf.lastLen = 2048;
    const qint64 pieces = blocks * ((2048 + 159) / 160);
    const qint64 progBytes = bench::programWireBytes(n, 160);
    QElapsedTimer t;
    t.start();
    const int wrc = WriteRomClick(s);
    const double progMs = double(t.nsecsElapsed()) / 1e6;
    const double progWire = bench::wireMs(progBytes, baud);
    const double credited = progWire + rtt * double(pieces * 2 + blocks * 2);

    // Read: per block a packet, its ACK, the data, the sum and our ACK.
    const qint64 readBytes = bench::readWireBytes(n);
    t.restart();
    const int rrc = ReadRomClick(s);
    const double readMs = double(t.nsecsElapsed()) / 1e6;
    const double readWire = bench::wireMs(readBytes, baud);

    std::printf("%6d baud, %lld KiB, round trip %.3f ms\n", baud, (long long)(n / 1024), rtt);
    // A read block turns the line round twice (packet to ACK, ACK to data).
    std::printf("  read    rc %d  %8.1f ms  wire %8.1f ms  ratio %.3f  with turnarounds %.3f\n",
                rrc, readMs, readWire, readMs / readWire,
                readMs / (readWire + rtt * double(blocks * 2)));
    std::printf("  program rc %d  %8.1f ms  wire %8.1f ms  raw ratio %.3f  with turnarounds "
                "%.3f\n",
                wrc, progMs, progWire, progMs / progWire, progMs / credited);
    emu->stop();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    run(115200, 2, quick);
    run(460800, 8, quick);
    return 0;
}
