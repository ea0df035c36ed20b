// Page memory: pages carved from one shared mapping live until the last of them is released.

#include "app/PageAlloc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

using namespace zelvor;

namespace {

#if defined(__linux__)
// True while the range is mapped (mincore refuses unmapped memory).
bool mapped(const quint8* p, std::size_t len) {
    const long pg = ::sysconf(_SC_PAGESIZE);
    auto* start = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(p) / pg * pg);
    std::vector<unsigned char> v(len / pg + 2);
    return ::mincore(start, len, v.data()) == 0;
}
#endif

} // namespace

#if defined(__linux__)
TEST(PageAlloc, SharedRunStaysMappedUntilItsLastPageGoes) {
    for (const std::size_t count : {std::size_t(200), std::size_t(2000)}) { // below/above 2 MiB
        std::vector<PageBlock> pages = allocatePageRun(count, 2112);
        ASSERT_EQ(pages.size(), count);
        const quint8* base = pages.front().get();
        for (std::size_t k = 0; k < count; ++k) {
            ASSERT_EQ(pages[k].get(), base + k * 2112);
            ASSERT_EQ(pages[k][0], 0);
            ASSERT_EQ(pages[k][2111], 0);
            pages[k][0] = quint8(k);
            pages[k][2111] = quint8(k);
        }
        // Released in a scrambled order, some moved away first as an image swap would.
        std::vector<std::size_t> order(count);
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), std::mt19937(7));
        std::vector<PageBlock> kept;
        kept.push_back(std::move(pages[order.back()]));
        for (std::size_t i = 0; i + 1 < count; ++i)
            pages[order[i]].reset();
        ASSERT_TRUE(mapped(base, count * 2112));
        EXPECT_EQ(kept[0][2111], quint8(order.back()));
        kept.clear();
        EXPECT_FALSE(mapped(base, count * 2112));
    }
}
#endif
