#include "ProgressWindow.h"

#include "ops/Engine.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelvor::gui {

ProgressWindow::ProgressWindow(Session& s, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      s_(s) {
    setObjectName(QStringLiteral("TOperWindow"));
    setWindowTitle(s.text(msg::OpWindowCaption));
    caption_ = new QLabel;
    caption_->setObjectName(QStringLiteral("OpCaption"));
    caption_->setAlignment(Qt::AlignHCenter);
    elapsed_ = new QLabel(QStringLiteral("00:00"));
    elapsed_->setObjectName(QStringLiteral("Label1"));
    elapsed_->setAlignment(Qt::AlignHCenter);
    QFont big = elapsed_->font();
    big.setPixelSize(16);
    elapsed_->setFont(big);
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, kProgressMax);
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(s.text(msg::OpCancelButton));
    cancel_->setObjectName(QStringLiteral("BitBtn1"));
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(ProgressPace::kTickMs);

    auto* v = new QVBoxLayout(this);
    v->addWidget(caption_);
    v->addWidget(elapsed_);
    v->addWidget(bar_);
    v->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    connect(cancel_, &QPushButton::clicked, this, &ProgressWindow::cancel);
    connect(timer_, &QTimer::timeout, this, &ProgressWindow::tick);
}

void ProgressWindow::start(const QString& caption) {
    cancelled_ = false;
    position_ = 0;
    pace_.begin(s_.clock.nowMs());
    // The caption names the operation; the label repeats it for a window manager that shows
    // no title.
    setWindowTitle(caption);
    caption_->setText(caption);
    elapsed_->setText(elapsedText(s_));
    bar_->setValue(0);
    adjustSize();
    centreOverParent();
    show();
    raise();
    activateWindow();
    cancel_->setFocus();
    timer_->start();
}

void ProgressWindow::step(int position) {
    position_ = position;
    if (pace_.barDue(s_.clock.nowMs(), position)) bar_->setValue(position);
}

void ProgressWindow::tick() {
    elapsed_->setText(elapsedText(s_));
    bar_->setValue(position_);
}

void ProgressWindow::finish() {
    timer_->stop();
    hide();
    if (QWidget* main = parentWidget()) main->activateWindow();
}

void ProgressWindow::centreOverParent() {
    const QWidget* main = parentWidget();
    if (!main) return;
    const QRect frame = main->frameGeometry();
    QRect r = geometry();
    r.moveCenter(frame.center());
    move(r.topLeft());
}

} // namespace zelvor::gui
