#include "ProgParamsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvor::gui {

namespace {

constexpr Text kCaption{"Настройка параметров программирования", "Program algorithm"};
constexpr Text kVpp{" Vpp", "Voltage Vpp"};
constexpr Text kVcc{"Vcc", "Voltage Vcc"};
constexpr Text kAlg{"Алгоритм", "Algorithm"};
constexpr Text kAutoGroup{"Параметры автопрограммирования", "Automatic programming"};
constexpr Text kAreasGroup{"Дополнительные области", "Extra areas"};
constexpr Text kSectorGroup{"Защита секторов", "Sector protection"};
constexpr Text kOffset{"Смещение в буфере", "Offset in buffer"};
constexpr Text kConfigArea{"Область конфигурации", "Configuration area"};
constexpr Text kOk{"OK", "OK"};
constexpr Text kCancel{"Отмена", "Cancel"};

struct StepBox {
    AutoStep step;
    const char* name;
    Text caption;
};
constexpr StepBox kStepBoxes[] = {
    {AutoStep::Erase, "Chstir", {"Стирание", "Erase"}},
    {AutoStep::Blank, "ChNull", {"Контроль чистоты", "Blank check"}},
    {AutoStep::Write, "ChWrite", {"Запись", "Program"}},
    {AutoStep::Compare, "Chcomp", {"Сравнение", "Verify"}},
    {AutoStep::Lock, "ChSecr", {"Установка битов защиты", "Lock bits"}},
    {AutoStep::Data, "ChData", {"Область данных", "Data area"}},
    {AutoStep::Config, "ChCfgw", {"Область конфигурации", "Configuration area"}},
};

} // namespace

ProgParamsDialog::ProgParamsDialog(const Session& s, QWidget* parent)
    : QDialog(parent), s_(s), model_(s) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(s.text(kCaption));

    vppBox_ = radioGroup("RadioGroup1", s.text(kVpp), model_.vppItems(), vpp_);
    vccBox_ = radioGroup("RadioGroup2", s.text(kVcc), model_.vccItems(), vcc_);
    algBox_ = radioGroup("RadioGroup3", s.text(kAlg), model_.algItems(), alg_);
    connect(vpp_, &QButtonGroup::idClicked, this, [this](int id) {
        (void)model_.setVpp(id);
        showModel();
    });
    connect(vcc_, &QButtonGroup::idClicked, this, [this](int id) {
        (void)model_.setVcc(id);
        showModel();
    });
    connect(alg_, &QButtonGroup::idClicked, this, [this](int id) {
        (void)model_.setAlg(id);
        showModel();
    });

    for (const StepBox& b : kStepBoxes) {
        auto* box = new QCheckBox(s.text(b.caption), this);
        box->setObjectName(QLatin1String(b.name));
        steps_[size_t(b.step)] = box;
        connect(box, &QCheckBox::clicked, this, [this, step = b.step](bool on) {
            (void)model_.setStep(step, on);
            showModel();
        });
    }
    steps_[size_t(AutoStep::Data)]->setText(s.text(model_.dataCaption()));
    steps_[size_t(AutoStep::Config)]->setText(s.text(kConfigArea));

    auto* autoBox = new QGroupBox(s.text(kAutoGroup), this);
    autoBox->setObjectName(QStringLiteral("GroupAuto"));
    auto* autoLayout = new QVBoxLayout(autoBox);
    for (AutoStep st :
         {AutoStep::Erase, AutoStep::Blank, AutoStep::Write, AutoStep::Compare, AutoStep::Lock})
        autoLayout->addWidget(steps_[size_t(st)]);
    autoLayout->addStretch();

    auto offsetField = [this](const char* name) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QLatin1String(name));
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                             12);
        return field;
    };
    dataOffset_ = offsetField("disp_data");
    configOffset_ = offsetField("disp_cfgw");
    auto* areasBox = new QGroupBox(s.text(kAreasGroup), this);
    areasBox->setObjectName(QStringLiteral("GroupAreas"));
    auto* areas = new QGridLayout(areasBox);
    areas->addWidget(steps_[size_t(AutoStep::Data)], 0, 0, 1, 2);
    areas->addWidget(new QLabel(s.text(kOffset), areasBox), 1, 0);
    areas->addWidget(dataOffset_, 1, 1);
    areas->addWidget(steps_[size_t(AutoStep::Config)], 2, 0, 1, 2);
    areas->addWidget(new QLabel(s.text(kOffset), areasBox), 3, 0);
    areas->addWidget(configOffset_, 3, 1);
    areas->setRowStretch(4, 1);

    auto* sectorBox = new QGroupBox(s.text(kSectorGroup), this);
    sectorBox->setObjectName(QStringLiteral("GroupSectors"));
    auto* sectorLayout = new QHBoxLayout(sectorBox);
    for (int i = 0; i < kSectorBoxes; ++i) {
        auto* box = new QCheckBox(QStringLiteral("SA%1").arg(i), sectorBox);
        box->setObjectName(QStringLiteral("SA%1").arg(i));
        sectors_[size_t(i)] = box;
        sectorLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, i](bool on) {
            (void)model_.setSector(i, on);
            showModel();
        });
    }

    auto* ok = new QPushButton(s.text(kOk), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(s.text(kCancel), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ProgParamsDialog::cancelClicked);

    auto* grid = new QGridLayout(this);
    auto* radios = new QHBoxLayout;
    radios->addWidget(vppBox_);
    radios->addWidget(vccBox_);
    radios->addWidget(algBox_);
    grid->addLayout(radios, 0, 0, 1, 2);
    grid->addWidget(autoBox, 1, 0);
    grid->addWidget(areasBox, 1, 1);
    grid->addWidget(sectorBox, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    showModel();
}

QGroupBox* ProgParamsDialog::radioGroup(const char* name, const QString& caption,
                                        const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(QLatin1String(name));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    layout->addStretch();
    return box;
}

void ProgParamsDialog::cancelClicked() {
    model_.revertSteps(s_);
    showModel();
    reject();
}

void ProgParamsDialog::showModel() {
    const bool voltages = model_.voltagesEnabled();
    vppBox_->setEnabled(voltages);
    vccBox_->setEnabled(voltages);
    algBox_->setEnabled(voltages);
    auto check = [](QButtonGroup* group, int id) {
        // A value outside the list (a chip's own code) shows no item selected.
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons())
            b->setChecked(group->id(b) == id);
        group->setExclusive(true);
    };
    check(vpp_, model_.vpp());
    check(vcc_, model_.vcc());
    check(alg_, model_.alg());
    for (int i = 0; i < kAutoSteps; ++i) {
        steps_[size_t(i)]->setEnabled(model_.stepEnabled(AutoStep(i)));
        steps_[size_t(i)]->setChecked(model_.step(AutoStep(i)));
    }
    dataOffset_->setText(model_.dataOffset());
    dataOffset_->setEnabled(!model_.dataOffset().isEmpty());
    configOffset_->setText(model_.configOffset());
    configOffset_->setEnabled(!model_.configOffset().isEmpty());
    for (int i = 0; i < kSectorBoxes; ++i) {
        sectors_[size_t(i)]->setEnabled(model_.sectorsEnabled());
        sectors_[size_t(i)]->setChecked(model_.sector(i));
    }
}

} // namespace zelvor::gui
