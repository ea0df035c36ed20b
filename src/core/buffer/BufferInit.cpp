#include "buffer/BufferInit.h"
#include "buffer/ImageHistory.h"

#include "catalogue/AlgFamilies.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

void Cnt_sizeb(RomBuf& buf) {
    if (buf.size % 256 == 0)
        buf.viewEnd = buf.size - 1;
    else
        buf.viewEnd = (buf.size / 256 + 1) * 256 - 1;
}

void Cnt_sizeb(Session& s) {
    Cnt_sizeb(s.buf);
}

void InitMem(Session& s) {
    s.buf.blocks.clear();
    s.buf.blocks.push_back(RomBuf::newBlock());
    imageReplaced(s.buf);
    s.buf.size = 256;
    s.buf.lastLen = 256;
    s.buf.checkSum = 0;
    Cnt_sizeb(s);
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels);
}

// Eight bytes at a time: the even and odd bytes of a 64-bit word are added in 16-bit lanes,
// which are folded before any lane can carry (at most 128 steps of 2 x 255 each).
quint32 byteSum(const quint8* p, qint64 len) {
    constexpr quint64 kLow = 0x00FF00FF00FF00FFull;
    quint32 sum = 0;
    qint64 i = 0;
    while (len - i >= 8) {
        quint64 lanes = 0;
        for (int step = 0; step < 128 && len - i >= 8; ++step, i += 8) {
            quint64 w;
            std::memcpy(&w, p + i, 8);
            lanes += (w & kLow) + ((w >> 8) & kLow);
        }
        for (int k = 0; k < 4; ++k)
            sum += quint32((lanes >> (16 * k)) & 0xFFFF);
    }
    for (; i < len; ++i)
        sum += p[i];
    return sum;
}

quint16 imageSum(const RomBuf& buf, int lastBytes) {
    quint32 sum = 0;
    const int n = buf.pageCount();
    for (int k = 0; k < n; ++k) {
        const int len = k + 1 < n ? RomBuf::kPage : std::clamp(lastBytes, 0, int(RomBuf::kPage));
        sum += byteSum(buf.blocks[size_t(k)].get(), len);
    }
    return quint16(sum);
}

void Count_sum(Session& s, int countsWords) {
    const int last = (s.rom.dataWidth == 8 || countsWords == 1) ? s.buf.lastLen : s.buf.lastLen * 2;
    s.buf.checkSum = imageSum(s.buf, last);
}

void Inc_data(Session& s) {
    if (hasLdrom(s.rom)) {
        qint32 mainSize = s.rom.romLen;
        if (s.base.valid(s.settings.romIdx))
            mainSize = s.base.at(s.settings.romIdx).size / std::max(1, int(s.rom.sizeDiv));
        s.buf.dataOfs = mainSize;
        s.rom.romLen = s.settings.autoData == 1 ? mainSize + 4096 : mainSize;
        if (s.settings.autoData == 1) {
            s.buf.addrStart = 0;
            s.buf.addrEnd = s.rom.romLen - 1;
        }
    } else if (s.rom.devClass == 5) {
        s.buf.dataOfs = 0x4200;
        s.buf.cfgwOfs = 0x4000;
    }
}

bool swapsWords(const Session& s) {
    return s.rom.dataWidth > 8 && s.rom.devClass != 6;
}

bool picDataArea(const Session& s) {
    return picMidRange(s.rom) && s.settings.autoData == 1 && s.buf.dataOfs > 0;
}

void swapPairs(quint8* page, int bytes) {
    for (int i = 0; i + 1 < bytes; i += 2)
        std::swap(page[i], page[i + 1]);
}

int swapBytesOfPage(const Session& s, int index) {
    if (index + 1 == s.buf.pageCount() && picDataArea(s)) {
        const qint64 lastStart = qint64(index) * RomBuf::kPage;
        const qint64 upTo = s.buf.dataOfs - lastStart;
        if (upTo >= 0 && upTo < RomBuf::kPage) return int(upTo) & ~1;
    }
    return RomBuf::kPage;
}

void SwapBuf(Session& s) {
    for (int k = 0; k < s.buf.pageCount(); ++k)
        swapPairs(s.buf.page(k), swapBytesOfPage(s, k));
}

} // namespace zelvor
