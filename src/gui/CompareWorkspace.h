#pragma once
// The compare window: the buffer and another image (a file, or the chip's contents read
// apart after a failed compare) side by side, one page of each, scrolled together; the
// bytes that differ are coloured, the current difference more strongly. The count of
// differences, next and previous difference and its address come from ImageComparison.

#include "app/Session.h"
#include "buffer/ImageComparison.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;
class QTextEdit;

namespace zelvor::gui {

class CompareWorkspace : public QWidget {
  public:
    CompareWorkspace(Session& s, QWidget* parent = nullptr);

    // Sets `other` (its first `otherBytes` bytes) beside the buffer (at most its first
    // `bufferLimit` bytes) and goes to the first difference. `caption` titles the window,
    // `otherTitle` the right-hand side.
    void compare(const QString& caption, const QString& otherTitle, RomBuf other, qint64 otherBytes,
                 quint8 highMask = 0xFF, qint64 bufferLimit = std::numeric_limits<qint64>::max());
    // Follows the core's change notices: an edited or replaced buffer is compared again.
    void refresh(unsigned what);

    const ImageComparison& comparison() const { return model_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTextEdit* makeView(const char* name);
    void showPage();
    void step(bool forward);
    QString pageHtml(ImageComparison::Side side) const;

    Session& s_;
    ImageComparison model_;
    QLabel* otherTitle_ = nullptr;
    QTextEdit* left_ = nullptr;
    QTextEdit* right_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* position_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
};

} // namespace zelvor::gui
