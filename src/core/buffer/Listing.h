#pragma once
// The printed hexadecimal listing of the buffer: one block per listing page, headed by the
// block's start offset, 128 rows of 16 bytes.

#include "app/Session.h"

#include <QStringList>

#include <vector>

namespace zelvor {

enum ListingCode : int { ListingOk = 0, ListingEmpty = 1 };

// Header line (the block's start offset, 7 digits) and its 128 rows: the row number as 2
// digits, four blanks, the 16 bytes as 32 digits.
QStringList listingBlock(const RomBuf& buf, int block);
// The highest block a listing can show.
int listingLastBlock(const RomBuf& buf);

// The print command after the print dialog: clears the status, refuses an empty buffer
// with "Ошибка ! Буфер пуст.", else gives the listing of blocks first..last (clamped).
[[nodiscard]] int Print_Rom(Session& s, int first, int last, std::vector<QStringList>& pages);

} // namespace zelvor
