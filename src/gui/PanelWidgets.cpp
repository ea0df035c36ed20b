#include "PanelWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace zelvor::gui {

QLabel* namedLabel(const char* name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    return l;
}

void setItems(QComboBox* list, const QStringList& items, int selected) {
    QStringList now;
    for (int i = 0; i < list->count(); ++i)
        now << list->itemText(i);
    if (now != items) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentIndex(selected);
}

QCheckBox* checkBoxFor(const CheckBoxView& v) {
    auto* box = new QCheckBox(v.caption);
    box->setObjectName(v.name);
    return box;
}

void showCheckBox(QCheckBox* box, const CheckBoxView& v) {
    box->setText(v.caption);
    box->setVisible(v.shown);
    box->setEnabled(v.enabled);
    box->setChecked(v.checked);
}

} // namespace zelvor::gui
