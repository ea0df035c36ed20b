#include "buffer/IntelHexParser.h"

#include <array>
#include <cstring>

namespace zelvor {

namespace {

// 0..15 for a hexadecimal digit (either case), 0xFF for anything else.
constexpr std::array<quint8, 256> makeDigitTable() {
    std::array<quint8, 256> t{};
    for (auto& v : t)
        v = 0xFF;
    for (int c = '0'; c <= '9'; ++c)
        t[size_t(c)] = quint8(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        t[size_t(c)] = quint8(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        t[size_t(c)] = quint8(c - 'a' + 10);
    return t;
}
constexpr std::array<quint8, 256> kDigit = makeDigitTable();

// Characters a line may end or be padded with: blanks, tabs, CR and the DOS end mark.
inline bool isPad(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\x1A' || c == '\f' || c == '\v';
}

} // namespace

bool IntelHexParser::fail(Error e) {
    error_ = e;
    errorLine_ = lineNo_;
    return false;
}

bool IntelHexParser::line(const char* p, size_t n) {
    ++lineNo_;
    while (n > 0 && isPad(p[n - 1]))
        --n;
    size_t lead = 0;
    while (lead < n && isPad(p[lead]))
        ++lead;
    if (lead == n) return true; // blank line
    if (p[0] != ':') return fail(BadFormat);

    // Byte count, address, type, data and checksum: 5 + count bytes as hex pairs.
    const size_t digits = n - 1;
    if (digits < 10 || digits % 2 != 0) return fail(BadFormat);
    const size_t bytes = digits / 2;
    quint8 rec[5 + 255];
    if (bytes > sizeof rec) return fail(BadFormat);
    const auto* u = reinterpret_cast<const unsigned char*>(p + 1);
    unsigned sum = 0;
    unsigned bad = 0;
    for (size_t i = 0; i < bytes; ++i) {
        const quint8 hi = kDigit[u[2 * i]];
        const quint8 lo = kDigit[u[2 * i + 1]];
        bad |= hi | lo;
        rec[i] = quint8((hi << 4) | (lo & 0x0F));
        sum += rec[i];
    }
    if (bad & 0xF0) return fail(BadFormat);
    if (size_t(rec[0]) + 5 != bytes) return fail(BadFormat);
    if ((sum & 0xFF) != 0) return fail(BadFormat);

    const unsigned count = rec[0];
    const unsigned addr = (unsigned(rec[1]) << 8) | rec[2];
    switch (rec[3]) {
    case 0x00:
        ++dataRecords_;
        if (!image_.store(linBase_ + segBase_ + addr, rec + 4, int(count))) return fail(TooLarge);
        break;
    case 0x02:
        if (count != 2) return fail(BadFormat);
        segBase_ = ((unsigned long long)rec[4] << 12) | ((unsigned long long)rec[5] << 4);
        break;
    case 0x04:
        if (count != 2) return fail(BadFormat);
        linBase_ = ((unsigned long long)rec[4] << 24) | ((unsigned long long)rec[5] << 16);
        break;
    default: // end of file, start addresses and unknown types carry no image bytes
        break;
    }
    return true;
}

bool IntelHexParser::feed(const char* data, size_t n) {
    if (error_ != None) return false;
    const char* p = data;
    const char* end = data + n;
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        if (!nl) {
            // A record line is short; a longer run without a line end is no HEX text.
            if (carry_.size() + size_t(end - p) > 4096) {
                ++lineNo_;
                return fail(BadFormat);
            }
            carry_.append(p, size_t(end - p));
            return true;
        }
        bool ok;
        if (!carry_.empty()) {
            carry_.append(p, size_t(nl - p));
            ok = line(carry_.data(), carry_.size());
            carry_.clear();
        } else {
            ok = line(p, size_t(nl - p));
        }
        if (!ok) return false;
        p = nl + 1;
    }
    return true;
}

bool IntelHexParser::finish() {
    if (error_ != None) return false;
    if (!carry_.empty()) {
        const bool ok = line(carry_.data(), carry_.size());
        carry_.clear();
        return ok;
    }
    return true;
}

} // namespace zelvor
