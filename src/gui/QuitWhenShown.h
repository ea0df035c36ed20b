#pragma once
// For start-up measurements: once `w` is exposed and painted, prints "shown" on stdout and
// leaves the event loop. The benchmark's baseline window uses the same code.

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace zelvor::gui {

inline void quitWhenShown(QWidget& w) {
    auto* poll = new QTimer(&w);
    QObject::connect(poll, &QTimer::timeout, &w, [&w, poll] {
        if (!w.windowHandle() || !w.windowHandle()->isExposed()) return;
        poll->stop();
        w.repaint();
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    poll->start(1);
}

} // namespace zelvor::gui
