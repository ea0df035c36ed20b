#include "FindDialog.h"

#include "DialogButtons.h"
#include "buffer/ImageFind.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvor::gui {

FindDialog::FindDialog(Session& s, const QString& text, bool hex, Find find, QWidget* parent)
    : QDialog(parent), find_(std::move(find)) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(s.text(msg::FindCaption));
    edit_ = new QLineEdit(text);
    edit_->setObjectName(QStringLiteral("FindEdit"));
    edit_->selectAll();
    hex_ = new QRadioButton(s.text(msg::FindHexChoice));
    hex_->setObjectName(QStringLiteral("FindHex"));
    text_ = new QRadioButton(s.text(msg::FindTextChoice));
    text_->setObjectName(QStringLiteral("FindText"));
    (hex ? hex_ : text_)->setChecked(true);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(hex_);
    kinds->addWidget(text_);
    kinds->addStretch(1);
    QDialogButtonBox* buttons = okCancelButtons(s, *this);
    buttons->button(QDialogButtonBox::Ok)->setText(s.text(msg::FindCaption));
    auto* v = new QVBoxLayout(this);
    v->addWidget(edit_);
    v->addLayout(kinds);
    v->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FindDialog::tryFind);
    setMinimumWidth(fontMetrics().averageCharWidth() * 48);
}

void FindDialog::tryFind() {
    if (find_(edit_->text(), hex_->isChecked()) == FindBadPattern) {
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    accept();
}

} // namespace zelvor::gui
