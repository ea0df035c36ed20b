#pragma once
// "Go to address": asks a buffer offset in hexadecimal. OK hands the text to `go`, which
// returns the core's code; the dialog stays open with the text as typed while the address
// is not accepted (the core has said what is) and closes otherwise.

#include "app/Session.h"

#include <QDialog>

#include <functional>

class QLineEdit;

namespace zelvor::gui {

class GoToAddressDialog : public QDialog {
  public:
    using Go = std::function<int(const QString& text)>;

    GoToAddressDialog(Session& s, Go go, QWidget* parent = nullptr);

    QLineEdit& edit() const { return *edit_; }

  private:
    void tryGo();

    Go go_;
    QLineEdit* edit_;
};

} // namespace zelvor::gui
