#include "GoToAddressDialog.h"

#include "buffer/ImageFind.h"
#include "program/ViewCommands.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvor::gui {

namespace {
constexpr Text kCancel{"Отмена", "Cancel"};
} // namespace

GoToAddressDialog::GoToAddressDialog(Session& s, Go go, QWidget* parent)
    : QDialog(parent), go_(std::move(go)) {
    setObjectName(QStringLiteral("GoToAddressDialog"));
    setWindowTitle(s.text(msg::Enter));
    auto* prompt = new QLabel(goToPrompt(s));
    edit_ = new QLineEdit;
    edit_->setObjectName(QStringLiteral("GoToAddressEdit"));
    edit_->setMaxLength(16);
    prompt->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(s.text(kCancel));
    auto* v = new QVBoxLayout(this);
    v->addWidget(prompt);
    v->addWidget(edit_);
    v->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToAddressDialog::tryGo);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
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
