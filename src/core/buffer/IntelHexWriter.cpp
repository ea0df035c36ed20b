#include "buffer/IntelHexWriter.h"

#include <array>

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
} // namespace

void IntelHexWriter::put(const quint8* rec, int bytes) {
    // rec: count, address high, address low, type, data...; the checksum is added here.
    char line[1 + 2 * 262 + 2];
    char* o = line;
    *o++ = ':';
    unsigned sum = 0;
    for (int i = 0; i < bytes; ++i) {
        sum += rec[i];
        const char* h = &kPairs.t[size_t(rec[i]) * 2];
        *o++ = h[0];
        *o++ = h[1];
    }
    const quint8 ck = quint8(0x100 - (sum & 0xFF));
    *o++ = kPairs.t[size_t(ck) * 2];
    *o++ = kPairs.t[size_t(ck) * 2 + 1];
    *o++ = '\r';
    *o++ = '\n';
    text_.append(line, size_t(o - line));
    if (text_.size() >= kFlushAt) flush();
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
    quint8 rec[4 + 16];
    rec[0] = 0x10;
    rec[1] = quint8(addr >> 8);
    rec[2] = quint8(addr);
    rec[3] = 0;
    for (int i = 0; i < 16; ++i)
        rec[4 + i] = data[i];
    put(rec, 20);
}

void IntelHexWriter::end() {
    text_ += ":00000001FF\r\n";
    flush();
}

bool IntelHexWriter::flush() {
    if (ok_ && !text_.empty()) {
        const qint64 n = qint64(text_.size());
        if (out_.write(text_.data(), n) != n) ok_ = false;
    }
    text_.clear();
    return ok_;
}

} // namespace zelvor
