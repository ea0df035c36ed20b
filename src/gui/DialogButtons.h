#pragma once
// The OK and Cancel buttons of the small buffer dialogs, in the run's language: Cancel
// rejects the dialog, OK is the caller's to connect.

#include "app/Session.h"

class QDialog;
class QDialogButtonBox;

namespace zelvor::gui {

QDialogButtonBox* okCancelButtons(const Session& s, QDialog& dialog);

} // namespace zelvor::gui
