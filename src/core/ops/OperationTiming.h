#pragma once
// How long the last chip operation took and how fast it went: measured on the session's
// clock from the start of its walk to its end, and shown beside its result message in the
// status bar and the journal.

#include "app/Session.h"

#include <QString>

namespace zelvor {

// "mm:ss" for `elapsedMs`, then the average rate in bytes per second when bytes moved and
// any time passed: "00:12, 43690 байт/с" / "00:12, 43690 bytes/s".
QString timingText(bool english, qint64 elapsedMs, qint64 bytes);

// Marks the start of an operation (the progress window's start time).
void timingBegin(Session& s);
// The operation ended after moving `bytes` bytes of chip data: its result message will
// carry the time and rate (s.op.timingNote).
void timingEnd(Session& s, qint64 bytes);
// Drops a note that no result message took (a cancelled operation reports nothing).
void timingDiscard(Session& s);

} // namespace zelvor
