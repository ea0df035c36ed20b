#pragma once
// Basic upkeep of the memory image: the view end, the initial erased page, the checksum,
// the placement of the extra areas and the byte-pair exchange of 16-bit data.

#include "app/Session.h"

namespace zelvor {

// viewEnd := size - 1 when size is a multiple of 256, else the next multiple of 256 - 1.
void Cnt_sizeb(Session& s);
void Cnt_sizeb(RomBuf& buf);

// Gives the buffer its initial contents: one erased page, size 256, checksum 0.
void InitMem(Session& s);

// checkSum := the sum of the image bytes modulo 65536. countsWords = 1: lastLen counts
// bytes; 0: lastLen counts words when the chip is wider than 8 bits (chip reads).
void Count_sum(Session& s, int countsWords);
quint16 imageSum(const RomBuf& buf, int lastBytes);
// The sum of `len` bytes (the low 16 bits are the checksum's share).
quint32 byteSum(const quint8* p, qint64 len);

// Sets dataOfs/cfgwOfs (and for algorithm 32 the window) for the current chip.
void Inc_data(Session& s);

// True when the buffer holds 16-bit words with their bytes exchanged against files.
bool swapsWords(const Session& s);
// True when the PIC data area (one byte per cell at dataOfs) is in use.
bool picDataArea(const Session& s);

// Exchanges the bytes of every byte pair of every page; with the PIC data area in use the
// last page only up to dataOfs.
void SwapBuf(Session& s);
// The exchange over `bytes` bytes of one page (an even count).
void swapPairs(quint8* page, int bytes);
// How many bytes of page `index` SwapBuf exchanges.
int swapBytesOfPage(const Session& s, int index);

} // namespace zelvor
