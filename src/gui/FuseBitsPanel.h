#pragma once
// The fuse and lock bit panels of the AVR and MCS-51 fuse chips: a check box for each bit
// (checked = programmed, bit 0) and the value line of the fuse bytes.

#include "app/Session.h"
#include "program/ConfigView.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;

namespace zelvor::gui {

class FuseBitsPanel : public QWidget {
  public:
    // `edited` runs after every change the operator makes, to show the core's values again.
    FuseBitsPanel(Session& s, const FuseView& initial, std::function<void()> edited,
                  QWidget* parent = nullptr);

    void display(const FuseView& v);

  private:
    QCheckBox* box(const CheckBoxView& v, bool lock, int index);

    Session& s_;
    std::function<void()> edited_;
    std::array<QCheckBox*, ConfigState::kFuseBoxes> fuses_{};
    std::array<QCheckBox*, ConfigState::kLockBoxes> locks_{};
    QLabel* valueLine_;
};

} // namespace zelvor::gui
