#include "buffer/IntelHexWriter.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zelvor {

namespace {
struct HexPairs {
    std::array<char, 512> t{};
    constexpr HexPairs() {
        constexpr char d[] = "0123456789ABCDEF";
        for (int i = 0; i < 256; ++i) {
            t[size_t(2 * i)] = d[i >> 4];
            t[size_t(2 * i + 1)] = d[i & 15];
        }
    }
};
constexpr HexPairs kPairs;

// Two hex digits of b at o.
inline char* hex2(char* o, unsigned b) {
    std::memcpy(o, &kPairs.t[size_t(b & 0xFF) * 2], 2);
    return o + 2;
}

#if defined(__SSE2__)
// The 32 hex digits of the 16 bytes at p, and their sum, sixteen bytes at a time: the nibbles
// are spread into bytes of their own, then '0' is added, and 7 more where a nibble is above 9.
inline char* hex32(char* o, const quint8* p, unsigned& sum) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i low4 = _mm_set1_epi8(0x0F);
    const __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), low4);
    const __m128i lo = _mm_and_si128(v, low4);
    auto text = [](__m128i n) {
        const __m128i over9 = _mm_cmpgt_epi8(n, _mm_set1_epi8(9));
        return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')),
                            _mm_and_si128(over9, _mm_set1_epi8(7)));
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), text(_mm_unpacklo_epi8(hi, lo)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 16), text(_mm_unpackhi_epi8(hi, lo)));
    const __m128i halves = _mm_sad_epu8(v, _mm_setzero_si128());
    sum += unsigned(_mm_cvtsi128_si32(halves)) + unsigned(_mm_extract_epi16(halves, 4));
    return o + 32;
}
#endif
} // namespace

void IntelHexWriter::lineDone(char* end) {
    *end++ = '\r';
    *end++ = '\n';
    used_ = size_t(end - text_.get());
    if (used_ >= kFlushAt) flush();
}

void IntelHexWriter::put(const quint8* rec, int bytes) {
    // rec: count, address high, address low, type, data...; the checksum is added here.
    char* o = text_.get() + used_;
    *o++ = ':';
    unsigned sum = 0;
    for (int i = 0; i < bytes; ++i) {
        sum += rec[i];
        o = hex2(o, rec[i]);
    }
    lineDone(hex2(o, 0x100 - (sum & 0xFF)));
}

void IntelHexWriter::addressRecord(int type, unsigned value) {
    const quint8 rec[6] = {2, 0, 0, quint8(type), quint8(value >> 8), quint8(value)};
    put(rec, 6);
}

void IntelHexWriter::record16(long long addr, const quint8* data) {
    const long long upper = addr >> 16;
    if (upper != upper_) {
        if (addr < 0x100000) {
            addressRecord(2, unsigned(upper << 12));
            segUsed_ = upper != 0;
        } else {
            // Readers that add segment and linear bases need the segment cleared first.
            if (segUsed_) addressRecord(2, 0);
            segUsed_ = false;
            addressRecord(4, unsigned(upper));
        }
        upper_ = upper;
    }
    // The data record is the bulk of every file: written straight into the pending text.
    char* o = text_.get() + used_;
    std::memcpy(o, ":10", 3);
    o = hex2(o + 3, unsigned(addr >> 8));
    o = hex2(o, unsigned(addr));
    *o++ = '0';
    *o++ = '0';
    unsigned sum = 0x10 + unsigned((addr >> 8) & 0xFF) + unsigned(addr & 0xFF);
#if defined(__SSE2__)
    o = hex32(o, data, sum);
#else
    for (int i = 0; i < 16; ++i) {
        sum += data[i];
        o = hex2(o, data[i]);
    }
#endif
    lineDone(hex2(o, 0x100 - (sum & 0xFF)));
}

void IntelHexWriter::end() {
    std::memcpy(text_.get() + used_, ":00000001FF\r\n", 13);
    used_ += 13;
    flush();
}

bool IntelHexWriter::flush() {
    if (ok_ && used_ > 0) {
        const qint64 n = qint64(used_);
        if (out_.write(text_.get(), n) != n) ok_ = false;
    }
    used_ = 0;
    return ok_;
}

} // namespace zelvor
