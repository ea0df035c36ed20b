#include "buffer/ImageCrc.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageBytes.h"
#include "link/Frames.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace zelvor {

namespace {

constexpr quint32 kPoly = 0xEDB88320u; // reflected

// Eight tables: one byte at a time with the first, eight at a time with all of them.
constexpr std::array<std::array<quint32, 256>, 8> makeTables() {
    std::array<std::array<quint32, 256>, 8> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? (c >> 1) ^ kPoly : c >> 1;
        t[0][i] = c;
    }
    for (int j = 1; j < 8; ++j)
        for (quint32 i = 0; i < 256; ++i)
            t[size_t(j)][i] = (t[size_t(j - 1)][i] >> 8) ^ t[0][t[size_t(j - 1)][i] & 0xFF];
    return t;
}
constexpr auto kTables = makeTables();

// The CRC register run over the bytes, without the initial and final inversion.
quint32 runRegister(quint32 c, const quint8* p, std::size_t n) {
    while (n >= 8) {
        quint32 lo, hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + 4, 4);
        if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
            lo = qFromLittleEndian(lo);
            hi = qFromLittleEndian(hi);
        }
        lo ^= c;
        c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
            kTables[4][lo >> 24] ^ kTables[3][hi & 0xFF] ^ kTables[2][(hi >> 8) & 0xFF] ^
            kTables[1][(hi >> 16) & 0xFF] ^ kTables[0][hi >> 24];
        p += 8;
        n -= 8;
    }
    while (n--)
        c = (c >> 8) ^ kTables[0][(c ^ *p++) & 0xFF];
    return c;
}

// a * b modulo the polynomial, both in the reflected form (bit 31 is x^0); a is not 0.
quint32 multiplyModPoly(quint32 a, quint32 b) {
    quint32 m = 1u << 31, p = 0;
    for (;;) {
        if (a & m) {
            p ^= b;
            if ((a & (m - 1)) == 0) break;
        }
        m >>= 1;
        b = b & 1 ? (b >> 1) ^ kPoly : b >> 1;
    }
    return p;
}

// The register after running on over `n` zero bytes: reg * x^(8n).
quint32 runOverZeros(quint32 reg, qint64 n) {
    quint32 power = 1u << 23;  // x^8
    quint32 factor = 1u << 31; // x^0
    for (quint64 k = quint64(n); k; k >>= 1) {
        if (k & 1) factor = multiplyModPoly(power, factor);
        power = multiplyModPoly(power, power);
    }
    return multiplyModPoly(factor, reg);
}

// Puts `n` bytes read from buffer offset `start` (even) into file order.
void toFileOrder(const Session& s, qint64 start, quint8* p, qint64 n) {
    if (!swapsWords(s)) return;
    for (qint64 i = 0; i + 1 < n; i += 2) {
        const qint64 at = start + i;
        const int page = int(at / RomBuf::kPage);
        if (page < s.buf.pageCount() && at % RomBuf::kPage < swapBytesOfPage(s, page))
            std::swap(p[i], p[i + 1]);
    }
}

// What the cached value belongs to besides the bytes: how the words are put in file order.
qint64 layoutOf(const Session& s) {
    if (!swapsWords(s) || s.buf.pageCount() == 0) return 0;
    return 1 + swapBytesOfPage(s, s.buf.pageCount() - 1);
}

bool cacheCurrent(const Session& s) {
    const ImageTrack& t = s.buf.track;
    const void* first = s.buf.pageCount() ? s.buf.blocks[0].get() : nullptr;
    return t.crcValid && t.crcSize == s.buf.size && t.crcFirstPage == first &&
           t.crcLayout == layoutOf(s);
}

// Changes up to this many bytes update the cached value; larger ones drop it.
constexpr qint64 kIncrementalBytes = 64 * 1024;

} // namespace

quint32 crc32Update(quint32 crc, const quint8* p, std::size_t n) {
    return ~runRegister(~crc, p, n);
}

// Runs `crc` on over buffer offsets first..last, in file order.
static quint32 continueRangeCrc(const Session& s, quint32 crc, qint64 first, qint64 last) {
    quint8 chunk[RomBuf::kPage];
    first = std::max<qint64>(first, 0);
    // Whole pages in file order, the requested part of each.
    for (qint64 at = first / RomBuf::kPage * RomBuf::kPage; at <= last; at += RomBuf::kPage) {
        readImage(s.buf, at, chunk, RomBuf::kPage);
        toFileOrder(s, at, chunk, RomBuf::kPage);
        const qint64 from = std::max(first, at) - at;
        const qint64 to = std::min(last, at + RomBuf::kPage - 1) - at;
        crc = crc32Update(crc, chunk + from, size_t(to - from + 1));
    }
    return crc;
}

quint32 rangeCrc(const Session& s, qint64 first, qint64 last) {
    return continueRangeCrc(s, 0, first, last);
}

void windowRange(const Session& s, qint64& first, qint64& last) {
    const qint64 unit = s.rom.dataWidth != 8 || bulkBytesPerAddress(s.rom) == 2 ? 2 : 1;
    const qint64 bytes = (qint64(s.buf.addrEnd) - s.buf.addrStart + 1) * unit;
    first = 0;
    last = std::min<qint64>(bytes, s.buf.size) - 1;
}

quint32 bufferCrc(Session& s) {
    (void)advanceBufferCrc(s, std::numeric_limits<qint64>::max());
    return s.buf.track.crc;
}

bool advanceBufferCrc(Session& s, qint64 budget) {
    if (cacheCurrent(s)) return true;
    ImageTrack& t = s.buf.track;
    const void* first = s.buf.pageCount() ? s.buf.blocks[0].get() : nullptr;
    if (t.crcSize != s.buf.size || t.crcFirstPage != first || t.crcLayout != layoutOf(s)) {
        // Another image than the pass began on: start again.
        t.crcValid = false;
        t.crcSize = s.buf.size;
        t.crcFirstPage = first;
        t.crcLayout = layoutOf(s);
        t.crcPassAt = 0;
        t.crcPass = 0;
    }
    const qint64 size = s.buf.size;
    // Slices end on page boundaries, so that word order is kept page by page.
    const qint64 pages = std::max<qint64>(1, budget / RomBuf::kPage);
    const qint64 end =
        size - t.crcPassAt > pages * RomBuf::kPage ? t.crcPassAt + pages * RomBuf::kPage : size;
    if (end > t.crcPassAt) t.crcPass = continueRangeCrc(s, t.crcPass, t.crcPassAt, end - 1);
    t.crcPassAt = end;
    if (end < size) return false;
    t.crc = t.crcPass;
    t.crcValid = true;
    return true;
}

void crcAfterChange(Session& s, qint64 offset, const quint8* before, qint64 n) {
    ImageTrack& t = s.buf.track;
    if (!cacheCurrent(s) || !before || n > kIncrementalBytes) {
        t.crcValid = false;
        t.crcSize = -1; // a pass under way starts again
        return;
    }
    // The change as file bytes: both sides over whole words, put in file order, and their
    // difference run through the register and on over the rest of the image.
    const qint64 from = offset & ~qint64(1);
    const qint64 to = std::min<qint64>((offset + n - 1) | 1, qint64(s.buf.size) - 1);
    if (to < from) return; // wholly behind the image
    const qint64 len = to - from + 1;
    std::vector<quint8> now(size_t(len + 1)), was(size_t(len + 1));
    readImage(s.buf, from, now.data(), len + 1);
    was = now;
    std::memcpy(was.data() + (offset - from), before,
                size_t(std::min(n, len + 1 - (offset - from))));
    toFileOrder(s, from, now.data(), len + 1);
    toFileOrder(s, from, was.data(), len + 1);
    for (qint64 i = 0; i < len; ++i)
        now[size_t(i)] ^= was[size_t(i)];
    const quint32 delta = runRegister(0, now.data(), size_t(len));
    t.crc ^= runOverZeros(delta, qint64(s.buf.size) - 1 - to);
}

} // namespace zelvor
