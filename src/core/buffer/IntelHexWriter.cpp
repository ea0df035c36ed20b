#include "buffer/IntelHexWriter.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

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

// Eight hex digits of the four bytes at p, in memory order, computed a word at a time: each
// nibble gets a byte of its own, then '0' is added, and 7 more where the nibble is above 9.
inline char* hex8(char* o, const quint8* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    std::uint64_t x = v;
    x = (x | (x << 16)) & 0x0000FFFF0000FFFFull;
    x = (x | (x << 8)) & 0x00FF00FF00FF00FFull;
    const std::uint64_t nib =
        ((x >> 4) & 0x000F000F000F000Full) | ((x & 0x000F000F000F000Full) << 8);
    const std::uint64_t over9 = ((nib + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
    const std::uint64_t text = nib + 0x3030303030303030ull + over9 * 7;
    std::memcpy(o, &text, 8);
    return o + 8;
}

// The sum of the 16 bytes at p.
inline unsigned sum16(const quint8* p) {
    std::uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    constexpr std::uint64_t m = 0x00FF00FF00FF00FFull;
    const std::uint64_t lanes = (a & m) + ((a >> 8) & m) + (b & m) + ((b >> 8) & m);
    return unsigned((lanes * 0x0001000100010001ull) >> 48);
}
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
    if constexpr (std::endian::native == std::endian::little) {
        sum += sum16(data);
        for (int i = 0; i < 16; i += 4)
            o = hex8(o, data + i);
    } else {
        for (int i = 0; i < 16; ++i) {
            sum += data[i];
            o = hex2(o, data[i]);
        }
    }
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
