#pragma once
// The window of the README's pictures: demo mode on a folder holding the shipped lists, the
// AT29C256 chosen from the catalogue.

#include "MainWindow.h"
#include "TestDir.h"

namespace zelvor::test {

// Chooses the catalogue's entry of that name, as the chip dialog would.
inline void chooseChip(Session& s, const char* chip) {
    for (int i = 0; i < int(s.cat.entries.size()); ++i)
        if (s.cat.entries[size_t(i)].name.trimmed() == QLatin1String(chip)) {
            (void)selectChip(s, s.cat.entries[size_t(i)].base, ChipChoice{1, i + 1});
            return;
        }
}

inline void startDemoWindow(gui::MainWindow& w, const TestDir& dir, int english) {
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        dir.copyData(QLatin1String(f));
    StartOptions o;
    o.startDir = dir.path();
    o.demo = true;
    o.english = english;
    (void)w.start(o);
    chooseChip(w.session(), "AT29C256");
}

} // namespace zelvor::test
