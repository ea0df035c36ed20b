#pragma once
// The journal viewer: every line of the run's message list, the last one selected.

#include "app/Session.h"

#include <QDialog>

class QListWidget;

namespace zelvor::gui {

class JournalViewer : public QDialog {
  public:
    JournalViewer(const Session& s, QWidget* parent);
    void reload();

  private:
    const Session& s_;
    QListWidget* list_;
};

} // namespace zelvor::gui
