#pragma once
// The buffer operations dialog (TEditFrm): a mask applied with AND, OR or XOR over an
// address range, or the byte-pair exchange of the whole buffer. The fields are read and
// checked by the core; a rejected field keeps the dialog open with nothing changed.

#include "app/Session.h"
#include "buffer/BufferOps.h"

#include <QDialog>

class QLineEdit;

namespace zelvor::gui {

class BufferOpsDialog : public QDialog {
  public:
    BufferOpsDialog(Session& s, QWidget* parent = nullptr);

  private:
    void apply(EditOp op);
    void swap();

    Session& s_;
    EditFields fields_;
    QLineEdit* mask_ = nullptr;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
};

// Opens the dialog modally; kCommandRefused while an operation runs, else 0.
[[nodiscard]] int openBufferOps(Session& s, QWidget* parent);

} // namespace zelvor::gui
