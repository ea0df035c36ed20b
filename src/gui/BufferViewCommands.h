#pragma once
// The buffer view's window commands: undo, redo, go to address, find, find next and the
// CRC-32 of the address window. Each asks what it needs in a small dialog, calls one core
// routine and shows the page and byte it lands on.

#include "CommandTable.h"
#include "program/ViewCommands.h"

class QWidget;

namespace zelvor::gui {

class BufferPanel;

class BufferViewCommands {
  public:
    BufferViewCommands(Session& s, BufferPanel& panel, QWidget& window);

    // Runs one of the commands above; the core's result code.
    [[nodiscard]] int run(WindowCommand c);

  private:
    int replay(bool redo);
    int goTo();
    int find();
    int findNext();

    Session& s_;
    BufferPanel& panel_;
    QWidget& window_;
    BufferSearch search_;
};

} // namespace zelvor::gui
