#pragma once
// The help viewer: the program's own help document (Russian or English) from the resources.
// It belongs to the main window and closes with it.

#include <QWidget>

namespace zelvor::gui {

class HelpWindow : public QWidget {
  public:
    HelpWindow(bool english, QWidget* parent);
};

} // namespace zelvor::gui
