#pragma once
// Closes every modal dialog the window opens (message boxes, questions, input dialogs, the
// print dialog) as an operator pressing Escape would, and records their texts.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace zelvor::test {

class ModalCloser {
  public:
    ModalCloser() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            auto* box = qobject_cast<QMessageBox*>(d);
            seen << (box ? box->text() : QString::fromLatin1(d->metaObject()->className()));
            d->reject();
        });
        timer_.start();
    }
    QStringList seen;

  private:
    QTimer timer_;
};

} // namespace zelvor::test
