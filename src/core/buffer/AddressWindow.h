#pragma once
// The rules of the address window, shared by the address dialog and the command line.
// Page-addressed Flash is given in page numbers; other page and block chips in bytes on
// page or block boundaries; algorithm 49 wants a window of an even length.

#include "app/Session.h"

namespace zelvor {

enum WindowCode : int { WindowOk = 0, WindowBadStart = 1, WindowBadEnd = 2 };

// The window prompts: the unit and the range the values may take.
QString windowStartPrompt(const Session& s);
QString windowEndPrompt(const Session& s, quint32 start);

// Whether the typed start (in the chip's unit) is accepted.
bool windowStartAccepted(const RomParams& rom, quint32 start);
// Whether the typed end is accepted after a start that gave byte address `startAddr`.
bool windowEndAccepted(const RomParams& rom, qint64 startAddr, quint32 end);
// Byte addresses of a typed start and end.
qint64 windowStartAddress(const RomParams& rom, quint32 start);
qint64 windowEndAddress(const RomParams& rom, quint32 end);
// The typed value that stands for the window's current start and end.
quint32 windowStartValue(const RomParams& rom, qint64 startAddr);
quint32 windowEndValue(const RomParams& rom, qint64 endAddr);

// Both values at once: WindowOk with the byte addresses set, or the code of the first value
// refused (its prompt says what is accepted).
[[nodiscard]] int checkAddressWindow(const Session& s, quint32 start, quint32 end, qint32& outStart,
                                     qint32& outEnd);

} // namespace zelvor
