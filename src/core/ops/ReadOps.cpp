// Read and blank check.

#include "ops/Engine.h"

#include "app/Messenger.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageHistory.h"
#include "link/Frames.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/AlgRules.h"
#include "ops/ChipRead.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zelvor {

namespace {

// The image a read starts from: no pages, the window and offsets of the old one.
RomBuf freshImage(const RomBuf& old) {
    RomBuf b;
    b.addrStart = old.addrStart;
    b.addrEnd = old.addrEnd;
    b.bufOffset = old.bufOffset;
    b.fileOffset = old.fileOffset;
    b.viewEnd = old.viewEnd;
    b.dataOfs = old.dataOfs;
    b.cfgwOfs = old.cfgwOfs;
    b.lastLoadName = old.lastLoadName;
    b.lastSaveName = old.lastSaveName;
    return b;
}

// The data EEPROM and configuration words of a PIC behind its code (the read went well).
void readPicExtras(Session& s) {
    RomBuf& buf = s.buf;
    OpState& op = s.op;
    while (buf.pageCount() <= buf.dataOfs / RomBuf::kPage)
        buf.blocks.push_back(RomBuf::newBlock());
    quint8* last = buf.page(buf.dataOfs / RomBuf::kPage);
    const int cfgAt = buf.cfgwOfs % RomBuf::kPage;
    const int dataAt = buf.dataOfs % RomBuf::kPage;
    qint32 cells = 0;

    if (s.settings.autoData == 1) {
        Code_Data(s, 1);
        cells = std::min<qint32>(s.rom.romLen, RomBuf::kPage - dataAt);
        op.progPos = 0;
        op.progMax = cells;
        op.opStart = 0;
        op.opEnd = cells - 1;
        op.xferBase = 0;
        ShowMessageS(s, msg::WaitRead);
        Read_otv(s, kAuxIndex, true);
        if (op.opState == opres::kOk)
            std::memcpy(last + dataAt, s.link.auxBuf.data(), size_t(cells));
        ShowMessageS(s, QStringLiteral(" "));
    }
    if (op.opState == opres::kOk && s.settings.autoCfgw == 1) {
        Code_Data(s, 0);
        ops::readPicConfig(s);
        if (op.opState == opres::kOk) {
            // Only the bytes the chip gave; words before them read as erased words.
            const ops::PicConfigLayout l = ops::picConfigLayout(s.rom);
            for (int i = 0; l.words && i < l.imageAt; i += 2) {
                last[cfgAt + i] = 0x3F;
                last[cfgAt + i + 1] = 0xFF;
            }
            std::memcpy(last + cfgAt + l.imageAt, s.link.auxBuf.data(), size_t(l.bytes));
        }
    }
    if (op.opState == opres::kOk) {
        if (s.settings.autoData == 1) {
            buf.size = buf.dataOfs + cells;
            buf.lastLen = cells + 512;
        } else {
            buf.size = buf.cfgwOfs + 16;
            buf.lastLen = 16;
        }
        // Pages beyond the extras would break size = (pages - 1) * 2048 + lastLen.
        while (buf.pageCount() > (buf.size + RomBuf::kPage - 1) / RomBuf::kPage)
            buf.blocks.pop_back();
        imageReplaced(buf);
        Count_sum(s, 1);
        Cnt_sizeb(s);
    }
    Code_Data(s, 0);
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels | ChangeChip);
}

} // namespace

// Reads the window of s.buf, a fresh image, block by block under the progress display.
static void readWindow(Session& s) {
    OpState& op = s.op;
    op.opState = opres::kOk;
    op.opStart = s.buf.addrStart;
    op.progPos = 0;
    CalcStep_r(s, true);
    op.opEnd = op.opStart + op.xferStep - 1;
    s.buf.checkSum = 0;
    op.xferBase = op.opStart;
    progressBegin(s, msg::OpRead);

    const int w = wideTransfer(s) || s.rom.dataWidth != 8 ? 2 : 1;
    while (op.progPos < op.progMax && op.opState == opres::kOk) {
        const int k = int(qint64(op.opStart - op.xferBase) * w / RomBuf::kPage);
        op.opEnd = std::min(op.opEnd, s.buf.addrEnd);
        s.buf.lastLen = pagedRead(s.rom) ? ((op.opEnd - op.xferBase) % RomBuf::kPage) + 1
                                         : op.opEnd - op.opStart + 1;
        Read_otv(s, k, false);
        op.opStart += op.xferStep;
        op.opEnd += op.xferStep;
        if (progressPoll(s)) break;
    }
    progressEnd(s);
}

// The read loop behind the Read command. The chip is read into a fresh image that
// replaces the buffer only when the whole window arrived; a failed or cancelled read
// leaves the buffer as it was. `saved` receives the image the read replaced.
static void Read_Rom(Session& s, RomBuf& saved) {
    saved = std::move(s.buf);
    s.buf = freshImage(saved);
    ShowMessageS(s, QString());
    readWindow(s);
    if (s.op.opState != opres::kOk) s.buf = std::move(saved);
    Print_Result(s, s.rom.dataWidth != 8 ? 1 : 0);
}

int readChipImage(Session& s, qint32 lastAddress, RomBuf& out) {
    RomBuf saved = std::move(s.buf);
    s.buf = freshImage(saved);
    s.buf.addrEnd = std::min(s.buf.addrEnd, lastAddress);
    readWindow(s);
    out = std::move(s.buf);
    s.buf = std::move(saved);
    if (s.op.opState == opres::kOk)
        out.size =
            (out.pageCount() - 1) * RomBuf::kPage + out.lastLen * (s.rom.dataWidth != 8 ? 2 : 1);
    return s.op.opState;
}

int ReadRomClick(Session& s) {
    ShowMessageS(s, QString());
    if (s.rom.canRead != 1) {
        ShowMessageS(s, msg::NoReadMode);
        return s.op.opState = opres::kSetupFailed;
    }
    RomBuf saved;
    Read_Rom(s, saved);
    if (s.op.opState == opres::kOk && ops::picExtrasAsked(s) && !ops::picExtrasFit(s))
        return ops::reportSkippedPicExtras(s);
    if (s.op.opState == opres::kOk && ops::picExtrasWanted(s)) {
        const qint32 addrStart = s.buf.addrStart;
        const qint32 addrEnd = s.buf.addrEnd;
        readPicExtras(s);
        if (s.op.opState != opres::kOk) {
            // The read as a whole failed: the image from before it comes back.
            s.buf = std::move(saved);
            s.buf.addrStart = addrStart;
            s.buf.addrEnd = addrEnd;
            if (s.op.opState != opres::kCancelled) reportLinkError(s, true);
            s.fe.changed(ChangeBufferLabels);
        }
    }
    return s.op.opState;
}

int ReadNullClick(Session& s) {
    OpState& op = s.op;
    ShowMessageS(s, QString());
    if (s.rom.canBlank == 0) {
        ShowMessageS(s, msg::NoBlankMode);
        return op.opState = opres::kSetupFailed;
    }
    op.opStart = s.buf.addrStart;
    CalcStep_r(s, false);
    op.opEnd = op.opStart + op.xferStep - 1;
    op.progPos = 0;
    op.xferBase = op.opStart;
    ShowMessageS(s, QString());
    progressBegin(s, msg::OpBlank);
    op.opCode = 6;
    op.opState = opres::kOk;

    const bool inPc = ops::blankCheckInPc(s.rom.algCode);
    while (op.progPos < op.progMax && op.opState == opres::kOk) {
        op.opEnd = std::min(op.opEnd, s.buf.addrEnd);
        if (!inPc) {
            progressAdvance(s);
            op.opCode = 6;
            ops::setAddrHigh(s);
            if (Send_mode(s) != 0) {
                op.opState = opres::kNotReady;
            } else {
                const int rc = Rd_reply_r(s, ops::blankReplyTries(s.rom.devClass));
                if (rc != 0)
                    op.opState = rc;
                else if (s.link.ansBuf[0] != kAck)
                    op.opState = opres::kNotBlank;
            }
        } else {
            // The bytes that actually arrived decide, at the width now in force.
            const int n = blockBytes(s, op.opEnd - op.opStart + 1);
            Read_otv(s, kAuxIndex, false);
            if (op.opState == opres::kOk) {
                const bool pic14 = s.rom.algCode == 27 && op.area != 1 && wideTransfer(s);
                const quint8 high = quint8(0xFF >> (8 - std::clamp<int>(s.rom.extraBits, 0, 8)));
                const quint8* d = s.link.auxBuf.data();
                for (int i = 0; i < n; ++i) {
                    const quint8 want = (pic14 && i % 2 == 0) ? high : 0xFF;
                    if (d[i] != want) {
                        op.opState = opres::kNotBlank;
                        break;
                    }
                }
            }
        }
        if (progressPoll(s)) break;
        op.opStart += op.xferStep;
        op.opEnd += op.xferStep;
    }
    progressEnd(s);

    switch (op.opState) {
    case opres::kOk:
        ShowMessageS(s, msg::BlankOk);
        break;
    case opres::kNotBlank:
        ShowMessageS(s, msg::NotBlank);
        Reopen_com(s);
        break;
    case opres::kCancelled:
        break;
    default:
        reportLinkError(s, false);
        break;
    }
    return op.opState;
}

} // namespace zelvor
