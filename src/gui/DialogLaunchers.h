#pragma once
// The two dialogs the main window opens for the chip: the chip selection and the
// programming parameters. Each runs modally, applies what the operator chose through the
// core and returns true when it was accepted.

#include "app/Session.h"

class QWidget;

namespace zelvor::gui {

bool openChipSelection(Session& s, QWidget* parent);
bool openProgrammingParameters(Session& s, QWidget* parent);

} // namespace zelvor::gui
