// The Intel HEX reader on arbitrary text, fed in pieces whose size the input chooses.

#include "buffer/FileCodes.h"
#include "buffer/ImageBuilder.h"
#include "buffer/IntelHexParser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + data[0] % 64;
    ++data;
    --size;
    zelvor::ImageBuilder image(zelvor::kMaxImageBytes);
    zelvor::IntelHexParser parser(image);
    for (size_t at = 0; at < size; at += piece) {
        const size_t n = size - at < piece ? size - at : piece;
        if (!parser.feed(reinterpret_cast<const char*>(data) + at, n)) break;
    }
    const bool ok = parser.finish();
    if (ok != (parser.error() == zelvor::IntelHexParser::None)) abort();
    if (ok && image.extent() > 0) {
        // Every stored byte is reachable and the pages cover the image.
        (void)image.at(image.extent() - 1);
        const long long extent = image.extent();
        const auto pages = image.take(extent);
        if ((long long)pages.size() != (extent + 2047) / 2048) abort();
        for (const auto& page : pages)
            if (!page) abort();
    }
    return 0;
}
