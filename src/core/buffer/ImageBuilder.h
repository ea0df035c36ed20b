#pragma once
// Collects a loaded image in buffer pages, allocating a page only when a byte lands in it,
// so memory follows the image rather than a fixed load area.

#include "app/Records.h"

#include <vector>

namespace zelvor {

class ImageBuilder {
  public:
    explicit ImageBuilder(long long limit);

    // Stores n bytes at addr; false (nothing stored) when they would reach past the limit.
    [[nodiscard]] bool store(unsigned long long addr, const quint8* data, int n);
    // One past the highest address stored (0 when nothing was stored).
    long long extent() const { return extent_; }
    long long limit() const { return limit_; }
    // The byte at addr (0xFF where nothing was stored).
    quint8 at(long long addr) const;
    void set(long long addr, quint8 value);
    // Drops everything at and above `size` (erased value) and lowers the extent.
    void truncate(long long size);
    // The pages 0..ceil(size/2048)-1, erased pages filling the gaps. Leaves the builder empty.
    std::vector<RomBuf::Block> take(long long size);

  private:
    quint8* pageFor(long long index);
    RomBuf::Block erasedPage();

    std::vector<RomBuf::Block> pages_;
    std::vector<RomBuf::Block> spare_; // pages of the current run not handed out yet, last first
    std::size_t handedOut_ = 0;
    long long limit_;
    long long extent_ = 0;
};

} // namespace zelvor
