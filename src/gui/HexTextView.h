#pragma once
// One of the buffer panel's two text views (`EditBuf1`, the bytes in hexadecimal, or
// `BufMemo1`, the same bytes as characters): paints the 16 rows of the page it is given with
// the edited bytes marked and the caret, moves the caret on a click, and hands every key to
// the panel, which asks the page model what the key does.

#include "buffer/HexPage.h"

#include <QFrame>

#include <array>
#include <bitset>
#include <functional>

namespace zelvor::gui {

class HexTextView : public QFrame {
  public:
    using KeyHandler = std::function<void(HexPane, HexKey, char16_t)>;

    HexTextView(HexPane pane, KeyHandler onKey, QWidget* parent = nullptr);

    HexPane pane() const { return pane_; }
    // The rows to show and, per row, which of its 16 bytes were edited.
    void setRows(const std::array<QString, 16>& rows, const std::bitset<256>& edited, bool words);
    const std::array<QString, 16>& rows() const { return rows_; }
    HexCaret caret() const { return caret_; }
    void setCaret(HexCaret c);

    // Height of one row and the left edge of the text (the labels beside and above line up).
    int rowHeight() const;
    int textLeft() const;
    int textTop() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // What a key press means to the page model.
    static HexKey keyOf(const QKeyEvent& e, char16_t& ch);
    // The views' fixed-pitch font ("Courier New" where there is one).
    static QFont viewFont();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    int columns() const;
    qreal charWidth() const;

    HexPane pane_;
    KeyHandler onKey_;
    std::array<QString, 16> rows_;
    std::bitset<256> edited_;
    bool words_ = false;
    HexCaret caret_;
};

} // namespace zelvor::gui
