// Compare: the chip against the buffer, first difference of each pass.

#include "ops/Engine.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "link/Frames.h"
#include "ops/ChipRead.h"
#include "ops/OpsInternal.h"

#include <algorithm>

namespace zelvor {

namespace {

// The compare message for one difference; `offset` is where the buffer holds the value.
void showDifference(Session& s, qint64 offset, quint32 address, int addrDigits, quint32 chip,
                    quint32 want, int digits) {
    s.fe.messageBox(
        s.text(msg::NotCompareAt)
            .arg(Hex_str(address, addrDigits), Hex_str(chip, digits), Hex_str(want, digits)),
        FrontEnd::Icon::Warning);
    s.fe.mismatch(Mismatch{address, offset, int(want), int(chip), digits * 4});
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
                showDifference(s, at, quint32(op.opStart + i), 6, got, want, 4);
                op.opState = opres::kBadReply;
                return;
            }
        }
        return;
    }
    for (qint32 i = 0; i < count; ++i) {
        const quint8 want = ops::imageByte(s.buf, base + i);
        if (chip[i] != want) {
            showDifference(s, base + i, quint32(op.opStart + i), 6, chip[i], want, 2);
            op.opState = opres::kBadReply;
            return;
        }
    }
}

// The configuration read into auxBuf against the image at cfgwOfs: words masked to the
// chip's width, or (PIC18) byte by byte. The first difference is shown; false then.
bool comparePicConfig(Session& s) {
    const ops::PicConfigLayout l = ops::picConfigLayout(s.rom);
    const quint8* chip = s.link.auxBuf.data();
    const qint64 at = s.buf.cfgwOfs + l.imageAt;
    if (!l.words) {
        for (int i = 0; i < l.bytes; ++i) {
            const quint8 want = ops::imageByte(s.buf, at + i);
            if (chip[i] != want) {
                showDifference(s, at + i, quint32(at + i), 4, chip[i], want, 2);
                return false;
            }
        }
        return true;
    }
    const quint32 mask = wordMask(s.rom);
    for (int i = 0; i < l.bytes; i += 2) {
        const quint32 got = (quint32(chip[i]) << 8) | chip[i + 1];
        const quint32 want =
            ((quint32(ops::imageByte(s.buf, at + i)) << 8) | ops::imageByte(s.buf, at + i + 1)) &
            mask;
        if (got != want) {
            // Shown by word number, as the configuration panel counts.
            showDifference(s, at + i, quint32(s.buf.cfgwOfs + (l.imageAt + i) / 2), 4, got, want,
                           4);
            return false;
        }
    }
    return true;
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
                showDifference(s, buf.dataOfs + i, quint32(buf.dataOfs + i), 6,
                               s.link.auxBuf[size_t(i)], want, 2);
                verdict = opres::kBadReply;
                break;
            }
        }
    }
    if (s.settings.autoCfgw == 1 && buf.size >= buf.cfgwOfs + 16) {
        Code_Data(s, 0);
        ops::readPicConfig(s);
        ShowMessageS(s, QStringLiteral(" "));
        if (op.opState != opres::kOk) {
            Code_Data(s, 0);
            return op.opState;
        }
        if (!comparePicConfig(s)) verdict = opres::kBadReply;
    }
    Code_Data(s, 0);
    return op.opState = verdict;
}

} // namespace

quint8 comparedHighMask(const Session& s) {
    return wideTransfer(s) ? quint8(wordMask(s.rom) >> 8) : quint8(0xFF);
}

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
    if ((code == opres::kOk || code == opres::kBadReply) && ops::picExtrasAsked(s) &&
        !ops::picExtrasFit(s)) {
        const int skipped = ops::reportSkippedPicExtras(s);
        return op.opState = code != opres::kOk ? code : skipped;
    }
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
