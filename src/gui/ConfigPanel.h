#pragma once
// The configuration panel in the middle of the main window, shown by the "Конфигурация"
// button: the PIC18 panel, the mid-range PIC panel, or the fuse and lock bit panels,
// whichever the chip needs, in a scrolling area.

#include "app/Session.h"

#include "MiddlePanel.h"

namespace zelvor::gui {

class FuseBitsPanel;
class Pic18WordPanel;
class PicWordPanel;

class ConfigPanel : public MiddlePanel {
  public:
    ConfigPanel(Session& s, QWidget* parent = nullptr);

    // Follows the core's change notices (FrontEnd::Change flags).
    void refresh(unsigned what);

  private:
    // Shows the core's values in every panel.
    void redraw();

    Session& s_;
    Pic18WordPanel* pic18_;
    PicWordPanel* pic16_;
    FuseBitsPanel* fuses_;
};

} // namespace zelvor::gui
