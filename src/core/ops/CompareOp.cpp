// Compare: the chip against the buffer, first difference of each pass.

#include "ops/Engine.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "link/Frames.h"
#include "ops/OpsInternal.h"

#include <algorithm>

namespace zelvor {

namespace {

void showDifference(Session& s, quint32 address, int addrDigits, quint32 chip, quint32 want,
                    int digits) {
    s.fe.messageBox(
        s.text(msg::NotCompareAt)
            .arg(Hex_str(address, addrDigits), Hex_str(chip, digits), Hex_str(want, digits)),
        FrontEnd::Icon::Warning);
    s.fe.mismatch(Mismatch{address, int(want), int(chip), digits * 4});
}

quint32 wordMask(const RomParams& p) {
    return 0xFFFFu >> (8 - std::clamp<int>(p.extraBits, 0, 8));
}

// Compares the block in auxBuf with the buffer from image offset `base`; the first
// difference is shown and gives 5.
void compareBlock(Session& s, qint64 base) {
    OpState& op = s.op;
    const quint8* chip = s.link.auxBuf.data();
    const qint32 count = op.opEnd - op.opStart + 1;
    if (wideTransfer(s)) {
        const quint32 mask = wordMask(s.rom);
        for (qint32 i = 0; i < count; ++i) {
            const quint32 got = (quint32(chip[2 * i]) << 8) | chip[2 * i + 1];
            const qint64 at = base + 2 * qint64(i);
            const quint32 want =
                ((quint32(ops::imageByte(s.buf, at)) << 8) | ops::imageByte(s.buf, at + 1)) & mask;
            if (got != want) {
                showDifference(s, quint32(op.opStart + i), 6, got, want, 4);
                op.opState = opres::kBadReply;
                return;
            }
        }
        return;
    }
    for (qint32 i = 0; i < count; ++i) {
        const quint8 want = ops::imageByte(s.buf, base + i);
        if (chip[i] != want) {
            showDifference(s, quint32(op.opStart + i), 6, chip[i], want, 2);
            op.opState = opres::kBadReply;
            return;
        }
    }
}

// The PIC data EEPROM and configuration words behind the code. Returns opState.
int comparePicExtras(Session& s) {
    RomBuf& buf = s.buf;
    OpState& op = s.op;
    op.opState = opres::kOk;
    int verdict = opres::kOk;
    if (s.settings.autoData == 1 && buf.size > buf.dataOfs) {
        Code_Data(s, 1);
        const qint32 n = std::min<qint32>({s.rom.romLen, buf.size - buf.dataOfs, 2048});
        op.progPos = 0;
        op.progMax = n;
        op.opStart = 0;
        op.opEnd = n - 1;
        op.xferBase = 0;
        ShowMessageS(s, msg::WaitCompareData);
        Read_otv(s, kAuxIndex, true);
        ShowMessageS(s, QStringLiteral(" "));
        if (op.opState != opres::kOk) {
            Code_Data(s, 0);
            return op.opState;
        }
        for (qint32 i = 0; i < n; ++i) {
            const quint8 want = ops::imageByte(buf, buf.dataOfs + i);
            if (s.link.auxBuf[size_t(i)] != want) {
                showDifference(s, quint32(buf.dataOfs + i), 6, s.link.auxBuf[size_t(i)], want, 2);
                verdict = opres::kBadReply;
                break;
            }
        }
    }
    if (s.settings.autoCfgw == 1 && s.rom.algCode == 27 && buf.size >= buf.cfgwOfs + 16) {
        Code_Data(s, 0);
        const qint32 width = s.rom.dataWidth;
        const bool single = ops::picSingleWord(s.rom);
        op.area = 2;
        op.opStart = 0;
        op.opEnd = single ? 0 : 7;
        op.xferBase = 0;
        Read_otv(s, kAuxIndex, true);
        op.area = 0;
        s.rom.dataWidth = width;
        ShowMessageS(s, QStringLiteral(" "));
        if (op.opState != opres::kOk) {
            Code_Data(s, 0);
            return op.opState;
        }
        const quint32 mask = wordMask(s.rom);
        const int first = single ? 7 : 0;
        for (int w = first; w < 8; ++w) {
            const int got = single ? 0 : 2 * w;
            const quint32 chip =
                (quint32(s.link.auxBuf[size_t(got)]) << 8) | s.link.auxBuf[size_t(got + 1)];
            const qint64 at = buf.cfgwOfs + 2 * w;
            const quint32 want =
                ((quint32(ops::imageByte(buf, at)) << 8) | ops::imageByte(buf, at + 1)) & mask;
            if (chip != want) {
                showDifference(s, quint32(buf.cfgwOfs + w), 4, chip, want, 4);
                verdict = opres::kBadReply;
                break;
            }
        }
    }
    Code_Data(s, 0);
    return op.opState = verdict;
}

} // namespace

int CompRomClick(Session& s) {
    OpState& op = s.op;
    ShowMessageS(s, QString());
    if (s.rom.canCompare != 1) {
        ShowMessageS(s, msg::NoCompareMode);
        return op.opState = opres::kSetupFailed;
    }
    if (s.buf.size == 0) {
        op.opState = opres::kEmptyBuffer;
        ShowMessageS(s, msg::BufferEmpty);
        return op.opState;
    }
    op.opState = opres::kOk;
    op.progPos = 0;
    op.opStart = s.buf.addrStart;
    const qint32 passStart = op.opStart;
    op.xferBase = passStart;
    const qint32 writeEnd = CalcStep_w(s);
    op.opEnd = op.opStart + op.xferStep - 1;
    progressBegin(s, msg::OpCompare);
    const int w = wideTransfer(s) ? 2 : 1;

    while (op.progPos < op.progMax && op.opState == opres::kOk) {
        op.opEnd = std::min(op.opEnd, writeEnd);
        Read_otv(s, kAuxIndex, false);
        if (op.opState != opres::kOk) break;
        compareBlock(s, qint64(op.opStart - passStart) * w);
        op.opStart += op.xferStep;
        op.opEnd += op.xferStep;
        if (progressPoll(s)) break;
    }
    progressEnd(s);

    switch (op.opState) {
    case opres::kOk:
        ShowMessageS(s, msg::CompareOk);
        break;
    case opres::kBadReply:
        ShowMessageS(s, msg::CompareDiffers);
        break;
    case opres::kCancelled:
        break;
    default:
        reportLinkError(s, false);
        break;
    }

    const int code = op.opState;
    if ((code == opres::kOk || code == opres::kBadReply) && ops::picExtrasWanted(s) &&
        s.buf.size >= s.buf.cfgwOfs + 16) {
        const int extra = comparePicExtras(s);
        if (extra == opres::kBadReply) {
            // A difference behind the code must not stand under a "correct" verdict.
            if (code == opres::kOk) ShowMessageS(s, msg::CompareDiffers);
        } else if (extra != opres::kOk) {
            reportLinkError(s, false);
        }
        op.opState = code != opres::kOk ? code : extra;
    }
    return op.opState;
}

} // namespace zelvor
