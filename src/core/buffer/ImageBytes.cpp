#include "buffer/ImageBytes.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

namespace {
// Calls f(page pointer or null, bufferPosition, length) for each piece of [offset, offset+n)
// that lies in one page (null: outside the pages).
template <typename F> void forPieces(const RomBuf& buf, qint64 offset, qint64 n, F f) {
    const qint64 end = offset + n;
    const qint64 held = qint64(buf.pageCount()) * RomBuf::kPage;
    while (offset < end) {
        if (offset < 0 || offset >= held) {
            const qint64 len = offset < 0 ? std::min(end, qint64(0)) - offset : end - offset;
            f(nullptr, offset, len);
            offset += len;
            continue;
        }
        const qint64 at = offset % RomBuf::kPage;
        const qint64 len = std::min(end - offset, RomBuf::kPage - at);
        f(buf.blocks[size_t(offset / RomBuf::kPage)].get() + at, offset, len);
        offset += len;
    }
}
} // namespace

void readImage(const RomBuf& buf, qint64 offset, quint8* dst, qint64 n) {
    forPieces(buf, offset, n, [&](const quint8* p, qint64 at, qint64 len) {
        if (p)
            std::memcpy(dst + (at - offset), p, size_t(len));
        else
            std::memset(dst + (at - offset), 0xFF, size_t(len));
    });
}

void writeImage(RomBuf& buf, qint64 offset, const quint8* src, qint64 n) {
    forPieces(buf, offset, n, [&](quint8* p, qint64 at, qint64 len) {
        if (p) std::memcpy(p, src + (at - offset), size_t(len));
    });
}

void swapImage(RomBuf& buf, qint64 offset, quint8* other, qint64 n) {
    forPieces(buf, offset, n, [&](quint8* p, qint64 at, qint64 len) {
        if (p) std::swap_ranges(p, p + len, other + (at - offset));
    });
}

} // namespace zelvor
