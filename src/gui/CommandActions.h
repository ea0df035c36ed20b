#pragma once
// Builds the menu bar, the hidden shortcut items and the toolbar from the command rows, and
// follows the chip: which chip-dependent items are shown, which items and buttons are enabled.

#include "CommandTable.h"

#include <QHash>
#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace zelvor::gui {

class CommandActions {
  public:
    using Runner = std::function<void(const Target&)>;

    // Menus go into the window's menu bar, the hidden items onto the window itself (so their
    // shortcuts work while it has the focus), the buttons into `toolbar`.
    CommandActions(QMainWindow& window, QToolBar& toolbar, bool english, Runner run);

    // A menu item, hidden item or toolbar button by object name (nullptr when there is none).
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // Shows the chip-dependent items and enables items and buttons for the current chip.
    void follow(const Session& s);

  private:
    QHash<QString, QAction*> items_;
    QHash<QString, QAction*> buttons_;
    QHash<QString, QMenu*> menus_;
};

} // namespace zelvor::gui
