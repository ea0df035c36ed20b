// Programs and reads a 512 KiB chip against the virtual programmer with wire pacing at
// 460800 baud, once from the window (an offscreen MainWindow, its action triggered) and once
// from zelvor-cli in the same run, and prints each time against the wire time of the bytes
// the protocol carries and the window's time against the command line's.
//
//   build/bench/window_speed [--quick]      (--quick: a 64 KiB window)
//
// The command line's time is its whole process; its fixed share (start, tables, speed
// change, file) is measured with a one-block run and taken off for the second ratio.

#include "OpsBenchSupport.h"
#include "WindowBenchSupport.h"

#include "CommandActions.h"
#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

using namespace zelvor;

namespace {

constexpr int kBaud = 460800;
constexpr int kSpeedCode = 8;

double elapsedMs(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// The window: start on the emulator's line at 460800, the chip chosen, the image loaded;
// then the program and read actions, each timed from trigger to return.
bool windowRun(const QString& dir, const QString& port, const QString& image, qint32 end,
               double& programMs, double& readMs, int& lenBl) {
    SystemClock clock;
    gui::MainWindow w(clock);
    StartOptions o;
    o.startDir = dir;
    o.port = port;
    o.speedCode = kSpeedCode;
    if (w.start(o) != 0) return false;
    Session& s = w.session();
    const int base = findBaseByName(s.base, QStringLiteral("29F040"));
    s.settings.model = 4;
    if (base < 0 || selectChip(s, base, ChipChoice{}) != 0) return false;
    s.buf.addrStart = 0;
    s.buf.addrEnd = end;
    s.settings.fileFmt = 1;
    if (loadFile(s, image) != 0) return false;
    w.show();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    w.actions().action(QStringLiteral("WriteRom"))->trigger();
    programMs = elapsedMs(t);
    const bool programmed = w.statusPanelText(3) == s.text(msg::Programmed);
    lenBl = s.op.lenBl;
    t.restart();
    w.actions().action(QStringLiteral("ReadRom"))->trigger();
    readMs = elapsedMs(t);
    const bool read = w.statusPanelText(3) == s.text(msg::ReadDone);
    std::printf("  window: %s / %s\n", qPrintable(w.statusPanelText(3)),
                qPrintable(w.statusPanelText(kTimingPanel)));
    w.close();
    return programmed && read;
}

double cliMs(const QString& cli, const QStringList& args, bool& ok) {
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(cli, args);
    ok = p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const double ms = elapsedMs(t);
    if (!ok) std::printf("  cli failed: %s\n", p.readAllStandardOutput().constData());
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    bench::prepareWindowRun(dir);
    QApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const qint64 n = quick ? 0x10000 : 0x80000;

    QByteArray bytes(int(n), '\0');
    for (qint64 i = 0; i < n; ++i)
        bytes[int(i)] = char(i * 31 + 7);
    const QString image = dir.filePath(QStringLiteral("image.bin"));
    QFile f(image);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != n) return 1;
    f.close();

    bench::BenchSession b;
    if (!bench::chooseChip(b.s, QStringLiteral("29F040"))) return 1;
    std::string error;
    auto emu = bench::startEmulator(b.s, true, kBaud, {}, 1, error);
    if (!emu) {
        std::printf("emulator: %s\n", error.c_str());
        return 1;
    }
    const QString port = QString::fromStdString(emu->slavePath());

    double winProgram = 0, winRead = 0;
    int lenBl = 0;
    if (!windowRun(dir.path(), port, image, qint32(n - 1), winProgram, winRead, lenBl)) {
        std::printf("window run failed\n");
        return 1;
    }

    const QString cli = QStringLiteral(ZELVOR_CLI);
    const QStringList common{
        QStringLiteral("--port"), port,       QStringLiteral("--baud"), QString::number(kBaud),
        QStringLiteral("--dir"),  dir.path(), QStringLiteral("--quiet")};
    const QString chip = QStringLiteral("base:29F040");
    const QString end = QString::number(n - 1, 16);
    const QString out = dir.filePath(QStringLiteral("out.bin"));
    bool ok1 = false, ok2 = false, ok3 = false;
    const double cliProgram =
        cliMs(cli, common + QStringList{"write", chip, image, "--end", end}, ok1);
    const double cliRead =
        cliMs(cli, common + QStringList{"read", chip, "-o", out, "--end", end}, ok2);
    // The fixed share: the same read of one block, less that block's wire time.
    const double cliOneBlock =
        cliMs(cli, common + QStringList{"read", chip, "-o", out, "--end", "7FF"}, ok3);
    if (!ok1 || !ok2 || !ok3) return 1;
    const double cliFixed =
        std::max(0.0, cliOneBlock - bench::wireMs(bench::readWireBytes(2048), kBaud));

    const double readWire = bench::wireMs(bench::readWireBytes(n), kBaud);
    const double progWire = bench::wireMs(bench::programWireBytes(n, lenBl), kBaud);
    std::printf("%d baud, %lld KiB, command line fixed share %.1f ms\n", kBaud,
                (long long)(n / 1024), cliFixed);
    auto line = [&](const char* what, double win, double cliWhole, double wire) {
        const double cliOp = cliWhole - cliFixed;
        std::printf("  %-7s window %8.1f ms  cli %8.1f ms (operation %8.1f)  wire %8.1f ms\n"
                    "          window/wire %.3f  cli/wire %.3f  window/cli %.3f  "
                    "window/cli operation %.3f\n",
                    what, win, cliWhole, cliOp, wire, win / wire, cliWhole / wire, win / cliWhole,
                    win / cliOp);
    };
    line("program", winProgram, cliProgram, progWire);
    line("read", winRead, cliRead, readWire);
    emu->stop();
    return 0;
}
