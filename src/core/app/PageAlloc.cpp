#include "app/PageAlloc.h"

#include <cstdint>

#if defined(Q_OS_UNIX)
#include <sys/mman.h>
#endif

namespace zelvor {

struct PageSlab {
    void* base = nullptr;
    std::size_t length = 0;
    std::size_t live = 0; // pages not yet released
};

namespace {

// Runs below this size are not worth a mapping of their own.
constexpr std::size_t kMinRunBytes = 256 * 1024;

void unmapSlab(PageSlab* slab) {
#if defined(Q_OS_UNIX)
    ::munmap(slab->base, slab->length);
#endif
    delete slab;
}

} // namespace

void PageRelease::operator()(quint8* p) const noexcept {
    if (!slab) {
        delete[] p;
        return;
    }
    if (--slab->live == 0) unmapSlab(slab);
}

PageBlock allocatePage(std::size_t bytes) {
    return PageBlock(new quint8[bytes]);
}

std::vector<PageBlock> allocatePageRun(std::size_t count, std::size_t bytes, bool backNow) {
    std::vector<PageBlock> pages;
#if defined(Q_OS_UNIX)
    const std::size_t need = count * bytes;
    if (count == 0 || need < kMinRunBytes || need / bytes != count) return pages;
    // Small pages only. Huge pages would save most of the work of backing the run, but taking
    // them can stall far longer than that work: the system may first compact memory to free
    // one, and a virtual machine that hands free huge pages back to its host (free page
    // reporting) takes each one back from the host page by page on first touch. Either way one
    // load in a few took five to ten times as long as the rest.
    const std::size_t length = (need + 4095) / 4096 * 4096;
    pages.reserve(count);
    void* raw = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return pages;
    auto* base = static_cast<quint8*>(raw);
#if defined(MADV_POPULATE_WRITE)
    // Backing the whole run at once costs one call instead of a fault per page; older
    // systems refuse the advice and the pages are then backed on first touch.
    if (backNow) ::madvise(base, length, MADV_POPULATE_WRITE);
#endif
    auto* slab = new PageSlab{base, length, count};
    for (std::size_t k = 0; k < count; ++k)
        pages.emplace_back(base + k * bytes, PageRelease{slab});
#else
    (void)count;
    (void)bytes;
    (void)backNow;
#endif
    return pages;
}

} // namespace zelvor
