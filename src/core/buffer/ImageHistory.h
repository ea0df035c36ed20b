#pragma once
// Changes of the image in place with a way back: the undo and redo of hex edits and buffer
// operations, the ranges edited since the image was loaded or read (the views mark them),
// and the cached CRC kept current. The history keeps the changed ranges only, never copies
// of the whole image, and drops its oldest steps beyond a bound.

#include "app/Session.h"

#include <bitset>
#include <functional>

namespace zelvor {

enum HistoryCode {
    HistoryOk = 0,
    HistoryEmpty = 1, // nothing to undo or redo
    HistoryStale = 2, // the step no longer fits the image: the history was dropped
};

// Steps and bytes the history keeps at most.
inline constexpr int kHistorySteps = 1000;
inline constexpr qint64 kHistoryBytes = 160LL * 1024 * 1024;

// Changes bytes first..last (inclusive, inside the pages) through `change`, which changes
// nothing else: keeps them for undo, marks them edited, keeps the CRC current.
void changeImage(Session& s, qint64 first, qint64 last, const std::function<void()>& change);
// One byte typed in the hex views; the two digits of one byte make one step.
void writeByte(Session& s, qint64 offset, quint8 value);
// "SWAP": exchanges the bytes of every byte pair, as one step.
void swapImageWords(Session& s);

[[nodiscard]] int undoImage(Session& s);
[[nodiscard]] int redoImage(Session& s);
bool canUndo(const RomBuf& buf);
bool canRedo(const RomBuf& buf);

// A new image (load, read, buffer offset): no history, nothing edited, the CRC unknown.
void imageReplaced(RomBuf& buf);

bool isEdited(const RomBuf& buf, qint64 offset);
// Which of the 256 bytes from `start` on were edited.
std::bitset<256> editedBytes(const RomBuf& buf, qint64 start);
// The edited ranges, first to last offset.
const std::map<qint64, qint64>& editedRanges(const RomBuf& buf);

} // namespace zelvor
