#pragma once
// The buffer view's commands: undo and redo of the changes made in place, go to a buffer
// address, find bytes or text and find them again, and the CRC-32 of the address window.
// Each is refused while an operation runs and ends with one status message; the view shows
// the page and the caret they give. Text the operator typed wrongly gets a message box
// saying what is accepted, and nothing changes.

#include "app/Session.h"
#include "buffer/HexPage.h"

#include <QByteArray>
#include <QString>

namespace zelvor {

// What the last find looked for, kept for find-next and the next find dialog.
struct BufferSearch {
    QString text;       // as the operator typed it
    bool hex = true;    // hexadecimal pairs (true) or text
    QByteArray pattern; // the bytes; empty until a find was run
    qint64 lastHit = -1;
};

// Takes the latest change back or makes it again; `where` gets the buffer offset of its
// first byte for the view. HistoryOk, HistoryEmpty, HistoryStale or kCommandRefused.
[[nodiscard]] int undoChange(Session& s, qint64& where);
[[nodiscard]] int redoChange(Session& s, qint64& where);

// The go-to prompt: the range of buffer offsets that may be typed.
QString goToPrompt(const Session& s);
// Puts the view on the byte at the typed buffer offset. FindOk, FindBadAddress or
// kCommandRefused.
[[nodiscard]] int goToBufferAddress(Session& s, HexPage& view, const QString& text,
                                    HexCaret& caret);

// Finds the typed bytes (`hex`) or text from buffer offset `from` on, wrapping to the start,
// and puts the view on the first byte of the hit. FindOk, FindNotFound, FindBadPattern or
// kCommandRefused; `search` keeps the text and, once it parsed, the bytes.
[[nodiscard]] int findInBuffer(Session& s, HexPage& view, BufferSearch& search, const QString& text,
                               bool hex, qint64 from, HexCaret& caret);
// The same bytes again after the last hit. FindBadPattern without a message when nothing
// was looked for yet (the window then asks as for a find).
[[nodiscard]] int findNextInBuffer(Session& s, HexPage& view, BufferSearch& search,
                                   HexCaret& caret);

// Reports the CRC-32 of the buffer bytes a program of the address window takes.
// 0, 1 when the buffer is empty, or kCommandRefused.
[[nodiscard]] int reportWindowCrc(Session& s);

} // namespace zelvor
