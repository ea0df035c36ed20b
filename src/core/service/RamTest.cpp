#include "service/RamTest.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "catalogue/ChipParams.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

#include <algorithm>

namespace zelvor {

namespace {
constexpr qint32 kRamStep = 2048;
constexpr int kRamReplyTries = 2;
} // namespace

int TestRAMClick(Session& s) {
    ShowMessageS(s, QString());
    if (s.rom.canTestRam != 1) {
        ShowMessageS(s, msg::NoRamTest);
        s.op.opState = kRefused;
        return s.op.opState;
    }
    OpState& op = s.op;
    op.opStart = s.buf.addrStart;
    op.opEnd = op.opStart + kRamStep - 1;
    op.progPos = 0;
    op.progMax = s.buf.addrEnd - s.buf.addrStart + 1;
    const qint64 n = (qint64(op.progMax) + kRamStep - 1) / kRamStep * kRamStep;
    op.xferStep = kRamStep;
    op.progStep = double(134217728 / n);
    op.opName = s.text(msg::RamTestName);
    progressBegin(s, msg::RamTestName);
    op.opCode = 8;
    op.opState = 0;
    while (op.progPos < op.progMax && op.opState == 0) {
        if (op.opEnd > s.buf.addrEnd) op.opEnd = s.buf.addrEnd;
        progressAdvance(s);
        op.opCode = 8;
        if (commandExchange(s, kRamReplyTries) != 0)
            op.opState = 1;
        else if (s.link.ansBuf[0] != 0x55)
            op.opState = 8;
        if (progressPoll(s) && op.opState == 0) op.opState = 9;
        op.opStart += kRamStep;
        op.opEnd += kRamStep;
    }
    progressEnd(s);
    switch (op.opState) {
    case 0:
        ShowMessageS(s, msg::RamTestOk);
        break;
    case 8:
        ShowMessageS(s, msg::RamTestFailed);
        break;
    case 9:
        break;
    default:
        reportLinkError(s, false);
        break;
    }
    return op.opState;
}

int Badblock1Click(Session& s, int* bad) {
    if (bad) *bad = 0;
    const qint32 blockSize = badBlockSize(s.rom);
    if (blockSize == 0) {
        s.op.opState = kRefused;
        return s.op.opState;
    }
    const qint32 count = s.rom.romLen / blockSize;
    ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
    s.op.opState = 0;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 start = i * blockSize;
        int markerAt = 2048;
        if (s.rom.algCode == 61) {
            // The block's first pages from column 0 with their spare areas, as much as
            // one read block carries (2112 bytes); the first page's spare holds the
            // marker: byte 5 on small pages, byte 0 on large ones.
            const qint32 page = pageLength(s.rom);
            const qint32 data = page / 33 * 32;
            markerAt = data + (page < 2112 ? 5 : 0);
            s.op.opStart = start;
            s.op.opEnd = start + std::max<qint32>(page, 2112 / page * page) - 1;
        } else {
            s.op.opStart = start;
            s.op.opEnd = start + 2048;
        }
        Read_otv(s, -1, true);
        if (s.op.opState != 0) {
            reportLinkError(s, false);
            return s.op.opState;
        }
        const quint8 marker = s.link.auxBuf[size_t(markerAt)];
        if (marker != 0xFF && bad) ++*bad;
        ShowMessageS(s, Hex_str(quint32(i), 7) +
                            (marker == 0xFF ? QStringLiteral(" Clear block ")
                                            : QStringLiteral(" ======   Bad block ")) +
                            QString::number(marker));
    }
    ShowMessageSw(s, QString::fromUtf8(msg::BadBlockDone.ru));
    return 0;
}

} // namespace zelvor
