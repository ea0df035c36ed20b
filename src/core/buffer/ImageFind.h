#pragma once
// Going to an address and finding bytes in the buffer: the operator types the address or the
// bytes (hexadecimal pairs, or text in the views' Windows-1251 characters), the view shows
// the page of the hit with the caret on its first byte.

#include "app/Session.h"
#include "buffer/HexPage.h"

#include <QByteArray>

namespace zelvor {

enum FindCode {
    FindOk = 0,
    FindNotFound = 1,
    FindBadPattern = 2, // not hexadecimal pairs, empty, or a character outside the code page
    FindBadAddress = 3, // not hexadecimal, or not inside the image
};

// The bytes of a search text: hexadecimal pairs, blanks between them allowed ("DE AD",
// "dead"), or the text itself.
[[nodiscard]] int findPattern(const QString& text, bool hex, QByteArray& out);

// The first offset from `from` on where `pattern` lies wholly inside the image's `size`
// bytes; with `wrap` the search goes on from offset 0 up to `from`. -1 when there is none.
qint64 findBytes(const RomBuf& buf, const QByteArray& pattern, qint64 from, bool wrap);

// Find and find-next from the views: searches from `from` on (wrapping) and shows the hit.
[[nodiscard]] int findInView(const RomBuf& buf, HexPage& view, const QByteArray& pattern,
                             qint64 from, qint64& hit, HexCaret& caret);
// Go to address: `text` is a buffer offset in hexadecimal, inside the image.
[[nodiscard]] int goToAddress(const RomBuf& buf, HexPage& view, const QString& text,
                              HexCaret& caret);

} // namespace zelvor
