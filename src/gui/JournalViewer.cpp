#include "JournalViewer.h"

#include "journal/Journal.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvor::gui {

JournalViewer::JournalViewer(const Session& s, QWidget* parent) : QDialog(parent), s_(s) {
    setObjectName(QStringLiteral("TViewL"));
    setWindowTitle(journalViewCaption(s));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("ListBox1"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(s.text(msg::LogViewClose));
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addWidget(list_);
    v->addWidget(buttons);
    const int em = fontMetrics().averageCharWidth();
    resize(em * 80, em * 40);
}

void JournalViewer::reload() {
    int selected = -1;
    list_->clear();
    list_->addItems(journalViewLines(s_, &selected));
    if (selected >= 0) list_->setCurrentRow(selected);
}

} // namespace zelvor::gui
