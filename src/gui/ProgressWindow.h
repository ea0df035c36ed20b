#pragma once
// The progress window of a long operation (TOperWindow): the operation in its caption, the
// elapsed minutes and seconds, a bar over 0..65535 and the Cancel button. It stays on top,
// centred over the main window, without border icons, and never blocks: the operation pumps
// events once per block, which is when Cancel is heard and the window repaints. Time comes
// from the session's clock; the timer only asks for the repaint.

#include "app/Session.h"
#include "ops/ProgressPace.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zelvor::gui {

class ProgressWindow : public QWidget {
  public:
    ProgressWindow(Session& s, QWidget* parent);

    // Shown for a new operation: Cancel released, time at 00:00, bar at 0.
    void start(const QString& caption);
    // The bar's new position; repainted as the pace allows.
    void step(int position);
    // The operation ended: hidden, the main window gets the keyboard back.
    void finish();
    bool cancelRequested() const { return cancelled_; }
    // As the Cancel button: the operation stops after the block in hand.
    void cancel() { cancelled_ = true; }

  private:
    void tick();
    void centreOverParent();

    Session& s_;
    ProgressPace pace_;
    QLabel* caption_;
    QLabel* elapsed_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QTimer* timer_;
    int position_ = 0;
    bool cancelled_ = false;
};

} // namespace zelvor::gui
