#pragma once
// The File menu's list of recent files: each time the menu opens, its items show the files
// the core remembers (most recent first, the folder in the tooltip); the unused items are
// hidden and the submenu is greyed while the list is empty.

#include "app/Session.h"

namespace zelvor::gui {

class CommandActions;

class RecentFilesMenu {
  public:
    RecentFilesMenu(const Session& s, const CommandActions& actions);

    // Shows the current list.
    void update();

  private:
    const Session& s_;
    const CommandActions& actions_;
};

} // namespace zelvor::gui
