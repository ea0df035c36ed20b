#include "protect/BootBlock.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

namespace {

// Only the acknowledgement of the set-up packet decides.
int sendAcknowledged(Session& s, const Text& done) {
    s.op.opState = Send_mode(s) == 0 ? 0 : 1;
    if (s.op.opState != 0) {
        ShowMessageSc(s, QString::fromUtf8(msg::LinkError.ru));
        Reopen_com(s);
    } else {
        ShowMessageS(s, done);
    }
    return s.op.opState;
}

} // namespace

int Setup_BBL(Session& s, bool upper) {
    ShowMessageS(s, QString());
    if (s.rom.hasBblSet != 1) {
        ShowMessageS(s, msg::NoBbl);
        s.op.opState = kRefused;
        return s.op.opState;
    }
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
    s.op.opCode = 10;
    if (upper) {
        s.op.opStart = s.rom.romLen;
        s.op.opEnd = 0xFF0000;
    } else {
        s.op.opStart = s.op.opEnd = 0;
    }
    return sendAcknowledged(s, msg::BblSet);
}

int Read_bblClick(Session& s) {
    ShowMessageS(s, QString());
    if (s.rom.hasBblRead != 1) {
        ShowMessageS(s, msg::NoBbl);
        s.op.opState = kRefused;
        return s.op.opState;
    }
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
    s.op.opState = 0;
    QString text = s.text(msg::BblRead);
    for (int addr = 0; addr < 2; ++addr) {
        s.op.opCode = 11;
        s.op.opStart = s.op.opEnd = addr;
        const int before = s.op.opState;
        s.op.opState = 0;
        Read_bt(s);
        text += QLatin1Char('=') + Hex_str(s.link.auxBuf[0], 2);
        if (before != 0) s.op.opState = before; // the first failure is kept
    }
    if (s.op.opState != 0) {
        reportLinkError(s, false);
        return s.op.opState;
    }
    ShowMessageS(s, text);
    return 0;
}

int Mode_SDPClick(Session& s) {
    ShowMessageS(s, QString());
    if (s.rom.hasSdp != 1) {
        ShowMessageS(s, msg::NoSdp);
        s.op.opState = kRefused;
        return s.op.opState;
    }
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
    s.op.opStart = 2114;
    s.op.opCode = 9;
    return sendAcknowledged(s, msg::SdpOff);
}

} // namespace zelvor
