#pragma once
// One main window for a widget test, started on a fresh folder holding the shipped lists,
// with every command it runs recorded.

#include "CommandActions.h"
#include "FakeClock.h"
#include "MainWindow.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include <QAction>

#include <memory>
#include <utility>
#include <vector>

namespace zelvor::test {

struct WindowRun {
    TestDir dir;
    FakeClock fakeClock;
    std::unique_ptr<gui::MainWindow> w;
    std::vector<std::pair<gui::Target, int>> ran;

    explicit WindowRun(StartOptions o, Clock* clock = nullptr, const QStringList& ports = {}) {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        if (!ports.isEmpty()) dir.writeLines(QStringLiteral("zelvor.ports"), ports);
        w = std::make_unique<gui::MainWindow>(clock ? *clock : fakeClock);
        w->afterCommand = [this](const gui::Target& t, int rc) { ran.emplace_back(t, rc); };
        o.startDir = dir.path();
        (void)w->start(o);
        w->windowCommands().setFileChooser([this](bool save) {
            return dir.file(save ? QStringLiteral("saved.bin") : QStringLiteral("image.bin"));
        });
        dir.writeBytes(QStringLiteral("image.bin"), QByteArray(2048, '\x5A'));
        w->show();
        w->activateWindow();
    }
    Session& s() { return w->session(); }
    QAction* action(const char* name) { return w->actions().action(QLatin1String(name)); }
    template <typename T> T* find(const char* name) {
        return w->findChild<T*>(QLatin1String(name));
    }
};

inline StartOptions demoStart(int english = 0) {
    StartOptions o;
    o.demo = true;
    o.english = english;
    return o;
}

} // namespace zelvor::test
