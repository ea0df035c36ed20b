#pragma once
// The CRC-32 of the image (the one of zip and PNG, polynomial 0x04C11DB7 reflected), taken
// over the bytes as a BIN file of the buffer holds them: the first `size` bytes, 16-bit words
// with their bytes in file order. The buffer's CRC is cached and kept current: small changes
// update it, larger ones let it be recomputed on the next request.

#include "app/Session.h"

#include <cstddef>

namespace zelvor {

// Continues the CRC-32 `crc` (0 to start) over `n` bytes.
quint32 crc32Update(quint32 crc, const quint8* p, std::size_t n);

// The buffer's CRC-32, from the cache when it is current.
quint32 bufferCrc(Session& s);
// Takes the buffer's CRC-32 on over at most `budget` more bytes (a later call goes on where
// this one stopped); true once the cache is current and bufferCrc answers at once. Lets a
// window fill its label in slices after a large load instead of stalling on it.
bool advanceBufferCrc(Session& s, qint64 budget);
// The CRC-32 of buffer offsets first..last (inclusive; bytes beyond the pages count as 0xFF).
quint32 rangeCrc(const Session& s, qint64 first, qint64 last);
// The buffer offsets a program of the address window takes: 0 up to the window's length in
// bytes (a word address counts two), at most the image; last < first when there are none.
void windowRange(const Session& s, qint64& first, qint64& last);

// Keeps the cached CRC current after the `n` bytes from `offset` on changed in place;
// `before` holds them as they were (null: unknown, the CRC is recomputed when next asked).
void crcAfterChange(Session& s, qint64 offset, const quint8* before, qint64 n);

} // namespace zelvor
