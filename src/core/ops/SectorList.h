#pragma once
// Which erase commands a chip gets: the sector start addresses by algorithm, size and
// options, and the restriction of the list to the address window.

#include "app/Records.h"

#include <vector>

namespace zelvor::ops {

// Sector starts in the chip's units for the chip, in the order they are sent. `size` is
// romLen; `addrStart` the window start (single-command chips get exactly that entry).
std::vector<qint32> sectorList(const RomParams& p, qint32 size, qint32 addrStart);

// True for the chips whose erase is limited to the sectors touching the window.
bool eraseFollowsWindow(const RomParams& p);

// The sectors of `list` whose range (from their start to the next higher start, the last
// up to `size`) meets [addrStart, addrEnd], in the list's own order.
std::vector<qint32> sectorsInWindow(const std::vector<qint32>& list, qint32 size, qint32 addrStart,
                                    qint32 addrEnd);

// The list the erase sends: restricted to the window where the chip wants it, every entry
// twice for algorithm 62.
std::vector<qint32> eraseCommands(const RomParams& p, qint32 size, qint32 addrStart,
                                  qint32 addrEnd);

} // namespace zelvor::ops
