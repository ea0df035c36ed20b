#pragma once
// The mid-range PIC panel: up to eleven drop-down lists, one per field of the configuration
// word, the word itself, the user ID box and, in debug mode, the word as last read.

#include "app/Session.h"
#include "program/ConfigView.h"

#include <QFrame>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zelvor::gui {

class PicWordPanel : public QFrame {
  public:
    // `edited` runs after every change the operator makes, to show the core's values again.
    PicWordPanel(Session& s, std::function<void()> edited, QWidget* parent = nullptr);

    void display(const PicWordView& v);

  private:
    Session& s_;
    std::function<void()> edited_;
    std::array<QComboBox*, ConfigState::kMaxPicFields> lists_{};
    std::array<QLabel*, ConfigState::kMaxPicFields> captions_{};
    QLabel* wordCaption_;
    QLabel* word_;
    QLabel* debugWord_;
    QLineEdit* userId_;
};

} // namespace zelvor::gui
