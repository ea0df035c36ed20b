// Erase: one command, or one per sector with a status reply each.

#include "ops/Engine.h"
#include "ops/OperationTiming.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "link/Frames.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/AlgRules.h"
#include "ops/OpsInternal.h"
#include "ops/SectorList.h"

namespace zelvor {

namespace {

void showSectorWait(Session& s, int k, qint32 sector, int failed, int failures) {
    ShowMessageS(s, QString());
    const QString wait = QString::fromUtf8(msg::WaitErase.ru);
    switch (ops::eraseProgress(s.rom.algCode)) {
    case ops::EraseProgress::Count:
        ShowMessageS(s, wait + QString::number(k) + QLatin1Char(' ') + QString::number(failed));
        break;
    case ops::EraseProgress::SectorLine:
        ShowMessageS(s, wait + Hex_str(quint32(sector), 7) + QLatin1Char(' ') + QString::number(k) +
                            QLatin1Char(' ') + QString::number(failed) + QLatin1Char(' ') +
                            QString::number(failures));
        break;
    case ops::EraseProgress::Plain:
        ShowMessageSw(s, wait);
        break;
    }
}

} // namespace

int ClearRomClick(Session& s) {
    OpState& op = s.op;
    RomParams& p = s.rom;
    ShowMessageS(s, QString());
    if (p.canErase != 1) {
        ShowMessageS(s, msg::NoEraseMode);
        return op.opState = opres::kSetupFailed;
    }
    const std::vector<qint32> sectors =
        ops::eraseCommands(p, p.romLen, s.buf.addrStart, s.buf.addrEnd);
    timingBegin(s);

    op.opState = opres::kOk;
    const qint32 savedArea = op.area;
    if (p.devClass != 4) op.area = 2;
    const int tries = ops::eraseReplyTries(p);
    int failed = 0;
    int failures = 0;
    int k = 0;
    for (qint32 sector : sectors) {
        ++k;
        showSectorWait(s, k, sector, failed, failures);
        op.opCode = 5;
        op.opStart = sector;
        op.opEnd = s.buf.addrEnd;
        op.opStart |= ops::eraseStartFlags(p);
        ops::setAddrHigh(s);
        op.opState = opres::kSetupFailed;
        if (Send_mode(s) == 0) {
            const int rc = Rd_reply_r(s, tries);
            if (rc == 0) {
                op.opState = opres::kOk;
                failed = (s.link.ansLen < 1 || s.link.ansBuf[0] != kAck) ? 1 : 0;
                failures += failed;
            } else {
                op.opState = rc;
            }
        }
        if (op.opState != opres::kOk) break;
        s.fe.pumpEvents();
    }
    if (p.devClass != 4) op.area = savedArea;
    timingEnd(s, 0); // an erase moves no data: its time only

    if (op.opState != opres::kOk) {
        reportLinkError(s, false);
        return op.opState;
    }
    // Every sector must have been erased; a chip with no sector to erase is not erased.
    if (sectors.empty() || failures > 0) {
        ShowMessageS(s, ops::eraseErrorOwnText(p.algCode) ? msg::EraseError38 : msg::EraseError);
        return op.opState = opres::kNotBlank;
    }
    ShowMessageS(s, msg::EraseDone);
    return op.opState;
}

} // namespace zelvor
