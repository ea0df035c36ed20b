#pragma once
// The buffer panel in the middle of the main window: the page of the image in the
// hexadecimal and the character view, the address labels, the page scroll bar and the
// 16-bit check box.

#include "app/Session.h"

#include <QFrame>

namespace zelvor::gui {

class BufferPanel : public QFrame {
  public:
    BufferPanel(Session& s, QWidget* parent = nullptr);

    // Follows the core's change notices (FrontEnd::Change flags).
    void refresh(unsigned what);
    // Shows the page holding buffer offset `offset` with the caret on its byte.
    void showOffset(qint64 offset);

  private:
    Session& s_;
};

} // namespace zelvor::gui
