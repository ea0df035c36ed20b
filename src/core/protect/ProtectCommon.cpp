#include "protect/ProtectCommon.h"

#include "app/Messenger.h"
#include "link/Frames.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"

namespace zelvor {

int commandExchange(Session& s, int tries) {
    s.link.ansLen = 0;
    if (Send_mode(s) != 0) return 1;
    if (Rd_reply_r(s, tries) != 0) return 1;
    return s.link.ansLen > 0 ? 0 : 1;
}

void verifyConfigWrite(Session& s, qint32 opLen, qint32 readWidth,
                       const std::function<quint8(int)>& mask) {
    if (s.op.opState != opres::kOk) return;
    {
        WidthScope width(s, readWidth);
        Read_otv(s, kAux2Index, true);
    }
    if (s.op.opState != opres::kOk) return;
    const auto& sent = s.link.auxBuf;
    const auto& back = s.link.auxBuf2;
    for (int i = 0; i < opLen; ++i) {
        if (((sent[size_t(i)] ^ back[size_t(i)]) & mask(i)) != 0) {
            s.op.opState = opres::kVerifyMismatch;
            return;
        }
    }
}

void reportConfigWrite(Session& s, qint32 opLen) {
    switch (s.op.opState) {
    case opres::kOk:
        ShowMessageS(s, msg::CfgProgrammed);
        break;
    case opres::kBadReply: {
        ShowMessageS(s, msg::CfgProgError);
        // The record names the word address; the expected word is what was sent there.
        const auto& a = s.link.ansBuf;
        const qint32 addr = (qint32(a[0]) << 16 | qint32(a[1]) << 8 | a[2]) - s.op.opStart;
        int expected = -1;
        if (addr >= 0 && 2 * addr + 1 < opLen)
            expected = s.link.auxBuf[size_t(2 * addr)] << 8 | s.link.auxBuf[size_t(2 * addr + 1)];
        Wr_Er(s, expected);
        break;
    }
    case opres::kVerifyMismatch:
        ShowMessageS(s, msg::CfgProgError);
        break;
    case opres::kCancelled:
        break;
    default:
        reportLinkError(s, false);
        break;
    }
}

} // namespace zelvor
