#pragma once
// The program's icons, drawn as SVG (resources/icons) and loaded from their PNG renderings.

#include <QIcon>

namespace zelvor::gui {

// A toolbar glyph by its base name ("program"), at 24 and 48 pixels.
QIcon toolIcon(const char* name);
// The window and application icon.
QIcon appIcon();

} // namespace zelvor::gui
