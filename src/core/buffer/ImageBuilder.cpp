#include "buffer/ImageBuilder.h"

#include <algorithm>
#include <cstring>

namespace zelvor {

ImageBuilder::ImageBuilder(long long limit) : limit_(limit) {}

RomBuf::Block ImageBuilder::erasedPage() {
    // Pages come from runs that grow with the image (128 pages at first, at most 1024), so a
    // large file costs a few mappings rather than a small allocation per page, and at most
    // one run's untouched tail stays unused.
    if (spare_.empty()) {
        const std::size_t want = std::clamp<std::size_t>(handedOut_, 128, 1024);
        spare_ = allocatePageRun(want, RomBuf::kAlloc, false);
        std::reverse(spare_.begin(), spare_.end());
    }
    ++handedOut_;
    if (spare_.empty()) return RomBuf::newBlock();
    RomBuf::Block b = std::move(spare_.back());
    spare_.pop_back();
    std::fill(b.get(), b.get() + RomBuf::kAlloc, quint8(0xFF));
    return b;
}

quint8* ImageBuilder::pageFor(long long index) {
    if (index >= (long long)pages_.size()) {
        // Grow the page table geometrically; the table holds pointers only.
        size_t want = std::max<size_t>(size_t(index) + 1, pages_.size() * 2);
        want = std::min<size_t>(want, size_t((limit_ + RomBuf::kPage - 1) / RomBuf::kPage));
        pages_.resize(std::max<size_t>(want, size_t(index) + 1));
    }
    RomBuf::Block& b = pages_[size_t(index)];
    if (!b) b = erasedPage();
    return b.get();
}

bool ImageBuilder::store(unsigned long long addr, const quint8* data, int n) {
    if (n <= 0) return true;
    if (addr > (unsigned long long)limit_ ||
        (unsigned long long)n > (unsigned long long)limit_ - addr)
        return false;
    long long a = (long long)addr;
    const long long end = a + n;
    while (a < end) {
        const long long page = a / RomBuf::kPage;
        const int ofs = int(a % RomBuf::kPage);
        const int chunk = int(std::min<long long>(RomBuf::kPage - ofs, end - a));
        std::memcpy(pageFor(page) + ofs, data, size_t(chunk));
        data += chunk;
        a += chunk;
    }
    extent_ = std::max(extent_, end);
    return true;
}

quint8 ImageBuilder::at(long long addr) const {
    const long long page = addr / RomBuf::kPage;
    if (addr < 0 || page >= (long long)pages_.size() || !pages_[size_t(page)]) return 0xFF;
    return pages_[size_t(page)][size_t(addr % RomBuf::kPage)];
}

void ImageBuilder::set(long long addr, quint8 value) {
    if (addr < 0 || addr >= limit_) return;
    pageFor(addr / RomBuf::kPage)[addr % RomBuf::kPage] = value;
    extent_ = std::max(extent_, addr + 1);
}

void ImageBuilder::truncate(long long size) {
    if (size >= extent_) return;
    const long long keep = (size + RomBuf::kPage - 1) / RomBuf::kPage;
    if (keep < (long long)pages_.size()) pages_.resize(size_t(keep));
    if (size % RomBuf::kPage != 0 && keep > 0 && pages_[size_t(keep - 1)]) {
        quint8* p = pages_[size_t(keep - 1)].get();
        std::fill(p + size % RomBuf::kPage, p + RomBuf::kPage, quint8(0xFF));
    }
    extent_ = size;
}

std::vector<RomBuf::Block> ImageBuilder::take(long long size) {
    const size_t count = size_t((size + RomBuf::kPage - 1) / RomBuf::kPage);
    pages_.resize(count);
    for (auto& b : pages_)
        if (!b) b = erasedPage();
    std::vector<RomBuf::Block> out;
    out.swap(pages_);
    spare_.clear();
    extent_ = 0;
    return out;
}

} // namespace zelvor
