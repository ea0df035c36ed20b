#include "DialogLaunchers.h"

#include "ChipSelectDialog.h"
#include "ProgParamsDialog.h"

#include "app/Messenger.h"
#include "program/DialogCommands.h"

#include <QPointer>

#include <memory>

namespace zelvor::gui {

bool openChipSelection(Session& s, QWidget* parent) {
    ShowMessageS(s, QString());
    // The dialog lives as long as the window that opened it, so its mode, filter and
    // highlighted row are there again at the next showing.
    ChipSelectDialog* dialog = parent ? parent->findChild<ChipSelectDialog*>(
                                            QStringLiteral("TForm3"), Qt::FindDirectChildrenOnly)
                                      : nullptr;
    std::unique_ptr<ChipSelectDialog> owned;
    if (!dialog) {
        dialog = new ChipSelectDialog(s, parent);
        if (!parent) owned.reset(dialog);
    }
    QPointer<ChipSelectDialog> guard(dialog);
    if (dialog->exec() != QDialog::Accepted || !guard) return false;
    return acceptChipSelection(s, dialog->model()) == 0;
}

bool openProgrammingParameters(Session& s, QWidget* parent) {
    ShowMessageS(s, QString());
    // Made afresh for each showing: it opens on the chip and steps of this moment.
    ProgParamsDialog dialog(s, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    return acceptProgParams(s, dialog.model()) == 0;
}

} // namespace zelvor::gui
