#pragma once
// The window of the README's pictures: demo mode on a folder holding the shipped lists, the
// AT29C256 chosen from the catalogue.

#include "MainWindow.h"
#include "TestDir.h"

namespace zelvor::test {

inline void startDemoWindow(gui::MainWindow& w, const TestDir& dir, int english) {
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        dir.copyData(QLatin1String(f));
    StartOptions o;
    o.startDir = dir.path();
    o.demo = true;
    o.english = english;
    (void)w.start(o);
    Session& s = w.session();
    for (int i = 0; i < int(s.cat.entries.size()); ++i)
        if (s.cat.entries[size_t(i)].name.trimmed() == QLatin1String("AT29C256")) {
            (void)selectChip(s, s.cat.entries[size_t(i)].base, ChipChoice{1, i + 1});
            break;
        }
}

} // namespace zelvor::test
