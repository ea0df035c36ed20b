#pragma once
// The buffer panel in the middle of the main window (Panel6): one page of the image in the
// hexadecimal view `EditBuf1` and the character view `BufMemo1`, the row address and
// column labels, the page scroll bar `ScrollBar1` and the 16-bit check box `CheckBox1`.
// What the pages show and what every key does comes from the page model; the panel paints
// the page it gives and passes the keys on.

#include "app/Session.h"
#include "buffer/HexPage.h"

#include "MiddlePanel.h"

#include <array>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace zelvor::gui {

class HexTextView;

class BufferPanel : public MiddlePanel {
  public:
    BufferPanel(Session& s, QWidget* parent = nullptr);

    // Follows the core's change notices (FrontEnd::Change flags).
    void refresh(unsigned what);
    // Shows the page holding buffer offset `offset` with the caret on its byte.
    void showOffset(qint64 offset);
    // Shows the model's page with the hexadecimal view's caret at `caret` (go to, find).
    void showCaret(HexCaret caret);

    HexPage& page() { return page_; }
    const HexPage& page() const { return page_; }
    // The buffer offset under the hexadecimal view's caret.
    qint64 caretOffset() const;
    HexTextView& hexView() const { return *hex_; }
    HexTextView& charView() const { return *chars_; }

  protected:
    void wheelEvent(QWheelEvent* e) override;

  private:
    QWidget* buildAddressColumn();
    void onKey(HexPane pane, HexKey key, char16_t ch);
    void onScroll(int position);
    void onWords(bool on);
    // Draws the model's page; the carets stay where they are.
    void drawPage();
    // Draws the model's page with both carets at the start, the hexadecimal view focused.
    void fillPage();
    void followSize();

    Session& s_;
    HexPage page_;
    HexTextView* hex_;
    HexTextView* chars_;
    QLabel* addrCaption_;
    QLabel* header_;
    std::array<QLabel*, 16> rowAddr_{};
    QScrollBar* scroll_;
    QCheckBox* words_;
    int wheel_ = 0; // wheel turns not yet a whole notch
};

} // namespace zelvor::gui
