#pragma once
// The PIC18 panel: the oscillator, brown-out voltage and watchdog postscaler lists, the
// option and protection check boxes over the fourteen configuration bytes, and the bytes.

#include "app/Session.h"
#include "program/ConfigView.h"

#include <QFrame>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;

namespace zelvor::gui {

class Pic18WordPanel : public QFrame {
  public:
    // `edited` runs after every change the operator makes, to show the core's values again.
    Pic18WordPanel(Session& s, const Pic18View& initial, std::function<void()> edited,
                   QWidget* parent = nullptr);

    void display(const Pic18View& v);

  private:
    QComboBox* list(const char* name, int list);

    Session& s_;
    std::function<void()> edited_;
    QComboBox* fosc_;
    QComboBox* borv_;
    QComboBox* wdtps_;
    std::vector<QCheckBox*> boxes_;
    QLabel* bytes_;
};

} // namespace zelvor::gui
