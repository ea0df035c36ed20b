#include "program/Program.h"

#include "journal/Journal.h"
#include "program/Startup.h"

#include <QDir>

namespace zelvor {

namespace {

// COM1..COM4 (any case) as 0..3; -1 for anything else (a device path).
int comIndex(const QString& port) {
    const QString up = port.toUpper();
    if (up.size() == 4 && up.startsWith(QLatin1String("COM")) && up[3] >= QLatin1Char('1') &&
        up[3] <= QLatin1Char('4'))
        return up[3].unicode() - '1';
    return -1;
}

} // namespace

int startProgram(Session& s, const StartOptions& o) {
    const StartupHooks hooks = defaultStartupHooks();
    StartupHooks h = hooks;
    if (!o.port.isEmpty()) {
        const int com = comIndex(o.port);
        if (com < 0) {
            s.portOverride = o.port;
        } else {
            // A port chosen for this run wins over the one in the settings.
            auto reopen = hooks.reopenPort;
            h.reopenPort = [reopen, com](Session& ss) {
                ss.settings.comPort = quint16(com);
                if (reopen) reopen(ss);
            };
        }
    }
    if (o.demo) {
        h.reopenPort = nullptr;
        h.changeSpeed = nullptr;
    }
    if (o.speedCode >= 0) h.changeSpeed = nullptr; // the rate asked for replaces the saved one
    s.run.writesSettings = o.writesSettings;
    const QString dir = o.startDir.isEmpty() ? QDir::currentPath() : o.startDir;
    const int rc = Startup(s, h, dir, o.openLink);
    if (o.english >= 0) s.settings.english = o.english == 1 ? 1 : 0;
    if (o.demo) s.link.demoMode = 1;
    if (o.openLink && !o.demo && o.speedCode >= 0 && hooks.changeSpeed)
        hooks.changeSpeed(s, o.speedCode);
    return rc;
}

void stopProgram(Session& s) {
    if (s.run.stopped) return;
    s.run.stopped = true;
    Shutdown(s, defaultStartupHooks());
}

} // namespace zelvor
