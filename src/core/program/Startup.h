#pragma once
// The life of a program run: start-up in its fixed order, and the close.
// The phases that belong to other subsystems are hooks, so each can be wired (or left
// out) by the front end and by tests.

#include "app/Session.h"

#include <functional>

namespace zelvor {

struct StartupHooks {
    // Reads prgplus.lst from the directory into s.base; 0 on success. A non-zero result
    // means the file is missing, empty or broken; `why` gets a message for the user.
    std::function<int(Session&, const QString& dir, QString& why)> loadBaseTable;
    // Parses the built-in catalogue against s.base; returns the number of entries.
    std::function<int(Session&)> loadCatalogue;
    // Sets the Vpp, Vcc and algorithm choice texts.
    std::function<void(Session&)> setChoiceTexts;
    // Derives s.rom from s.settings.romIdx (and the catalogue entry) without a packet.
    std::function<void(Session&)> deriveChip;
    // Sets up the restored chip as a chosen one: its extra areas in the buffer and its
    // configuration panels.
    std::function<void(Session&)> incData;
    // Gives the empty buffer its first erased block.
    std::function<void(Session&)> initMem;
    // Reads prgadapt.lst from the directory.
    std::function<void(Session&, const QString& dir)> loadAdapters;
    // The chip label as the main window shows it (name plus area suffix).
    std::function<QString(const Session&)> chipLabel;
    // Reads the COM port map (zelvor.ports) from the directory.
    std::function<void(Session&, const QString& dir)> loadPortMap;
    // Closes and opens the port at the current speed code.
    std::function<void(Session&)> reopenPort;
    // Switches programmer and port to a speed code.
    std::function<void(Session&, int code)> changeSpeed;
    // Sends one set-up packet (used at close to put the programmer back to 9600).
    std::function<int(Session&)> sendMode;
    // Closes the port.
    std::function<void(Session&)> closePort;
    // Closes the journal.
    std::function<void(Session&)> closeJournal;
};

// The hooks wired to the real subsystems.
StartupHooks defaultStartupHooks();

// Runs the start-up sequence in `dir` (the start directory). With `openLink` false the port
// is left closed (tools that never talk to the programmer). Returns 0, or 1 when the
// tables could not be loaded (s.run.startFailed, with s.run.startFailure saying why).
int Startup(Session& s, const StartupHooks& hooks, const QString& dir, bool openLink = true);

// The close: saves the settings, closes the journal, puts the programmer back to 9600 and
// releases the transfer buffers.
void Shutdown(Session& s, const StartupHooks& hooks);

// Every chip or buffer command starts with this: false (with a message) when the tables
// are missing or another operation is running.
bool commandAllowed(Session& s, bool needsChip = true);

// Marks an operation as running for its lifetime; a second command meanwhile is refused.
class BusyScope {
  public:
    explicit BusyScope(Session& s) : s_(s) { s_.op.busy = true; }
    ~BusyScope() { s_.op.busy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    Session& s_;
};

} // namespace zelvor
