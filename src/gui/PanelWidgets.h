#pragma once
// Small helpers the configuration panels share for copying the core's values into widgets.

#include "program/ConfigView.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace zelvor::gui {

// A label with an object name.
QLabel* namedLabel(const char* name, const QString& text);
// Fills the list when its items differ (a refill while the operator uses it would close it)
// and selects `selected`.
void setItems(QComboBox* list, const QStringList& items, int selected);
// A check box named and captioned from `v`.
QCheckBox* checkBoxFor(const CheckBoxView& v);
// Caption, visibility, enabled state and tick from `v`.
void showCheckBox(QCheckBox* box, const CheckBoxView& v);

} // namespace zelvor::gui
