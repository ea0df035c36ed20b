#include "buffer/Listing.h"
#include "app/HexText.h"
#include "app/Messenger.h"

#include <algorithm>

namespace zelvor {

QStringList listingBlock(const RomBuf& buf, int block) {
    static const char kDigits[] = "0123456789ABCDEF";
    QStringList lines;
    lines.reserve(129);
    lines << Hex_str(quint32(block) * RomBuf::kPage, 7);
    const quint8* p = buf.blocks[size_t(block)].get();
    for (int r = 0; r < RomBuf::kPage / 16; ++r) {
        QString row = Hex_str(quint32(r), 2) + QStringLiteral("    ");
        row.reserve(6 + 32);
        for (int i = 0; i < 16; ++i) {
            const quint8 b = p[r * 16 + i];
            row += QLatin1Char(kDigits[b >> 4]);
            row += QLatin1Char(kDigits[b & 15]);
        }
        lines << row;
    }
    return lines;
}

int listingLastBlock(const RomBuf& buf) {
    return buf.pageCount() - 1;
}

int Print_Rom(Session& s, int first, int last, std::vector<QStringList>& pages) {
    ShowMessageS(s, QString());
    pages.clear();
    if (s.buf.size <= 0 || s.buf.pageCount() == 0) {
        ShowMessageS(s, msg::PrintEmpty);
        return ListingEmpty;
    }
    first = std::max(first, 0);
    last = std::min(last, listingLastBlock(s.buf));
    for (int k = first; k <= last; ++k)
        pages.push_back(listingBlock(s.buf, k));
    return ListingOk;
}

} // namespace zelvor
