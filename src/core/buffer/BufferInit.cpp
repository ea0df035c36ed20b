#include "buffer/BufferInit.h"

#include <algorithm>

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
    s.buf.size = 256;
    s.buf.lastLen = 256;
    s.buf.checkSum = 0;
    Cnt_sizeb(s);
    s.fe.refresh();
}

quint16 imageSum(const RomBuf& buf, int lastBytes) {
    quint32 sum = 0;
    const int n = buf.pageCount();
    for (int k = 0; k < n; ++k) {
        const quint8* p = buf.blocks[size_t(k)].get();
        int len = k + 1 < n ? RomBuf::kPage : std::clamp(lastBytes, 0, int(RomBuf::kPage));
        for (int i = 0; i < len; ++i)
            sum += p[i];
    }
    return quint16(sum);
}

void Count_sum(Session& s, int countsWords) {
    const int last = (s.rom.dataWidth == 8 || countsWords == 1) ? s.buf.lastLen : s.buf.lastLen * 2;
    s.buf.checkSum = imageSum(s.buf, last);
}

void Inc_data(Session& s) {
    if (s.rom.algCode == 32) {
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
    return s.rom.algCode == 27 && s.settings.autoData == 1 && s.buf.dataOfs > 0;
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
