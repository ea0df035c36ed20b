#include "ConfigPanel.h"

namespace zelvor::gui {

ConfigPanel::ConfigPanel(Session& s, QWidget* parent) : QFrame(parent), s_(s) {
    setObjectName(QStringLiteral("Panel8"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ConfigPanel::refresh(unsigned what) {
    (void)what;
}

} // namespace zelvor::gui
