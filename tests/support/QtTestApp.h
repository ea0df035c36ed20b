#pragma once
// Tests that use QSerialPort or timers need a QCoreApplication; this makes one on demand.

#include <QCoreApplication>

namespace zelvor::test {

inline QCoreApplication* ensureQtApp() {
    if (auto* app = QCoreApplication::instance()) return app;
    static int argc = 1;
    static char name[] = "zelvor-tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return &app;
}

} // namespace zelvor::test
