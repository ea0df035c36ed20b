#include "ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvor::gui {

ProgressWindow::ProgressWindow(bool english, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TOperWindow"));
    setWindowTitle(english ? QStringLiteral("Operation Progress")
                           : QStringLiteral("Текущая операция"));
    caption_ = new QLabel;
    bar_ = new QProgressBar;
    bar_->setRange(0, 65535);
    bar_->setTextVisible(false);
    cancel_ = new QPushButton(english ? QStringLiteral("Cancel") : QStringLiteral("Отмена"));
    cancel_->setObjectName(QStringLiteral("CancelBtn"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(caption_);
    v->addWidget(bar_);
    v->addWidget(cancel_, 0, Qt::AlignHCenter);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    QObject::connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void ProgressWindow::start(const QString& caption) {
    cancelled_ = false;
    caption_->setText(caption);
    bar_->setValue(0);
    show();
    raise();
}

void ProgressWindow::step(int position) {
    bar_->setValue(position);
}

} // namespace zelvor::gui
