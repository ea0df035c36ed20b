#include "Pic18WordPanel.h"

#include "PanelWidgets.h"
#include "protect/Pic18Config.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <bit>

namespace zelvor::gui {

Pic18WordPanel::Pic18WordPanel(Session& s, const Pic18View& initial, std::function<void()> edited,
                               QWidget* parent)
    : QFrame(parent), s_(s), edited_(std::move(edited)) {
    setObjectName(QStringLiteral("Panel4"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);

    auto* lists = new QGridLayout;
    fosc_ = list("fosc", int(Pic18List::Fosc));
    borv_ = list("borv", int(Pic18List::Borv));
    wdtps_ = list("wdtps", int(Pic18List::Wdtps));
    lists->addWidget(new QLabel(QStringLiteral("FOSC")), 0, 0);
    lists->addWidget(fosc_, 0, 1, 1, 3);
    lists->addWidget(new QLabel(QStringLiteral("BORV")), 1, 0);
    lists->addWidget(borv_, 1, 1);
    lists->addWidget(new QLabel(QStringLiteral("WDTPS")), 1, 2);
    lists->addWidget(wdtps_, 1, 3);
    lists->setColumnStretch(4, 1);
    v->addLayout(lists);

    // The options two a row; the protection boxes a row for each kind (CP, WRT, EBTR), the
    // blocks 0-3 in the first four columns and the C, B and D boxes in the next three.
    auto* options = new QGridLayout;
    auto* protection = new QGridLayout;
    const auto table = pic18Boxes();
    for (size_t i = 0; i < table.size(); ++i) {
        QCheckBox* box = checkBoxFor(initial.boxes[i]);
        boxes_.push_back(box);
        const Pic18Box& b = table[i];
        if (b.byte < 8) {
            options->addWidget(box, int(i) / 2, int(i) % 2);
        } else {
            const int kind = (b.byte - 8) / 2;
            const int bit = std::countr_zero(unsigned(b.bit));
            protection->addWidget(box, kind, b.byte % 2 == 0 ? bit : bit - 1);
        }
        connect(box, &QCheckBox::clicked, this, [this, i](bool checked) {
            (void)setPic18Box(s_, int(i), checked);
            edited_();
        });
    }
    options->setColumnStretch(2, 1);
    protection->setColumnStretch(7, 1);
    v->addLayout(options);
    v->addLayout(protection);

    bytes_ = namedLabel("Label46", QString());
    bytes_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    bytes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(bytes_);
    v->addStretch(1);
    display(initial);
}

QComboBox* Pic18WordPanel::list(const char* name, int which) {
    auto* l = new QComboBox;
    l->setObjectName(QLatin1String(name));
    l->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(l, &QComboBox::activated, this, [this, which](int index) {
        (void)choosePic18Item(s_, Pic18List(which), index);
        edited_();
    });
    return l;
}

void Pic18WordPanel::display(const Pic18View& v) {
    setItems(fosc_, v.foscItems, v.fosc);
    setItems(borv_, v.borvItems, v.borv);
    setItems(wdtps_, v.wdtpsItems, v.wdtps);
    for (size_t i = 0; i < boxes_.size() && i < v.boxes.size(); ++i)
        showCheckBox(boxes_[i], v.boxes[i]);
    bytes_->setText(v.bytes);
}

} // namespace zelvor::gui
