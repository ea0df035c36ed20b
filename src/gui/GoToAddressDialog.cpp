#include "GoToAddressDialog.h"

#include "DialogButtons.h"
#include "buffer/ImageFind.h"
#include "program/ViewCommands.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvor::gui {

GoToAddressDialog::GoToAddressDialog(Session& s, Go go, QWidget* parent)
    : QDialog(parent), go_(std::move(go)) {
    setObjectName(QStringLiteral("GoToAddressDialog"));
    setWindowTitle(s.text(msg::Enter));
    auto* prompt = new QLabel(goToPrompt(s));
    edit_ = new QLineEdit;
    edit_->setObjectName(QStringLiteral("GoToAddressEdit"));
    edit_->setMaxLength(16);
    prompt->setBuddy(edit_);
    QDialogButtonBox* buttons = okCancelButtons(s, *this);
    auto* v = new QVBoxLayout(this);
    v->addWidget(prompt);
    v->addWidget(edit_);
    v->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToAddressDialog::tryGo);
}

void GoToAddressDialog::tryGo() {
    if (go_(edit_->text()) != FindBadAddress) {
        accept();
        return;
    }
    edit_->setFocus();
    edit_->selectAll();
}

} // namespace zelvor::gui
