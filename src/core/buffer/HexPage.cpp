#include "buffer/HexPage.h"
#include "app/HexText.h"
#include "app/TextFile.h"
#include "buffer/ImageBytes.h"
#include "buffer/ImageHistory.h"

#include <algorithm>

namespace zelvor {

namespace {

int hexDigit(char16_t ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    return -1;
}

// The Windows-1251 code of a character, or -1 when the code page has none (or it is a
// control character).
int cp1251Code(char16_t ch) {
    const QByteArray b = toCp1251(QString(QChar(ch)));
    const int code = quint8(b.at(0));
    if (code < 32 || fromCp1251(b).at(0) != QChar(ch)) return -1;
    return code;
}

QString joinRows(const std::array<QString, 16>& rows) {
    QString out;
    for (int r = 0; r < HexPage::kRows; ++r) {
        if (r) out += QLatin1String("\r\n");
        out += rows[size_t(r)];
    }
    return out;
}

} // namespace

QString HexPageText::hexText() const {
    return joinRows(hexRows);
}

QString HexPageText::charText() const {
    return joinRows(charRows);
}

int HexPage::lastPage(const RomBuf& buf) {
    return std::max(1, (buf.viewEnd + 1) / kPageBytes);
}

int HexPage::caretOffset(HexPane pane, HexCaret c) {
    return c.row * (pane == HexPane::Hex ? kHexStride : kCharStride) + c.col;
}

HexCaret HexPage::caretAt(HexPane pane, int offset) {
    const int stride = pane == HexPane::Hex ? kHexStride : kCharStride;
    const int cols = pane == HexPane::Hex ? kHexCols : kCharCols;
    offset = std::clamp(offset, 0, (kRows - 1) * stride + cols);
    // An offset inside a line break belongs to the end of its row.
    return HexCaret{offset / stride, std::min(offset % stride, cols)};
}

void HexPage::setPage(const RomBuf& buf, int page) {
    page_ = std::clamp(page, 1, lastPage(buf));
}

HexCaret HexPage::showByte(const RomBuf& buf, qint64 offset) {
    setPage(buf, int(offset / kPageBytes) + 1);
    return HexCaret{int(offset % kPageBytes) / 16, hexColumn(words_, int(offset % 16))};
}

qint64 HexPage::caretByte(HexPane pane, HexCaret c) const {
    int byte = c.col;
    if (pane == HexPane::Hex)
        byte = words_ ? 2 * (c.col / 6) + std::min(c.col % 6, 4) / 2 : (c.col + 1) / 3;
    return pageStart() + c.row * 16 + byte;
}

HexPageText HexPage::text(const RomBuf& buf) const {
    HexPageText t;
    quint8 bytes[kPageBytes];
    readImage(buf, pageStart(), bytes, kPageBytes);
    static const char kDigits[] = "0123456789ABCDEF";
    for (int r = 0; r < kRows; ++r) {
        const quint8* b = bytes + r * 16;
        QString hex(kHexCols, QLatin1Char(' '));
        QByteArray chars(16, ' ');
        for (int i = 0; i < 16; ++i) {
            const int col = hexColumn(words_, i);
            hex[col] = QLatin1Char(kDigits[b[i] >> 4]);
            hex[col + 1] = QLatin1Char(kDigits[b[i] & 15]);
            // Control codes, DEL and 0x98 (no character in the code page) show as blanks.
            if (b[i] >= 32 && b[i] != 0x7F && b[i] != 0x98) chars[i] = char(b[i]);
        }
        t.hexRows[size_t(r)] = hex;
        t.charRows[size_t(r)] = fromCp1251(chars);
        t.rowAddr[size_t(r)] = words_ ? Hex_str(quint32((page_ - 1) * 128 + 8 * r), 5)
                                      : Hex_str(quint32(pageStart() + 16 * r), 7);
    }
    t.addrCaption = QStringLiteral("Addr");
    for (int i = 0; i < (words_ ? 8 : 16); ++i)
        t.header += words_ ? Hex_str(quint32(i), 4) + QLatin1String("  ")
                           : Hex_str(quint32(i), 2) + QLatin1Char(' ');
    return t;
}

HexKeyResult HexPage::key(const RomBuf& buf, HexPane pane, HexCaret c, HexKey key,
                          char16_t ch) const {
    const bool hex = pane == HexPane::Hex;
    const int cols = hex ? kHexCols : kCharCols;
    c.row = std::clamp(c.row, 0, kRows - 1);
    c.col = std::clamp(c.col, 0, cols);
    const int last = lastPage(buf);
    HexKeyResult r = unchanged(c);
    auto moveTo = [&](int page, HexCaret to) {
        r.accepted = true;
        r.redraw = page != page_;
        r.page = page;
        r.caret = to;
        return r;
    };
    auto redrawAt = [&](int page, HexCaret to) {
        moveTo(page, to);
        r.redraw = true;
        return r;
    };
    switch (key) {
    case HexKey::CtrlPageUp:
        return redrawAt(1, c);
    case HexKey::CtrlPageDown:
        return redrawAt(last, c);
    case HexKey::PageUp:
        return page_ > 1 ? redrawAt(page_ - 1, c) : moveTo(page_, c);
    case HexKey::PageDown:
        return page_ + 1 <= last ? redrawAt(page_ + 1, c) : moveTo(page_, c);
    case HexKey::Left:
        if (c.row == 0 && c.col == 0)
            return page_ == 1 ? r : redrawAt(page_ - 1, HexCaret{kRows - 1, cols});
        return moveTo(page_, c.col > 0 ? HexCaret{c.row, c.col - 1} : HexCaret{c.row - 1, cols});
    case HexKey::Up:
        if (c.row == 0) return page_ == 1 ? r : redrawAt(page_ - 1, HexCaret{kRows - 1, c.col});
        return moveTo(page_, HexCaret{c.row - 1, c.col});
    case HexKey::Right:
        if (c.row == kRows - 1 && c.col == cols)
            return page_ == last ? r : redrawAt(page_ + 1, HexCaret{});
        return moveTo(page_, c.col < cols ? HexCaret{c.row, c.col + 1} : HexCaret{c.row + 1, 0});
    case HexKey::Down:
        if (c.row == kRows - 1) return page_ == last ? r : redrawAt(page_ + 1, HexCaret{0, c.col});
        return moveTo(page_, HexCaret{c.row + 1, c.col});
    case HexKey::Home:
        return moveTo(page_, HexCaret{c.row, 0});
    case HexKey::End:
        return moveTo(page_, HexCaret{c.row, cols});
    case HexKey::Char:
        return hex ? typeHex(buf, c, ch) : typeChar(buf, c, ch);
    case HexKey::Backspace:
    case HexKey::Delete:
    case HexKey::Other:
        break;
    }
    return r;
}

HexKeyResult HexPage::unchanged(HexCaret c) const {
    HexKeyResult r;
    r.page = page_;
    r.caret = c;
    return r;
}

HexKeyResult HexPage::pastRowEnd(const RomBuf& buf, HexCaret c, int endCol) const {
    HexKeyResult r = unchanged(c);
    r.accepted = true;
    if (c.row < kRows - 1) {
        r.caret = HexCaret{c.row + 1, 0};
    } else if (page_ < lastPage(buf)) {
        r.page = page_ + 1;
        r.redraw = true;
        r.caret = HexCaret{};
    } else {
        r.caret = HexCaret{c.row, endCol};
    }
    return r;
}

HexKeyResult HexPage::typeHex(const RomBuf& buf, HexCaret c, char16_t ch) const {
    HexKeyResult r = unchanged(c);
    const int digit = hexDigit(ch);
    if (digit < 0) return r;
    // Which byte of the row and which of its digits (0 high, 1 low) the caret is on.
    int byte, which;
    if (words_) {
        const int g = c.col / 6, k = c.col % 6;
        if (k >= 4) return r;
        byte = 2 * g + k / 2;
        which = k % 2;
    } else {
        if (c.col % 3 == 2 || c.col >= kHexCols) return r;
        byte = c.col / 3;
        which = c.col % 3;
    }
    const qint64 offset = pageStart() + c.row * 16 + byte;
    if (!imageHolds(buf, offset)) return r;
    const quint8 old = imageByte(buf, offset);
    const quint8 value =
        which == 0 ? quint8((digit << 4) | (old & 0x0F)) : quint8((old & 0xF0) | digit);
    if (which == 0 || (words_ && byte % 2 == 0)) {
        // After a high digit, or the low digit of a word's first byte: one position right.
        r.accepted = true;
        r.caret = HexCaret{c.row, c.col + 1};
    } else if (byte == 15) {
        r = pastRowEnd(buf, c, c.col + 1);
    } else {
        // Over the separator to the next byte.
        r.accepted = true;
        r.caret = HexCaret{c.row, c.col + (words_ ? 3 : 2)};
    }
    r.edit = ByteEdit{offset, value};
    return r;
}

HexKeyResult HexPage::typeChar(const RomBuf& buf, HexCaret c, char16_t ch) const {
    HexKeyResult r = unchanged(c);
    const int code = cp1251Code(ch);
    const qint64 offset = pageStart() + c.row * 16 + c.col;
    // Behind the last character of a row there is no byte to write.
    if (code < 0 || c.col >= kCharCols || !imageHolds(buf, offset)) return r;
    if (c.col == kCharCols - 1) {
        r = pastRowEnd(buf, c, kCharCols);
    } else {
        r.accepted = true;
        r.caret = HexCaret{c.row, c.col + 1};
    }
    r.edit = ByteEdit{offset, quint8(code)};
    return r;
}

HexKeyResult pressHexKey(Session& s, HexPage& view, HexPane pane, HexCaret caret, HexKey key,
                         char16_t ch) {
    const HexKeyResult r = view.key(s.buf, pane, caret, key, ch);
    if (r.edit && s.op.busy) {
        s.fe.statusMessage(s.text(msg::Busy));
        return view.key(s.buf, pane, caret, HexKey::Other);
    }
    view.apply(r);
    if (r.edit) {
        writeByte(s, r.edit->offset, r.edit->value);
        s.fe.changed(ChangeBufferEdited);
    }
    return r;
}

} // namespace zelvor
