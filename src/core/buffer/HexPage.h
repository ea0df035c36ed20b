#pragma once
// One page of 256 bytes of the buffer as the hexadecimal and the character view show it, the
// page the views are on, and what each key does in them: where the caret goes and which byte
// a typed digit or character writes. The views only paint the text and forward the keys.
// Only the page shown is ever formatted, so a step costs the same on any image size.
//
// Carets are counted as the views count them: row 0..15 and the column inside the row
// (0..47 in the hexadecimal view, 0..16 in the character view; the last column is the end
// of the row). As one offset into the text a row takes 49 or 18 characters (its text and a
// CR LF line break); the last row has no break.

#include "app/Session.h"

#include <QString>

#include <array>
#include <optional>

namespace zelvor {

enum class HexPane { Hex, Chars };

enum class HexKey {
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    CtrlPageUp,
    CtrlPageDown,
    Backspace,
    Delete,
    Char,  // a typed character: a hexadecimal digit in the hex view, any character in the other
    Other, // any other key: discarded
};

struct HexCaret {
    int row = 0;
    int col = 0;
    bool operator==(const HexCaret&) const = default;
};

// What the views show of one page.
struct HexPageText {
    std::array<QString, 16> hexRows;  // 47 characters each
    std::array<QString, 16> charRows; // 16 characters each
    std::array<QString, 16> rowAddr;  // the address label of each row
    QString addrCaption;              // above the row addresses
    QString header;                   // above the hexadecimal view
    QString hexText() const;          // the rows joined by CR LF (782 characters)
    QString charText() const;         // (286 characters)
};

// One byte a key writes into the buffer.
struct ByteEdit {
    qint64 offset = 0;
    quint8 value = 0;
};

// What a key does. A discarded key changes nothing (accepted false, page and caret as they
// were). When `redraw` is set the views are drawn again for `page` (the other view's caret
// goes to the start) before the caret is put at `caret`.
struct HexKeyResult {
    bool accepted = false;
    bool redraw = false;
    int page = 1;
    HexCaret caret;
    std::optional<ByteEdit> edit;
};

class HexPage {
  public:
    static constexpr int kPageBytes = 256;
    static constexpr int kRows = 16;
    static constexpr int kHexCols = 47;
    static constexpr int kCharCols = 16;
    static constexpr int kHexStride = 49;
    static constexpr int kCharStride = 18;

    // The last page of the buffer (1 for an empty one) and the scroll bar's range 0..max.
    static int lastPage(const RomBuf& buf);
    static int scrollMax(const RomBuf& buf) { return lastPage(buf) - 1; }
    // The caret as one offset into the view's text, and back (clamped into the text).
    static int caretOffset(HexPane pane, HexCaret c);
    static HexCaret caretAt(HexPane pane, int offset);
    // The column of byte 0..15 of a row in the hexadecimal view.
    static int hexColumn(bool words, int byte) {
        return words ? (byte / 2) * 6 + (byte % 2) * 2 : byte * 3;
    }

    int page() const { return page_; }
    int scrollPos() const { return page_ - 1; }
    bool words() const { return words_; }
    // The page to show, clamped into 1..last page.
    void setPage(const RomBuf& buf, int page);
    void scrollTo(const RomBuf& buf, int pos) { setPage(buf, pos + 1); }
    void setWords(bool on) { words_ = on; }
    // Goes to the page of buffer offset `offset`; the caret on its byte in the hex view.
    HexCaret showByte(const RomBuf& buf, qint64 offset);
    // The buffer offset of the byte under the caret; a caret on a separator or at the end
    // of a row stands before the next byte.
    qint64 caretByte(HexPane pane, HexCaret c) const;
    // The buffer offset of the page's first byte.
    qint64 pageStart() const { return qint64(page_ - 1) * kPageBytes; }

    HexPageText text(const RomBuf& buf) const;

    // What `key` (with `ch` for HexKey::Char) does at `caret` in `pane`. Changes nothing:
    // the caller writes the edit and takes the page with apply().
    HexKeyResult key(const RomBuf& buf, HexPane pane, HexCaret caret, HexKey key,
                     char16_t ch = 0) const;
    void apply(const HexKeyResult& r) { page_ = r.page; }

  private:
    // A discarded key: the page and the caret as they are.
    HexKeyResult unchanged(HexCaret c) const;
    HexKeyResult typeHex(const RomBuf& buf, HexCaret c, char16_t ch) const;
    HexKeyResult typeChar(const RomBuf& buf, HexCaret c, char16_t ch) const;
    // The caret after the last byte of a row: the next row, the next page, or (on the last
    // page) `endCol` of row 15.
    HexKeyResult pastRowEnd(const RomBuf& buf, HexCaret c, int endCol) const;

    int page_ = 1;
    bool words_ = false;
};

// A key in one of the views: the view takes the page key() gives, and a typed byte goes into
// the buffer as an edit that can be undone, marked as edited. While an operation runs the
// buffer is not edited: a typed byte is discarded with the busy message.
HexKeyResult pressHexKey(Session& s, HexPage& view, HexPane pane, HexCaret caret, HexKey key,
                         char16_t ch = 0);

} // namespace zelvor
