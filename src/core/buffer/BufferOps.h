#pragma once
// The buffer operations dialog's work: a mask applied with AND, OR or XOR over an address
// range, and the byte-pair exchange of the whole buffer.

#include "app/Session.h"

namespace zelvor {

enum class EditOp { And, Or, Xor };

struct EditFields {
    quint8 editMask = 0xFF;
    qint32 editStart = 0;
    qint32 editEnd = -1;
};

// The values the dialog shows each time it opens: mask FF, range 0..size-1.
EditFields editDefaults(const RomBuf& buf);

// Reads the three field texts into `f`. A rejected field keeps its previous value and shows
// its message box. Returns the number of rejected fields.
[[nodiscard]] int Corr_data(Session& s, EditFields& f, const QString& maskText,
                            const QString& startText, const QString& endText);

// Applies the operation to every byte from editStart to editEnd (inclusive).
void Change_buf(RomBuf& buf, EditOp op, const EditFields& f);

// AND/OR/XOR from the dialog: runs only when every field was accepted (0) and then announces
// the edit; otherwise the buffer is unchanged and the number of rejected fields is returned.
[[nodiscard]] int editBuffer(Session& s, EditOp op, EditFields& f, const QString& maskText,
                             const QString& startText, const QString& endText);

// "SWAP": exchanges the bytes of every byte pair of the buffer.
void SwapClick(Session& s);

} // namespace zelvor
