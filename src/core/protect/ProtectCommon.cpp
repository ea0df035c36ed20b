#include "protect/ProtectCommon.h"

#include "app/Messenger.h"
#include "link/Frames.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"

namespace zelvor {

int commandExchange(Session& s, int tries)
{
    s.link.ansLen = 0;
    if (Send_mode(s) != 0) return 1;
    if (Rd_reply_r(s, tries) != 0) return 1;
    return s.link.ansLen > 0 ? 0 : 1;
}

void reportConfigWrite(Session& s, qint32 opLen)
{
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
    case opres::kCancelled:
    case opres::kVerifyMismatch:
        break;
    default:
        reportLinkError(s, false);
        break;
    }
}

} // namespace zelvor
