#pragma once
// "Find": the bytes to look for, as hexadecimal pairs or as text. OK hands them to `find`,
// which returns the core's code; the dialog stays open while the text does not parse (the
// core has said what is accepted) and closes otherwise.

#include "app/Session.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QRadioButton;

namespace zelvor::gui {

class FindDialog : public QDialog {
  public:
    using Find = std::function<int(const QString& text, bool hex)>;

    // Opens with the last search's text and kind.
    FindDialog(Session& s, const QString& text, bool hex, Find find, QWidget* parent = nullptr);

    QLineEdit& edit() const { return *edit_; }
    QRadioButton& hexChoice() const { return *hex_; }
    QRadioButton& textChoice() const { return *text_; }

  private:
    void tryFind();

    Find find_;
    QLineEdit* edit_;
    QRadioButton* hex_;
    QRadioButton* text_;
};

} // namespace zelvor::gui
