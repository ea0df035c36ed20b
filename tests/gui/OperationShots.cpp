// The README's pictures of a running operation: the progress window halfway through a read
// (demo mode, the clock standing at 1 min 23 s), and the journal viewer after a few
// operations with their times.

#include "OperationShots.h"

#include "DemoWindow.h"
#include "FakeClock.h"
#include "MainWindow.h"
#include "TestDir.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace zelvor::test {

namespace {

bool saveShot(QWidget* w, const QString& file) {
    const bool ok = w && w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

} // namespace

int shootOperations(const QString& out, int english) {
    TestDir dir;
    FakeClock clock;
    gui::MainWindow w(clock);
    startDemoWindow(w, dir, english);
    Session& s = w.session();
    const QString lang = english ? QStringLiteral("en") : QStringLiteral("ru");
    w.show();
    QTest::qWait(100);
    // Every block the operation hands to the event loop takes a third of a second.
    bool holding = false; // the clock stands while the picture is taken
    QTimer line;
    line.setInterval(0);
    QObject::connect(&line, &QTimer::timeout, [&] {
        if (s.op.busy && !holding) clock.advance(330);
    });
    line.start();

    // Halfway through the read: a minute and a half on the clock, the window repainted.
    bool shot = false;
    QTimer halfway;
    halfway.setInterval(0);
    QObject::connect(&halfway, &QTimer::timeout, [&] {
        if (shot || !s.op.busy || s.op.progPos * 2 < s.op.progMax) return;
        shot = true;
        holding = true;
        clock.now = s.op.opStartTime + 83 * 1000;
        QTest::qWait(400);
        holding = false;
        shot = saveShot(w.findChild<QWidget*>(QStringLiteral("TOperWindow")),
                        out + QStringLiteral("/progress-%1.png").arg(lang));
    });
    halfway.start();
    w.findChild<QAction*>(QStringLiteral("ReadRom"))->trigger();
    halfway.stop();

    for (const char* item : {"ReadNull", "ClearRom", "ReadRom"})
        w.findChild<QAction*>(QLatin1String(item))->trigger();
    w.findChild<QAction*>(QStringLiteral("ViewLog"))->trigger();
    QTest::qWait(150);
    const bool ok = saveShot(w.findChild<QWidget*>(QStringLiteral("TViewL")),
                             out + QStringLiteral("/journal-%1.png").arg(lang));
    w.close();
    return shot && ok ? 0 : 1;
}

} // namespace zelvor::test
