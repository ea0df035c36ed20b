#pragma once
// The configuration panel in the middle of the main window: the chip's configuration words
// or fuse and lock bits, shown by the "Конфигурация" button.

#include "app/Session.h"

#include <QFrame>

namespace zelvor::gui {

class ConfigPanel : public QFrame {
  public:
    ConfigPanel(Session& s, QWidget* parent = nullptr);

    // Follows the core's change notices (FrontEnd::Change flags).
    void refresh(unsigned what);

  private:
    Session& s_;
};

} // namespace zelvor::gui
