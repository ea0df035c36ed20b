#include "link/LinkControl.h"

#include "app/Messenger.h"
#include "link/Port.h"
#include "link/SetupPacket.h"

namespace zelvor {

namespace {
// Status panel 2: the rate, or nothing while the port is not open.
void showRate(Session& s) {
    if (s.link.demoMode != 1 && s.link.portFailed == 1)
        s.fe.statusPanel(2, QString());
    else
        ShowMessageT(s);
}
} // namespace

int ChcSpd(Session& s, int code) {
    ShowMessageS(s, QString());
    if (code == s.settings.baudIdx) return 0;
    const int old = s.settings.baudIdx;
    s.settings.baudIdx = code;
    s.op.opCode = 4;
    const int rc = Send_mode(s);
    if (rc != 0) {
        ShowMessageSc(s, QString::fromUtf8(msg::LinkError.ru));
        s.settings.baudIdx = old;
    }
    Reopen_com(s);
    showRate(s);
    return rc;
}

void selectComPort(Session& s, int port) {
    s.link.demoMode = 0;
    s.settings.comPort = quint16(port);
    Reopen_com(s);
    ShowMessageC(s);
    showRate(s);
}

void selectDemoMode(Session& s) {
    s.link.demoMode = 1;
    ShowMessageC(s);
    ShowMessageT(s);
}

void Shutdown_link(Session& s) {
    if (s.settings.baudIdx >= 1) {
        s.op.opCode = 4;
        s.settings.baudIdx = 0;
        (void)Send_mode(s);
    }
    (void)Close_com(s);
}

} // namespace zelvor
