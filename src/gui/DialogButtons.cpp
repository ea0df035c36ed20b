#include "DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zelvor::gui {

namespace {
constexpr Text kCancel{"Отмена", "Cancel"};
} // namespace

QDialogButtonBox* okCancelButtons(const Session& s, QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(s.text(kCancel));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace zelvor::gui
