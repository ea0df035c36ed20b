#include "ConfigPanel.h"

#include "FuseBitsPanel.h"
#include "Pic18WordPanel.h"
#include "PicWordPanel.h"
#include "program/ConfigView.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace zelvor::gui {

ConfigPanel::ConfigPanel(Session& s, QWidget* parent) : MiddlePanel("Panel8", parent), s_(s) {
    const ConfigView initial = configView(s_);
    auto redrawAll = [this] { redraw(); };
    pic18_ = new Pic18WordPanel(s_, initial.pic18, redrawAll);
    pic16_ = new PicWordPanel(s_, redrawAll);
    fuses_ = new FuseBitsPanel(s_, initial.fuse, redrawAll);

    // The panels are taller than the window's middle at its design size: they scroll.
    auto* content = new QWidget;
    auto* v = new QVBoxLayout(content);
    v->setContentsMargins(6, 4, 6, 4);
    v->addWidget(pic18_);
    v->addWidget(pic16_);
    v->addWidget(fuses_);
    v->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    redraw();
}

void ConfigPanel::refresh(unsigned what) {
    if (what & (ChangeChip | ChangeConfigPanels | ChangeSettings)) redraw();
}

void ConfigPanel::redraw() {
    const ConfigView v = configView(s_);
    pic18_->setVisible(v.panels.pic18);
    pic16_->setVisible(v.panels.pic16);
    fuses_->setVisible(v.panels.fuse);
    pic18_->display(v.pic18);
    pic16_->display(v.pic16);
    fuses_->display(v.fuse);
}

} // namespace zelvor::gui
