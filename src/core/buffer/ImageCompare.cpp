#include "buffer/ImageCompare.h"
#include "buffer/BufferInit.h"
#include "buffer/FileFormat.h"
#include "buffer/ImageBytes.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

namespace {
void addDiff(ImageDiff& d, qint64 first, qint64 last) {
    d.bytes += last - first + 1;
    if (!d.ranges.empty() && d.ranges.back().last + 1 == first)
        d.ranges.back().last = last;
    else
        d.ranges.push_back(DiffRange{first, last});
}
} // namespace

ImageDiff diffImages(const RomBuf& a, qint64 sizeA, const RomBuf& b, qint64 sizeB,
                     quint8 highMask) {
    ImageDiff d;
    const qint64 common = std::min(sizeA, sizeB);
    quint8 pa[RomBuf::kPage], pb[RomBuf::kPage];
    for (qint64 at = 0; at < common; at += RomBuf::kPage) {
        const qint64 n = std::min<qint64>(RomBuf::kPage, common - at);
        readImage(a, at, pa, n);
        readImage(b, at, pb, n);
        if (highMask != 0xFF)
            for (qint64 i = 0; i < n; i += 2) // pages start at even offsets
                pa[i] &= highMask;
        if (std::memcmp(pa, pb, size_t(n)) == 0) continue;
        for (qint64 i = 0; i < n;) {
            if (pa[i] == pb[i]) {
                ++i;
                continue;
            }
            qint64 j = i;
            while (j + 1 < n && pa[j + 1] != pb[j + 1])
                ++j;
            addDiff(d, at + i, at + j);
            i = j + 1;
        }
    }
    if (sizeA != sizeB) addDiff(d, common, std::max(sizeA, sizeB) - 1);
    return d;
}

int loadOtherImage(const Session& s, const QString& path, RomBuf& out, long long* hexLine) {
    int fmt = formatByName(path);
    if (fmt == FormatUnknown) fmt = formatByContent(path);
    if (fmt == FormatUnknown) fmt = s.settings.fileFmt;
    LoadedImage img;
    long long line = 0;
    const int code = fmt == FormatHex ? readHexImage(s, path, img, line)
                                      : readBinImage(path, s.buf.fileOffset, img);
    if (hexLine) *hexLine = line;
    if (code != FileOk) return code;
    out = RomBuf();
    out.blocks = std::move(img.blocks);
    out.size = qint32(img.size);
    if (swapsWords(s))
        for (int k = 0; k < out.pageCount(); ++k)
            swapPairs(out.page(k), RomBuf::kPage);
    return FileOk;
}

const DiffRange* nextDiff(const ImageDiff& d, qint64 offset) {
    const auto it = std::upper_bound(d.ranges.begin(), d.ranges.end(), offset,
                                     [](qint64 o, const DiffRange& r) { return o < r.first; });
    return it == d.ranges.end() ? nullptr : &*it;
}

const DiffRange* prevDiff(const ImageDiff& d, qint64 offset) {
    const auto it = std::lower_bound(d.ranges.begin(), d.ranges.end(), offset,
                                     [](const DiffRange& r, qint64 o) { return r.first < o; });
    return it == d.ranges.begin() ? nullptr : &*std::prev(it);
}

std::bitset<256> differingBytes(const ImageDiff& d, qint64 start) {
    std::bitset<256> out;
    auto it = std::lower_bound(d.ranges.begin(), d.ranges.end(), start,
                               [](const DiffRange& r, qint64 o) { return r.last < o; });
    for (; it != d.ranges.end() && it->first < start + 256; ++it)
        for (qint64 a = std::max(it->first, start); a <= std::min(it->last, start + 255); ++a)
            out.set(size_t(a - start));
    return out;
}

} // namespace zelvor
