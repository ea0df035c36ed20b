// Start-up of the window: `zelvor` started as a process until its first window is shown (it
// prints "shown" then),
// against a minimal Qt Widgets window started the same way (this program with --minimal) in
// the same run. Both on the platform in QT_QPA_PLATFORM (offscreen unless set).
//
//   gui_startup [RUNS]      (default 15; prints the medians and their ratio, target 1.5 or less)

#include "QuitWhenShown.h"

#include "WindowBenchSupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int minimalWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("minimal"));
    w.menuBar()->addMenu(QStringLiteral("File"));
    w.setCentralWidget(new QLabel(QStringLiteral("minimal window")));
    w.statusBar()->showMessage(QStringLiteral("ready"));
    w.show();
    zelvor::gui::quitWhenShown(w); // as zelvor --quit-when-shown
    return app.exec();
}

double runMs(const QString& program, const QStringList& args) {
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    // Until the program says its window is shown (its close is not part of the start).
    while (!p.canReadLine() && p.waitForReadyRead(30000)) {
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (!p.readLine().startsWith("shown") || !p.waitForFinished(30000) || p.exitCode() != 0) {
        std::fprintf(stderr, "gui_startup: %s failed\n", qPrintable(program));
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && qstrcmp(argv[1], "--minimal") == 0) return minimalWindow(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir dir;
    zelvor::bench::prepareWindowRun(dir);
    const QString self = QString::fromLocal8Bit(argv[0]);
    const QString zelvor = QStringLiteral(ZELVOR_PROGRAM);
    const QStringList zargs = {QStringLiteral("--dir"), dir.path(), QStringLiteral("--demo"),
                               QStringLiteral("--quit-when-shown")};

    std::vector<double> base, ours;
    (void)runMs(self, {QStringLiteral("--minimal")}); // warm the caches for both
    (void)runMs(zelvor, zargs);
    for (int i = 0; i < runs; ++i) {
        base.push_back(runMs(self, {QStringLiteral("--minimal")}));
        ours.push_back(runMs(zelvor, zargs));
        if (base.back() < 0 || ours.back() < 0) return 1;
    }
    const double b = zelvor::bench::median(base), z = zelvor::bench::median(ours);
    std::printf("platform %s, %d runs each (medians)\n", qgetenv("QT_QPA_PLATFORM").constData(),
                runs);
    std::printf("minimal Qt Widgets window  %8.1f ms\n", b);
    std::printf("zelvor to its first window %8.1f ms\n", z);
    std::printf("ratio                      %8.2f  (target 1.50 or less)\n", z / b);
    return 0;
}
