#include "ops/Engine.h"

#include "app/Messenger.h"
#include "buffer/BufferInit.h"
#include "link/Frames.h"
#include "link/LinkControl.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/OperationTiming.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cmath>

namespace zelvor {

bool wideTransfer(const Session& s) {
    return bulkBytesPerAddress(s.rom) == 2;
}

qint32 blockBytes(const Session& s, qint32 addresses) {
    return wideTransfer(s) ? addresses * 2 : addresses;
}

bool pagedRead(const RomParams& p) {
    return nandWithSpare(p);
}

bool pagedWrite(const RomParams& p) {
    return pageAddressed(p);
}

namespace {

// Addresses per block for the chip: words when wider than 8 bits.
bool stepsInWords(const Session& s) {
    return s.rom.dataWidth != 8 || wideTransfer(s);
}

void setProgressStep(Session& s) {
    OpState& op = s.op;
    const qint64 step = std::max<qint32>(1, op.xferStep);
    const qint64 blocks = (qint64(std::max<qint32>(op.progMax, 1)) + step - 1) / step;
    op.progStep = double(step) * 65536.0 / double(blocks * step);
}

} // namespace

void CalcStep_r(Session& s, bool preparePages) {
    OpState& op = s.op;
    op.progMax = s.buf.addrEnd - s.buf.addrStart + 1;
    if (stepsInWords(s))
        op.xferStep = 1024;
    else
        op.xferStep = pagedRead(s.rom) ? 2112 : 2048;
    setProgressStep(s);
    op.opState = opres::kOk;
    if (!preparePages) return;
    const qint64 bytes = qint64(std::max<qint32>(op.progMax, 0)) * (stepsInWords(s) ? 2 : 1);
    while (qint64(s.buf.pageCount()) * RomBuf::kPage < bytes)
        s.buf.blocks.push_back(RomBuf::newBlock());
}

qint32 CalcStep_w(Session& s) {
    OpState& op = s.op;
    const qint32 window = s.buf.addrEnd - s.buf.addrStart + 1;
    qint32 count = stepsInWords(s) ? s.buf.size / 2 : s.buf.size;
    op.progMax = std::min(count, window);
    if (stepsInWords(s))
        op.xferStep = 1024;
    else
        op.xferStep = pagedWrite(s.rom) ? 2112 : 2048;
    setProgressStep(s);
    return count < window ? s.buf.addrStart + op.progMax - 1 : s.buf.addrEnd;
}

// --- progress -------------------------------------------------------------------------

QString operationCaption(const Session& s, const Text& name) {
    return s.text(msg::OpActive).arg(s.text(name));
}

void progressBegin(Session& s, const Text& name) {
    OpState& op = s.op;
    op.opName = s.text(name);
    op.opCancel = 0;
    op.progAcc = 0;
    timingBegin(s);
    s.fe.progressShow(operationCaption(s, name));
    s.fe.progressSet(0);
}

void progressAdvance(Session& s, bool silent) {
    OpState& op = s.op;
    op.progPos = std::min(op.progPos + op.xferStep, op.progMax);
    if (silent) return;
    op.progAcc += op.progStep;
    s.fe.progressSet(std::min(int(op.progAcc), kProgressMax));
}

bool progressPoll(Session& s) {
    s.fe.pumpEvents();
    if (s.fe.cancelRequested()) s.op.opCancel = 1;
    // A block that already failed keeps its own verdict.
    if (s.op.opCancel == 1 && s.op.opState == opres::kOk) s.op.opState = opres::kCancelled;
    return s.op.opState == opres::kCancelled;
}

void progressEnd(Session& s) {
    // A completed walk ends exactly at the end of the bar.
    if (s.op.opState == opres::kOk && s.op.progPos >= s.op.progMax &&
        int(s.op.progAcc) < kProgressMax) {
        s.op.progAcc = kProgressMax;
        s.fe.progressSet(kProgressMax);
    }
    s.fe.progressClose();
    // A cancelled operation reports nothing, so nothing carries its time.
    if (s.op.opState == opres::kCancelled)
        timingDiscard(s);
    else
        timingEnd(s, blockBytes(s, s.op.progPos));
}

QString elapsedText(Session& s) {
    return timingText(false, s.clock.nowMs() - s.op.opStartTime, 0);
}

// --- per-block transfers --------------------------------------------------------------

void Read_otv(Session& s, int index, bool quiet) {
    OpState& op = s.op;
    op.opCode = 1;
    if (!quiet) progressAdvance(s);
    if (s.rom.devClass == 4) Wait_ms(s, 100);

    const int w = wideTransfer(s) ? 2 : 1;
    const qint64 bytes = qint64(op.opEnd - op.opStart + 1) * w;
    int offset = 0;
    if (index >= 0) offset = int((qint64(op.opStart - op.xferBase) * w) % RomBuf::kPage);
    // The data must land inside the destination; a block that would not fit is refused
    // before anything is sent.
    const qint64 room = index >= 0
                            ? qint64(s.buf.pageCount() - index) * RomBuf::kPage - offset
                            : qint64(index == -1 ? s.link.auxBuf.size() : s.link.auxBuf2.size());
    if (bytes <= 0 || bytes > room) {
        op.opState = opres::kReadShort;
        return;
    }

    const qint32 savedArea = op.area;
    ops::prepareBlockPacket(s);
    const int rc = Send_mode(s);
    op.area = savedArea;
    if (rc != 0) {
        op.opState = opres::kReadSetup;
        return;
    }
    const int rd = Rd_block_r(s, index, offset);
    op.opState = rd;
}

void Read_bt(Session& s) {
    const qint32 width = s.rom.dataWidth;
    s.rom.dataWidth = 8;
    ops::setAddrHigh(s);
    if (Send_mode(s) != 0) {
        s.op.opState = opres::kSetupFailed;
    } else {
        const int rc = Rd_block_r(s, -1, 0);
        if (rc != 0) s.op.opState = rc;
    }
    s.rom.dataWidth = width;
}

// --- results --------------------------------------------------------------------------

void reportLinkError(Session& s, bool withCode) {
    QString text = QString::fromUtf8(msg::LinkError.ru);
    if (withCode) text += QString::number(s.op.opState);
    ShowMessageSc(s, text);
    Reopen_com(s);
}

void Print_Result(Session& s, int wide) {
    const int code = s.op.opState;
    if (code == opres::kOk) {
        ShowMessageS(s, msg::ReadDone);
        s.buf.size = (s.buf.pageCount() - 1) * RomBuf::kPage + s.buf.lastLen * (wide ? 2 : 1);
        Count_sum(s, 0);
        Cnt_sizeb(s);
    } else if (code != opres::kCancelled) {
        reportLinkError(s, true);
    }
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels);
}

} // namespace zelvor
