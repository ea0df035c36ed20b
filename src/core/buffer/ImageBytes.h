#pragma once
// Reading and writing runs of bytes of the image across its 2048-byte pages. Offsets outside
// the pages read as the erased value 0xFF.

#include "app/Records.h"

namespace zelvor {

// True when a page holds `offset`.
inline bool imageHolds(const RomBuf& buf, qint64 offset) {
    return offset >= 0 && offset < qint64(buf.pageCount()) * RomBuf::kPage;
}

inline quint8 imageByte(const RomBuf& buf, qint64 offset) {
    if (!imageHolds(buf, offset)) return 0xFF;
    return buf.blocks[size_t(offset / RomBuf::kPage)][size_t(offset % RomBuf::kPage)];
}

// Copies `n` bytes from `offset` on into `dst`.
void readImage(const RomBuf& buf, qint64 offset, quint8* dst, qint64 n);
// Copies `n` bytes of `src` into the pages from `offset` on; bytes outside the pages are
// dropped.
void writeImage(RomBuf& buf, qint64 offset, const quint8* src, qint64 n);
// Exchanges `n` bytes of the pages from `offset` on with those of `other`.
void swapImage(RomBuf& buf, qint64 offset, quint8* other, qint64 n);

} // namespace zelvor
