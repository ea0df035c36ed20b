#include "BufferViewCommands.h"

#include "BufferPanel.h"
#include "FindDialog.h"
#include "GoToAddressDialog.h"
#include "buffer/ImageFind.h"
#include "buffer/ImageHistory.h"

namespace zelvor::gui {

BufferViewCommands::BufferViewCommands(Session& s, BufferPanel& panel, QWidget& window)
    : s_(s), panel_(panel), window_(window) {}

int BufferViewCommands::run(WindowCommand c) {
    switch (c) {
    case WindowCommand::Undo:
        return replay(false);
    case WindowCommand::Redo:
        return replay(true);
    case WindowCommand::GoToAddress:
        return goTo();
    case WindowCommand::Find:
        return find();
    case WindowCommand::FindNext:
        return findNext();
    case WindowCommand::WindowCrc:
        return reportWindowCrc(s_);
    default:
        return 0;
    }
}

int BufferViewCommands::replay(bool redo) {
    qint64 where = 0;
    const int rc = redo ? redoChange(s_, where) : undoChange(s_, where);
    if (rc == HistoryOk) panel_.showOffset(where);
    return rc;
}

int BufferViewCommands::goTo() {
    int rc = FindBadAddress;
    GoToAddressDialog dialog(
        s_,
        [this, &rc](const QString& text) {
            HexCaret caret;
            rc = goToBufferAddress(s_, panel_.page(), text, caret);
            if (rc == FindOk) panel_.showCaret(caret);
            return rc;
        },
        &window_);
    dialog.exec();
    return rc == FindBadAddress ? 0 : rc; // cancelled after a refused text: nothing was done
}

int BufferViewCommands::find() {
    int rc = FindBadPattern;
    FindDialog dialog(
        s_, search_.text, search_.hex,
        [this, &rc](const QString& text, bool hex) {
            HexCaret caret;
            rc = findInBuffer(s_, panel_.page(), search_, text, hex, panel_.caretOffset(), caret);
            if (rc == FindOk) panel_.showCaret(caret);
            return rc;
        },
        &window_);
    dialog.exec();
    return rc == FindBadPattern ? 0 : rc;
}

int BufferViewCommands::findNext() {
    HexCaret caret;
    const int rc = findNextInBuffer(s_, panel_.page(), search_, caret);
    if (rc == FindBadPattern) return find(); // nothing looked for yet
    if (rc == FindOk) panel_.showCaret(caret);
    return rc;
}

} // namespace zelvor::gui
