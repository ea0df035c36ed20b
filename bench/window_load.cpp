// Loading a 64 MiB BIN file through the window's load command (offscreen, the file dialog
// replaced) against `zelvor-cli checksum` on the same file, in the same run; and the
// window's peak memory during the load over the image size. The time is taken to the drawn
// page (the window answers from there); the CRC-32 label, filled in slices after the load,
// is reported beside it.
//
//   window_load [RUNS]   (default 3; prints medians; targets: time ratio and memory ratio
//                         1.2 or less)
// The window runs as a child process (this program with --window DIR FILE), so its peak
// memory is its own: (peak resident size after the load − resident size before it) / image.

#include "MainWindow.h"
#include "WindowCommands.h"

#include "WindowBenchSupport.h"
#include <QAction>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr qint64 kImage = 64LL * 1024 * 1024;

// A field of /proc/self/status in KiB (VmRSS, VmHWM); 0 where there is none.
qint64 statusKiB(const char* field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ')[0].toLongLong();
    return 0;
}

int windowChild(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const QString file = QString::fromLocal8Bit(argv[3]);
    zelvor::SystemClock clock;
    zelvor::gui::MainWindow w(clock);
    zelvor::StartOptions o;
    o.startDir = dir;
    o.demo = true;
    o.writesSettings = false;
    (void)w.start(o);
    w.show();
    w.windowCommands().setFileChooser([file](bool) { return file; });
    QApplication::processEvents();
    const qint64 rssBefore = statusKiB("VmRSS:");
    QElapsedTimer t;
    t.start();
    w.findChild<QAction*>(QStringLiteral("Read_File"))->trigger();
    QApplication::processEvents(); // the redraw the load asked for
    const double ms = double(t.nsecsElapsed()) / 1e6;
    // The CRC-32 label is filled in slices after the load.
    const auto* crc = w.findChild<QLabel*>(QStringLiteral("LbCrc32"));
    while (crc && crc->text() == QStringLiteral("…"))
        QApplication::processEvents();
    const double withCrc = double(t.nsecsElapsed()) / 1e6;
    const qint64 peak = statusKiB("VmHWM:");
    if (w.session().buf.size != kImage) return 1;
    std::printf("%.3f %lld %.3f\n", ms, (peak - rssBefore) * 1024, withCrc);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 3 && qstrcmp(argv[1], "--window") == 0) return windowChild(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    zelvor::bench::prepareWindowRun(dir);
    const QString image = dir.filePath(QStringLiteral("image.bin"));
    {
        QFile f(image);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        QByteArray chunk(1 << 20, '\0');
        for (qint64 at = 0; at < kImage; at += chunk.size()) {
            for (int i = 0; i < chunk.size(); ++i)
                chunk[i] = char((at + i) * 7 ^ ((at + i) >> 11));
            f.write(chunk);
        }
    }
    const QString tiny = dir.filePath(QStringLiteral("tiny.bin"));
    {
        QFile f(tiny);
        if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(16, '\x5A')) != 16) return 1;
    }
    // The whole CLI process on a file: start-up, tables, load, checksum.
    auto cliMs = [&dir](const QString& file) {
        QProcess c;
        QElapsedTimer t;
        t.start();
        c.start(QStringLiteral(ZELVOR_CLI),
                {QStringLiteral("--dir"), dir.path(), QStringLiteral("checksum"), file});
        if (!c.waitForFinished(120000) || c.exitCode() != 0) return -1.0;
        return double(t.nsecsElapsed()) / 1e6;
    };
    const QString self = QString::fromLocal8Bit(argv[0]);
    std::vector<double> window, windowCrc, cli, cliStart, memory;
    for (int i = 0; i <= runs; ++i) { // the first round warms the caches
        QProcess w;
        w.setProcessChannelMode(QProcess::SeparateChannels);
        w.start(self, {QStringLiteral("--window"), dir.path(), image});
        if (!w.waitForFinished(120000) || w.exitCode() != 0) {
            std::fprintf(stderr, "window_load: the window's load failed\n");
            return 1;
        }
        const QList<QByteArray> out = w.readAllStandardOutput().trimmed().split(' ');
        const double big = cliMs(image), small = cliMs(tiny);
        if (big < 0 || small < 0) {
            std::fprintf(stderr, "window_load: zelvor-cli checksum failed\n");
            return 1;
        }
        if (i == 0 || out.size() != 3) continue;
        window.push_back(out[0].toDouble());
        windowCrc.push_back(out[2].toDouble());
        memory.push_back(out[1].toDouble() / double(kImage));
        cli.push_back(big);
        cliStart.push_back(small);
    }
    const double wm = zelvor::bench::median(window), cm = zelvor::bench::median(cli),
                 mem = zelvor::bench::median(memory);
    std::printf("64 MiB BIN, %d runs each (medians)\n", runs);
    std::printf("window load command          %8.1f ms  (CRC-32 label filled after %.1f ms)\n", wm,
                zelvor::bench::median(windowCrc));
    std::printf("zelvor-cli checksum (process) %7.1f ms  (of a 16-byte file: %.1f ms)\n", cm,
                zelvor::bench::median(cliStart));
    std::printf("time ratio                   %8.2f  (target 1.20 or less)\n", wm / cm);
    std::printf("window peak memory / image   %8.2f  (target 1.20 or less)\n", mem);
    return 0;
}
