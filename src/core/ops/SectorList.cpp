#include "ops/SectorList.h"

#include <algorithm>

namespace zelvor::ops {

namespace {

using List = std::vector<qint32>;

List multiples(qint32 step, qint32 count) {
    List l;
    for (qint32 i = 0; i < count; ++i)
        l.push_back(step * i);
    return l;
}

// Boot-block parts (17, 38) with their option A set and no low-voltage flag: the layouts
// of the three sizes, in units of m (2 for a byte-wide part, 1 for a word-wide one).
List bootBlockBySize(const RomParams& p, qint32 S) {
    const qint32 m = p.dataWidth == 8 ? 2 : 1;
    const bool top = p.variant == 1;
    List l;
    if (S == m * 0x20000) {
        l = top ? List{0x1E000, 0x1C000, 0x1D000, 0x10000, 0}
                : List{0, 0x2000, 0x3000, 0x4000, 0x10000};
    } else if (S == m * 0x40000) {
        l = top ? List{0x3E000, 0x3C000, 0x3D000, 0x30000, 0x20000, 0x10000, 0}
                : List{0, 0x2000, 0x3000, 0x4000, 0x10000, 0x20000, 0x30000};
    } else if (S == m * 0x80000) {
        l = top ? List{0x70000, 0x7C000, 0x7D000, 0x7E000, 0x60000, 0x50000,
                       0x40000, 0x30000, 0x20000, 0x10000, 0}
                : List{0,       0x2000,  0x3000,  0x4000,  0x10000, 0x20000,
                       0x30000, 0x40000, 0x50000, 0x60000, 0x70000};
    }
    for (qint32& v : l)
        v *= m;
    return l;
}

List bootBlock(const RomParams& p, qint32 S) {
    if (p.optA == 0)
        return p.variant == 1 ? List{0x1E000, 0x1C000, 0x1D000, 0}
                              : List{0, 0x2000, 0x3000, 0x4000};
    if (p.lowVcc == 0) return bootBlockBySize(p, S);
    List l;
    if (p.variant == 1) {
        if (S > 0x7FFF) l = multiples(0x8000, S / 0x8000);
        for (qint32 i = 1; i <= 7; ++i)
            l.push_back(S - 0x8000 + i * 0x1000);
    } else {
        l = multiples(0x1000, 8);
        if (S > 0xFFFF)
            for (qint32 i = 1; i <= S / 0x8000 - 1; ++i)
                l.push_back(0x8000 * i);
    }
    return l;
}

} // namespace

std::vector<qint32> sectorList(const RomParams& p, qint32 S, qint32 addrStart) {
    switch (p.algCode) {
    case 17:
    case 38:
        return bootBlock(p, S);
    case 33:
    case 53:
        return S > 0xFFFF ? multiples(0x10000, S / 0x10000) : List{};
    case 46: {
        const qint32 step = p.optC == 1 ? (p.optA == 1 ? 8192 : 4096) : 2048;
        return multiples(step, S / step);
    }
    case 60:
    case 61: {
        const qint32 step = p.optA == 1 ? 16896 : 8448;
        return multiples(step, S / step);
    }
    case 62: {
        const qint32 step = p.variant == 0 ? 135168 : 0x20000;
        return multiples(step, S / step);
    }
    default:
        return List{addrStart};
    }
}

bool eraseFollowsWindow(const RomParams& p) {
    const int a = p.algCode;
    return a == 38 || a == 53 || a == 61 || (a == 62 && p.variant == 0);
}

std::vector<qint32> sectorsInWindow(const List& list, qint32 size, qint32 addrStart,
                                    qint32 addrEnd) {
    List sorted = list;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    List out;
    for (qint32 start : list) {
        const auto it = std::upper_bound(sorted.begin(), sorted.end(), start);
        const qint64 end =
            (it == sorted.end() ? qint64(std::max(size, start + 1)) : qint64(*it)) - 1;
        if (start <= addrEnd && end >= addrStart) out.push_back(start);
    }
    return out;
}

std::vector<qint32> eraseCommands(const RomParams& p, qint32 size, qint32 addrStart,
                                  qint32 addrEnd) {
    List l = sectorList(p, size, addrStart);
    if (eraseFollowsWindow(p)) l = sectorsInWindow(l, size, addrStart, addrEnd);
    if (p.algCode == 62) {
        List twice;
        for (qint32 v : l) {
            twice.push_back(v);
            twice.push_back(v);
        }
        l = twice;
    }
    return l;
}

} // namespace zelvor::ops
