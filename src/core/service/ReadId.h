#pragma once
// Identification: reads the chip's manufacturer and device codes (or signature bytes) and
// names the chip from the catalogue.

#include "app/Session.h"

#include <vector>

namespace zelvor {

// What the chip is asked: the addresses (and command bytes) of each read.
struct IdPlan {
    std::vector<qint32> addr;
    std::vector<int> cmd;      // empty: cmdArg is left alone
    bool twoByteReads = false; // 46, 60-62: each read covers two addresses
    bool wordPairs = false;    // 38, 47, 58: each read returns a 16-bit word
    quint8 opCode = 7;
    int count() const { return int(addr.size()); }
};
IdPlan idPlan(const Session& s);

// The identification text of the bytes read: each byte as two hex digits and a blank.
// `bytes` holds, per read, its first byte and (for two-byte and word reads) its second.
QString idText(const IdPlan& plan, const std::vector<std::array<quint8, 2>>& bytes);

// First catalogue entry whose codes make exactly `text` (2 codes for two reads, 3 for
// three); 0 when none.
int findCatalogueEntry(const Catalogue& cat, int idCount, const QString& text);

// The command: reads the codes, shows the entry's name or the no-match box. Returns opState
// (kRefused for a chip without identification). `found` gets the entry index (0 none).
[[nodiscard]] int ReadIdClick(Session& s, int* found = nullptr, QString* text = nullptr);

} // namespace zelvor
