#include "ChipSelectDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvor::gui {

namespace {

constexpr Text kCaption{"Выбор микросхемы", "Select chip"};
constexpr Text kTypes{"Тип", "Device types"};
constexpr Text kDevices{"Наименование", "Devices"};
constexpr Text kMakers{"Производитель", "Manufacturers"};
constexpr Text kFilter{"Фильтр", "Filter"};
constexpr Text kAdapters{"Адаптеры", "Adapters"};
constexpr Text kOk{"OK", "OK"};
constexpr Text kCancel{"Отмена", "Cancel"};

QListWidget* newList(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true); // long lists lay out without measuring every row
    return list;
}

} // namespace

ChipSelectDialog::ChipSelectDialog(const Session& s, QWidget* parent) : QDialog(parent), model_(s) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(s.text(kCaption));

    types_ = newList("ListBox1", this);
    devices_ = newList("ListBox2", this);
    makers_ = newList("ListBox3", this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("Edit1"));
    types_->addItems(model_.typeNames());
    makers_->addItems(model_.makerNames());
    // The type list shows all its classes without scrolling.
    types_->setFixedHeight(types_->sizeHintForRow(0) * (int(model_.typeNames().size()) + 1) +
                           2 * types_->frameWidth());
    devices_->setMinimumWidth(devices_->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 16);

    auto* adapterBox = new QGroupBox(s.text(kAdapters), this);
    adapterBox->setObjectName(QStringLiteral("GroupAdapters"));
    auto* adapterLayout = new QVBoxLayout(adapterBox);
    for (size_t i = 0; i < adapters_.size(); ++i) {
        adapters_[i] = new QLabel(adapterBox);
        adapters_[i]->setObjectName(QStringLiteral("LabelAdapter%1").arg(i + 1));
        adapters_[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 10);
        adapterLayout->addWidget(adapters_[i]);
    }
    ok_ = new QPushButton(s.text(kOk), this);
    ok_->setObjectName(QStringLiteral("BitBtn1"));
    ok_->setDefault(true);
    auto* cancel = new QPushButton(s.text(kCancel), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));

    auto* typeLabel = new QLabel(s.text(kTypes), this);
    auto* makerLabel = new QLabel(s.text(kMakers), this);
    auto* deviceLabel = new QLabel(s.text(kDevices), this);
    auto* filterLabel = new QLabel(s.text(kFilter), this);
    typeLabel->setBuddy(types_);
    makerLabel->setBuddy(makers_);
    deviceLabel->setBuddy(devices_);
    filterLabel->setBuddy(filter_);

    // Classes and manufacturers on the left, the devices with their filter in the middle,
    // the adapters and the buttons on the right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(typeLabel, 0, 0);
    grid->addWidget(types_, 1, 0);
    grid->addWidget(makerLabel, 2, 0);
    grid->addWidget(makers_, 3, 0);
    grid->addWidget(deviceLabel, 0, 1);
    grid->addWidget(devices_, 1, 1, 3, 1);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_);
    grid->addLayout(filterRow, 4, 1);
    grid->addWidget(adapterBox, 1, 2, 2, 1, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 2, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    // A click on a group list, or a key moving within the list already chosen, chooses the
    // group. Focus arriving at a list without a selection (which makes its first row current)
    // is not a choice.
    const auto groupInput = [this](QListWidget* list, void (ChipSelectDialog::*choose)(int)) {
        connect(list, &QListWidget::itemClicked, this,
                [this, list, choose](QListWidgetItem* item) { (this->*choose)(list->row(item)); });
        connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, choose](const QModelIndex& now, const QModelIndex& before) {
                    if (before.isValid()) (this->*choose)(now.row());
                });
    };
    groupInput(types_, &ChipSelectDialog::typeClicked);
    groupInput(makers_, &ChipSelectDialog::makerClicked);
    connect(filter_, &QLineEdit::textEdited, this, &ChipSelectDialog::filterEdited);
    connect(devices_, &QListWidget::currentRowChanged, this, &ChipSelectDialog::deviceHighlighted);
    connect(devices_, &QListWidget::itemDoubleClicked, this, &ChipSelectDialog::okClicked);
    connect(ok_, &QPushButton::clicked, this, &ChipSelectDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    showModel();
    filter_->setFocus(); // the operator can type a name at once
    resize(sizeHint().width(), sizeHint().height() * 3 / 2);
}

void ChipSelectDialog::typeClicked(int row) {
    if (showing_ || row < 0) return;
    model_.chooseType(row);
    showModel();
}

void ChipSelectDialog::makerClicked(int row) {
    if (showing_ || row < 0) return;
    model_.chooseMaker(row);
    showModel();
}

void ChipSelectDialog::filterEdited(const QString& text) {
    model_.setFilter(text);
    showModel();
}

void ChipSelectDialog::deviceHighlighted(int row) {
    if (showing_ || row < 0) return;
    model_.highlight(row);
    showModel();
}

void ChipSelectDialog::okClicked() {
    if (model_.hasChoice()) accept();
}

void ChipSelectDialog::showModel() {
    showing_ = true;
    // Exactly one of the two group lists carries a selection: it tells the mode.
    auto showGroup = [](QListWidget* list, int row) {
        list->setCurrentRow(row);
        if (row < 0) list->clearSelection();
    };
    showGroup(types_, model_.typeRow());
    showGroup(makers_, model_.makerRow());
    if (filter_->text() != model_.filter()) {
        const int cursor = filter_->cursorPosition();
        filter_->setText(model_.filter());
        filter_->setCursorPosition(cursor);
    }
    const QStringList& names = model_.deviceNames();
    bool same = devices_->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = devices_->item(i)->text() == names[i];
    if (!same) {
        devices_->setUpdatesEnabled(false);
        devices_->clear();
        devices_->addItems(names);
        devices_->setUpdatesEnabled(true);
    }
    devices_->setCurrentRow(model_.currentRow());
    if (model_.currentRow() >= 0)
        devices_->scrollToItem(devices_->currentItem(), QAbstractItemView::PositionAtCenter);
    const auto preview = model_.adapterPreview();
    for (size_t i = 0; i < adapters_.size(); ++i)
        adapters_[i]->setText(preview[i]);
    ok_->setEnabled(model_.hasChoice());
    showing_ = false;
}

} // namespace zelvor::gui
