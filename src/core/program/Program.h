#pragma once
// Start and stop of a program run for every front end: what the front end asks for (start
// folder, port, demo, rate, language) in one record, and one close.

#include "app/Session.h"

#include <QString>

namespace zelvor {

struct StartOptions {
    QString startDir;           // settings and list files; empty: the current folder
    QString port;               // "COM1".."COM4" (as mapped) or a device path; empty: the settings'
    bool demo = false;          // every exchange succeeds without a port
    int speedCode = -1;         // 0, 1, 2, 4, 8 instead of the saved rate; -1: the saved one
    int english = -1;           // 1 English, 0 Russian, -1: as saved
    bool openLink = true;       // false: a tool that never talks to the programmer
    bool writesSettings = true; // the window writes zelvor.cfg at close; the command line never
};

// Start-up in its fixed order with the options applied. Returns 0, or 1 when the tables
// could not be loaded (s.run.startFailed, s.run.startFailure says why).
int startProgram(Session& s, const StartOptions& options);

// The close: zelvor.cfg written (when the options said so and the tables were loaded), the
// journal closed, a programmer running faster than 9600 put back to it, the port closed.
// Safe to call twice.
void stopProgram(Session& s);

} // namespace zelvor
