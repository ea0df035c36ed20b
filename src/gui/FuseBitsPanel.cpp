#include "FuseBitsPanel.h"

#include "PanelWidgets.h"
#include "protect/Fuses.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zelvor::gui {

FuseBitsPanel::FuseBitsPanel(Session& s, const FuseView& initial, std::function<void()> edited,
                             QWidget* parent)
    : QWidget(parent), s_(s), edited_(std::move(edited)) {
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);

    // A column for each fuse byte (low, high, extended), bit 0 at the top.
    auto* fuseGroup = new QGroupBox(QStringLiteral("Fuse Bits"));
    fuseGroup->setObjectName(QStringLiteral("Panel3"));
    auto* grid = new QGridLayout(fuseGroup);
    for (int i = 0; i < ConfigState::kFuseBoxes; ++i) {
        fuses_[size_t(i)] = box(initial.fuses[size_t(i)], false, i);
        grid->addWidget(fuses_[size_t(i)], i % 8, i / 8);
    }
    valueLine_ = namedLabel("Lb_fb", QString());
    valueLine_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    valueLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(valueLine_, 8, 0, 1, 3);
    h->addWidget(fuseGroup, 0, Qt::AlignTop);

    auto* lockGroup = new QGroupBox(QStringLiteral("Lock bits"));
    lockGroup->setObjectName(QStringLiteral("Panel5"));
    auto* v = new QVBoxLayout(lockGroup);
    for (int i = 0; i < ConfigState::kLockBoxes; ++i) {
        locks_[size_t(i)] = box(initial.locks[size_t(i)], true, i);
        v->addWidget(locks_[size_t(i)]);
    }
    v->addStretch(1);
    h->addWidget(lockGroup, 0, Qt::AlignTop);
    h->addStretch(1);
    display(initial);
}

QCheckBox* FuseBitsPanel::box(const CheckBoxView& v, bool lock, int index) {
    QCheckBox* b = checkBoxFor(v);
    connect(b, &QCheckBox::clicked, this, [this, lock, index](bool checked) {
        (void)setFuseBox(s_, lock, index, checked);
        edited_();
    });
    return b;
}

void FuseBitsPanel::display(const FuseView& v) {
    for (size_t i = 0; i < fuses_.size(); ++i)
        showCheckBox(fuses_[i], v.fuses[i]);
    for (size_t i = 0; i < locks_.size(); ++i)
        showCheckBox(locks_[i], v.locks[i]);
    valueLine_->setText(v.valueLine);
}

} // namespace zelvor::gui
