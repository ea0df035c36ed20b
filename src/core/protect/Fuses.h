#pragma once
// Fuse and lock bits of the AVR chips and of the MCS-51 chips with fuse-like bits: the box
// captions and defaults from prgatmel.lst, the boxes shown from the bytes, and the read
// and write of the bytes. The chips handled here are those of fuseChip()
// (catalogue/AlgFamilies.h).

#include "app/Session.h"

#include <optional>

namespace zelvor {

inline constexpr char kFuseLayoutFile[] = "prgatmel.lst";

// One parsed prgatmel.lst line.
struct FuseLayout {
    int fuseCount = 0;                // 0: the default bytes could not be read (left alone)
    std::array<quint8, 3> defaults{}; // low, high, extended fuse byte as written
    std::array<QString, 21> names;    // f0..f7, h0..h7, E0..E4; empty hides the box
};
FuseLayout parseFuseLayoutLine(const QString& line);
// The 1-based line that describes the chip (27 for the MCS-51 fuse chips).
int fuseLayoutLineNumber(const RomParams& rom);
// The layout of 1-based line `number`; nullopt when the lines end first or a line starting
// with ';' comes before it.
std::optional<FuseLayout> findFuseLayout(const QStringList& lines, int number);

// Where a check box keeps its bit.
struct FuseBox {
    bool lock; // a lock box (lb1, lb2, blb01..blb12 = 0..5) or a fuse box (0..20)
    int box;
    int byte; // index into fuseBytes
    quint8 bit;
};
std::vector<FuseBox> fuseBoxMap(const RomParams& rom);

// Whether the panel shows a box and lets the operator change it. A fuse box is shown when
// it has a name and a bit on this chip; lb1 and lb2 always; the boot-lock boxes unless the
// chip hides them, and usable only where the chip allows them and they have a bit.
struct BoxAccess {
    bool shown = false;
    bool enabled = false;
};
BoxAccess fuseBoxAccess(const Session& s, bool lock, int box);

// The operator ticked or cleared a fuse box (0..20) or a lock box (0..5): the bytes and the
// value line follow at once. Returns 0, or kRefused for a box that is not usable and while
// an operation runs.
[[nodiscard]] int setFuseBox(Session& s, bool lock, int box, bool checked);

// Panel set-up at chip selection from prgatmel.lst; without the file or the line the panel
// keeps what it showed.
void FuseShow(Session& s);
// Shows fuseBytes in the boxes and the value line.
void FuseSetN(Session& s);
// Folds the boxes into fuseBytes (a checked box clears its bit).
void foldFuseBoxes(Session& s);

// Writes the bytes (the boxes folded first). Returns opState (kRefused when a lock step was
// refused).
[[nodiscard]] int WrtFuse(Session& s);
// Reads the bytes and shows them. Returns opState.
[[nodiscard]] int ReadFuse(Session& s);

} // namespace zelvor
