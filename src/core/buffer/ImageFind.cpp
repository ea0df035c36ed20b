#include "buffer/ImageFind.h"
#include "app/HexText.h"
#include "app/TextFile.h"
#include "buffer/ImageBytes.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace zelvor {

int findPattern(const QString& text, bool hex, QByteArray& out) {
    out.clear();
    if (!hex) {
        out = toCp1251(text);
        if (fromCp1251(out) != text) out.clear(); // a character the code page lacks
        return out.isEmpty() ? FindBadPattern : FindOk;
    }
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.isEmpty() || digits.size() % 2 != 0) return FindBadPattern;
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const HexValue v = Str_hex(digits.mid(i, 2));
        if (v.error) {
            out.clear();
            return FindBadPattern;
        }
        out.append(char(v.value));
    }
    return FindOk;
}

namespace {
// The first hit in [from, to) (the pattern wholly before `to`), or -1.
qint64 searchSpan(const RomBuf& buf, const QByteArray& pattern, qint64 from, qint64 to) {
    const qint64 m = pattern.size();
    constexpr qint64 kChunk = 64 * 1024;
    std::vector<quint8> chunk;
    const std::boyer_moore_horspool_searcher search(pattern.begin(), pattern.end());
    // Chunks overlap by m - 1 bytes so that a hit across their border is seen.
    for (qint64 at = from; at + m <= to; at += kChunk) {
        const qint64 n = std::min(kChunk + m - 1, to - at);
        chunk.resize(size_t(n));
        readImage(buf, at, chunk.data(), n);
        const auto* p = reinterpret_cast<const char*>(chunk.data());
        const auto hit = std::search(p, p + n, search);
        if (hit != p + n) return at + (hit - p);
    }
    return -1;
}
} // namespace

qint64 findBytes(const RomBuf& buf, const QByteArray& pattern, qint64 from, bool wrap) {
    const qint64 size = buf.size;
    if (pattern.isEmpty()) return -1;
    from = std::clamp<qint64>(from, 0, size);
    const qint64 hit = searchSpan(buf, pattern, from, size);
    if (hit >= 0 || !wrap || from == 0) return hit;
    return searchSpan(buf, pattern, 0, std::min(size, from + pattern.size() - 1));
}

int findInView(const RomBuf& buf, HexPage& view, const QByteArray& pattern, qint64 from,
               qint64& hit, HexCaret& caret) {
    if (pattern.isEmpty()) return FindBadPattern;
    hit = findBytes(buf, pattern, from, true);
    if (hit < 0) return FindNotFound;
    caret = view.showByte(buf, hit);
    return FindOk;
}

int goToAddress(const RomBuf& buf, HexPage& view, const QString& text, HexCaret& caret) {
    const QString t = text.trimmed();
    const HexValue v = Str_hex(t);
    if (t.isEmpty() || t.size() > 7 || v.error || qint64(v.value) >= buf.size)
        return FindBadAddress;
    caret = view.showByte(buf, v.value);
    return FindOk;
}

} // namespace zelvor
