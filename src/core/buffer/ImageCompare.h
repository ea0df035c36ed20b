#pragma once
// The buffer against another image (a file, or later the chip): the ranges where they
// differ, how many, and the next and previous difference from a place in the views.

#include "app/Session.h"
#include "buffer/BufferFiles.h"

#include <bitset>
#include <vector>

namespace zelvor {

struct DiffRange {
    qint64 first = 0;
    qint64 last = 0; // inclusive
    bool operator==(const DiffRange&) const = default;
};

struct ImageDiff {
    std::vector<DiffRange> ranges; // ascending, apart from each other
    qint64 bytes = 0;              // differing bytes in all
};

// Compares the first `sizeA` bytes of `a` with the first `sizeB` of `b`; where only one image
// has bytes, they differ. `highMask` is laid over the bytes at even offsets of `a` first: the
// high byte of each word of a part narrower than 16 bits, whose unused bits the chip does
// not keep.
ImageDiff diffImages(const RomBuf& a, qint64 sizeA, const RomBuf& b, qint64 sizeB,
                     quint8 highMask = 0xFF);

// Loads the image to compare the buffer with: the format by the name, else by the content,
// else the one chosen for loads; 16-bit words exchanged as a load into the buffer would.
// `hexLine` gets the line of a HEX error.
[[nodiscard]] int loadOtherImage(const Session& s, const QString& path, RomBuf& out,
                                 long long* hexLine = nullptr);

// The first range that starts after `offset`, and the last that starts before it; null
// when there is none.
const DiffRange* nextDiff(const ImageDiff& d, qint64 offset);
const DiffRange* prevDiff(const ImageDiff& d, qint64 offset);
// Which of the 256 bytes from `start` on differ (for colouring a page).
std::bitset<256> differingBytes(const ImageDiff& d, qint64 start);

} // namespace zelvor
