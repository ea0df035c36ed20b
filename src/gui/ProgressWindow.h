#pragma once
// The progress of a long operation: its caption, a bar from 0 to 65535 and Cancel. It does
// not block the main window; the operation pumps events so Cancel is heard.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelvor::gui {

class ProgressWindow : public QWidget {
  public:
    ProgressWindow(bool english, QWidget* parent);

    void start(const QString& caption);
    void step(int position);
    bool cancelRequested() const { return cancelled_; }

  private:
    QLabel* caption_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
};

} // namespace zelvor::gui
