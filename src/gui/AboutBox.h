#pragma once
// The About box: product, version, build date. It does not block the main window.

#include <QDialog>

namespace zelvor::gui {

class AboutBox : public QDialog {
  public:
    AboutBox(bool english, QWidget* parent);
};

} // namespace zelvor::gui
