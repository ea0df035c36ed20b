// Programming: one block, the programming loop and the Program command with the PIC
// extra areas.

#include "ops/Engine.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "catalogue/ChipParams.h"
#include "link/Frames.h"
#include "link/LinkControl.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/AlgRules.h"
#include "ops/ChipChange.h"
#include "ops/OpsInternal.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

namespace ops {

void restoreSpeed(Session& s) {
    if (s.run.slowed != 1) return;
    s.run.slowed = 0;
    (void)ChcSpd(s, s.run.savedBaud);
}

} // namespace ops

namespace {

// Image offset of byte `pos` of the block being written (block >= 1).
qint64 sourceBase(const Session& s, int block) {
    if (pagedWrite(s.rom)) return qint64(s.op.opStart - s.op.xferBase);
    return qint64(block - 1) * RomBuf::kPage;
}

quint8 sourceByte(const Session& s, int block, qint64 base, int pos) {
    if (block == 0) return s.link.auxBuf[size_t(pos)];
    return ops::imageByte(s.buf, base + pos);
}

void showWriteError(Session& s, quint32 address, quint32 found, quint32 expected, int digits) {
    s.fe.messageBox(
        s.text(msg::WriteErrorAt)
            .arg(Hex_str(address, 6), Hex_str(found, digits), Hex_str(expected, digits)),
        FrontEnd::Icon::Error);
}

// The buffer word of chip word address `address` (first byte high).
quint32 bufferWord(const Session& s, qint64 address) {
    const qint64 at = (address - s.buf.addrStart) * 2;
    return (quint32(ops::imageByte(s.buf, at)) << 8) | ops::imageByte(s.buf, at + 1);
}

} // namespace

void Wr_Er(Session& s, int expectedWord) {
    const auto& a = s.link.ansBuf;
    const quint32 address = (quint32(a[0]) << 16) | (quint32(a[1]) << 8) | a[2];
    if (wideTransfer(s)) {
        const quint32 expected = expectedWord >= 0 ? quint32(expectedWord) : bufferWord(s, address);
        showWriteError(s, address, (quint32(a[3]) << 8) | a[4], expected, 4);
    } else {
        showWriteError(s, address, a[4], a[3], 2);
    }
}

void Read_otw(Session& s, int block, qint32 opLen, bool repeat) {
    OpState& op = s.op;
    op.opCode = 2;
    progressAdvance(s, repeat);

    const qint32 savedArea = op.area;
    ops::prepareBlockPacket(s);
    const int sent = Send_mode(s);
    op.area = savedArea;
    if (sent != 0) {
        op.opState = opres::kSetupFailed;
        return;
    }
    if (Rd_reply_r(s, ops::kReadyTries) != 0 || s.link.ansLen < 1 || s.link.ansBuf[0] != kAck) {
        op.opState = opres::kNotReady;
        return;
    }

    const qint64 base = sourceBase(s, block);
    const int tries = ops::pieceReplyTries(s.rom.algCode);
    const int piece = std::clamp<qint32>(op.lenBl, 1, 256);
    for (qint32 offset = 0; offset < opLen; offset += piece) {
        const int len = std::min<qint32>(piece, opLen - offset);
        int index = kAuxIndex;
        int at = offset;
        if (block >= 1) {
            const qint64 x = base + offset;
            index = int(x / RomBuf::kPage);
            at = int(x % RomBuf::kPage);
        }
        if (Wr_block_r(s, index, at, len) != 0) {
            op.opState = opres::kBlockRejected;
            return;
        }
        const int rc = Rd_reply_r(s, tries);
        if (rc != 0) {
            op.opState = rc;
            return;
        }
        if (s.link.ansLen != 1) {
            op.opState = opres::kBadReply;
            return;
        }
    }
    op.opState = opres::kOk;

    if (s.rom.verifyBlock != 1) return;
    Read_otv(s, kAux2Index, true);
    if (op.opState != opres::kOk) {
        op.opState = opres::kSetupFailed;
        return;
    }
    const quint8* chip = s.link.auxBuf2.data();
    for (int pos = 0; pos < opLen; ++pos) {
        const quint8 want = sourceByte(s, block, base, pos);
        if (chip[pos] == want) continue;
        auto& a = s.link.ansBuf;
        const bool wide = wideTransfer(s);
        const quint32 address = quint32(op.opStart + (wide ? pos / 2 : pos));
        a[0] = quint8(address >> 16);
        a[1] = quint8(address >> 8);
        a[2] = quint8(address);
        a[3] = want;
        a[4] = chip[pos];
        s.link.ansLen = 5;
        if (ops::retriesVerify(s.rom.algCode) && !repeat) {
            op.opState = opres::kVerifyRetry;
            return;
        }
        if (wide) {
            const int even = pos & ~1;
            showWriteError(s, address, (quint32(chip[even]) << 8) | chip[even + 1],
                           (quint32(sourceByte(s, block, base, even)) << 8) |
                               sourceByte(s, block, base, even + 1),
                           4);
        } else {
            showWriteError(s, address, chip[pos], want, 2);
        }
        op.opState = opres::kVerifyMismatch;
        return;
    }
}

namespace {

// The end of a programming run: one status message by opState.
void reportWrite(Session& s) {
    switch (s.op.opState) {
    case opres::kOk:
        ShowMessageS(s, msg::Programmed);
        break;
    case opres::kBadReply:
        ShowMessageS(s, msg::ProgramError);
        Wr_Er(s);
        break;
    case opres::kCancelled:
    case opres::kVerifyMismatch:
        break;
    default:
        reportLinkError(s, false);
        break;
    }
}

void Write_ROM(Session& s) {
    OpState& op = s.op;
    if (s.buf.size == 0) {
        op.opState = opres::kEmptyBuffer;
        ShowMessageS(s, msg::BufferEmpty);
        return;
    }
    (void)Set_lenbl(s);
    op.opState = opres::kOk;
    op.opStart = op.xferBase = s.buf.addrStart;
    const qint32 writeEnd = CalcStep_w(s);
    op.opEnd = op.opStart + op.xferStep - 1;
    op.progPos = 0;
    progressBegin(s, msg::OpWrite);
    bool repeat = false;
    int b = 1;
    // Whole 512-byte pages for page-addressed algorithm 46, so the piece count the packet
    // announces matches the pieces sent.
    const bool wholePages = flashPages512(s.rom);

    while (op.progPos < op.progMax && op.opState == opres::kOk) {
        op.opEnd = std::min(op.opEnd, writeEnd);
        if (wholePages) op.opEnd = op.opStart + ((op.opEnd - op.opStart) | 511);
        const qint32 opLen = blockBytes(s, op.opEnd - op.opStart + 1);
        Read_otw(s, b, opLen, repeat);
        if (const int ms = ops::pauseAfterBlockMs(s.rom); ms > 0) Wait_ms(s, ms);
        if (op.opState == opres::kVerifyRetry) {
            repeat = true;
            op.opState = opres::kOk;
            op.progPos -= op.xferStep;
        } else {
            repeat = false;
            op.opStart += op.xferStep;
            op.opEnd = op.opStart + op.xferStep - 1;
            ++b;
        }
        if (progressPoll(s)) break;
    }
    progressEnd(s);

    if (op.opState == opres::kOk && s.rom.algCode == 30 && s.rom.optA == 1) {
        op.opStart = s.buf.addrStart;
        op.opEnd = op.opStart + 63;
        op.xferBase = op.opStart;
        op.progPos -= 64;
        Read_otw(s, 1, 64, true);
    }
    ops::restoreSpeed(s);
    reportWrite(s);
}

// Writes `n` bytes of auxBuf as one block of the current area.
void writeAuxBlock(Session& s, qint32 opEnd, qint32 n) {
    OpState& op = s.op;
    op.progPos = 0;
    op.progMax = n;
    op.xferStep = n;
    op.opStart = 0;
    op.opEnd = opEnd;
    op.xferBase = 0;
    op.lenBl = std::min<qint32>(n, 256);
    Read_otw(s, 0, n, true);
}

void writePicExtras(Session& s) {
    RomBuf& buf = s.buf;
    OpState& op = s.op;
    if (s.settings.autoData == 1 && buf.size > buf.dataOfs) {
        Code_Data(s, 1);
        const qint32 n = std::min<qint32>({s.rom.romLen, buf.size - buf.dataOfs, 256});
        ShowMessageS(s, msg::WaitWriteData);
        for (qint32 i = 0; i < n; ++i)
            s.link.auxBuf[size_t(i)] = ops::imageByte(buf, buf.dataOfs + i);
        s.rom.dataWidth = 8;
        writeAuxBlock(s, n - 1, n);
    }
    if (op.opState == opres::kOk && s.settings.autoCfgw == 1 && s.rom.algCode == 27 &&
        buf.size >= buf.cfgwOfs + 16) {
        Code_Data(s, 0);
        const bool single = ops::picSingleWord(s.rom);
        const qint32 from = buf.cfgwOfs + (single ? 14 : 0);
        const qint32 n = single ? 2 : 16;
        for (qint32 i = 0; i < n; ++i)
            s.link.auxBuf[size_t(i)] = ops::imageByte(buf, from + i);
        ShowMessageS(s, msg::WaitWriteCfgw);
        op.area = 2;
        writeAuxBlock(s, single ? 0 : 7, n);
    }
    Code_Data(s, 0);
    if (op.opState == opres::kOk)
        s.fe.statusMessage(s.text(msg::Programmed)); // the run's verdict stays in view
    else
        reportWrite(s);
}

} // namespace

int WriteRomClick(Session& s) {
    ShowMessageS(s, QString());
    if (s.rom.canWrite != 1) {
        ShowMessageS(s, msg::NoWriteMode);
        return s.op.opState = opres::kSetupFailed;
    }
    Write_ROM(s);
    if (s.op.opState == opres::kOk && ops::picExtrasWanted(s)) writePicExtras(s);
    return s.op.opState;
}

} // namespace zelvor
