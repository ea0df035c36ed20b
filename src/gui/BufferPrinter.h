#pragma once
// The print command: the print dialog (pages are buffer blocks), then the listing pages.

#include "app/Session.h"

class QWidget;

namespace zelvor::gui {

// 0 when printed or cancelled, else the listing's code (the empty buffer's message shown).
[[nodiscard]] int printBuffer(Session& s, QWidget* parent);

} // namespace zelvor::gui
