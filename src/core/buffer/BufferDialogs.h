#pragma once
// The commands that ask the operator for an address: the address window, the buffer
// offset and the file offset. Each asks through the front end with the caption
// "Введите :", asks again on text that is not hexadecimal or a value that fails its
// check, and changes nothing when cancelled.

#include "app/Session.h"

#include <functional>
#include <optional>

namespace zelvor {

enum DialogCode : int { DialogDone = 0, DialogCancelled = 1, DialogRefused = 2 };

// Asks until the text is hexadecimal (at most 7 digits, blanks around ignored) and passes
// `accept`; nullopt on Cancel.
std::optional<quint32> askHex(Session& s, const QString& prompt,
                              const std::function<bool(quint32)>& accept);

[[nodiscard]] int SetAddrClick(Session& s);
[[nodiscard]] int SetOfBufClick(Session& s);
// The buffer offset without asking: the whole pages before `offset` leave the buffer and
// bufOffset records where it now starts. DialogRefused when the offset is not inside the
// buffer.
[[nodiscard]] int setBufferOffset(Session& s, quint32 offset);
[[nodiscard]] int ChcDispClick(Session& s);

} // namespace zelvor
