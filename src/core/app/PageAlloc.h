#pragma once
// Memory for the pages of the image. A page is either allocated on its own or carved out of
// one large mapping shared by the pages of a loaded image: a big image then costs one mapping,
// backed in one call, instead of tens of thousands of small allocations and page faults. Either way
// a page is released through its own deleter, and a shared mapping goes back to the system with its
// last page.

#include <QtGlobal>

#include <cstddef>
#include <memory>
#include <vector>

namespace zelvor {

struct PageSlab;

struct PageRelease {
    PageSlab* slab = nullptr; // null: the page was allocated on its own with new[]
    void operator()(quint8* p) const noexcept;
};

using PageBlock = std::unique_ptr<quint8[], PageRelease>;

// One page of `bytes` bytes allocated on its own (contents undefined).
PageBlock allocatePage(std::size_t bytes);

// `count` pages of `bytes` bytes each, consecutive in one mapping and zero-filled by the
// system; with `backNow` already backed by memory (for a run that is about to be filled
// whole), otherwise backed as it is touched. Empty when the run is too small to be worth a
// mapping or the mapping could not be made (the caller then allocates page by page).
std::vector<PageBlock> allocatePageRun(std::size_t count, std::size_t bytes, bool backNow = true);

} // namespace zelvor
