#pragma once
// The sunken frame of the main window's middle, which the buffer and the configuration
// panels take turns to fill.

#include <QFrame>

namespace zelvor::gui {

class MiddlePanel : public QFrame {
  public:
    MiddlePanel(const char* objectName, QWidget* parent) : QFrame(parent) {
        setObjectName(QLatin1String(objectName));
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
};

} // namespace zelvor::gui
