#include "DialogLaunchers.h"

namespace zelvor::gui {

// Placeholders until the dialogs exist.
bool openChipSelection(Session& s, QWidget* parent) {
    (void)s;
    (void)parent;
    return false;
}

bool openProgrammingParameters(Session& s, QWidget* parent) {
    (void)s;
    (void)parent;
    return false;
}

} // namespace zelvor::gui
