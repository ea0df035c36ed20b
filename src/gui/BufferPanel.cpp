#include "BufferPanel.h"

namespace zelvor::gui {

BufferPanel::BufferPanel(Session& s, QWidget* parent) : QFrame(parent), s_(s) {
    setObjectName(QStringLiteral("Panel6"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BufferPanel::refresh(unsigned what) {
    (void)what;
}

void BufferPanel::showOffset(qint64 offset) {
    (void)offset;
}

} // namespace zelvor::gui
