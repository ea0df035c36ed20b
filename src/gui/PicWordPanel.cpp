#include "PicWordPanel.h"

#include "PanelWidgets.h"
#include "protect/PicConfig.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelvor::gui {

namespace {

// The list and the caption of each field, with the captions the labels carry until a
// chip's layout names them.
struct FieldWidgets {
    const char* list;
    const char* caption;
    const char* designCaption;
};
constexpr FieldWidgets kFields[ConfigState::kMaxPicFields] = {
    {"ComboBox1", "Label6", "Osc"},   {"ComboBox2", "Label8", "Wdt"},
    {"ComboBox3", "Label12", "PwrT"}, {"ComboBox4", "Label13", "CP"},
    {"ComboBox5", "Label14", "Bod"},  {"ComboBox6", "Label15", "LVP"},
    {"ComboBox7", "Label16", "CPD"},  {"ComboBox8", "Label17", "WRT"},
    {"ComboBox11", "Label42", ""},    {"ComboBox12", "Label43", ""},
    {"ComboBox13", "Label47", ""},
};

} // namespace

PicWordPanel::PicWordPanel(Session& s, std::function<void()> edited, QWidget* parent)
    : QFrame(parent), s_(s), edited_(std::move(edited)) {
    setObjectName(QStringLiteral("Panel2"));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(namedLabel("Label20", QStringLiteral("ID")));
    userId_ = new QLineEdit(QStringLiteral("FFFF"));
    userId_->setObjectName(QStringLiteral("Edit1"));
    userId_->setMaxLength(4);
    userId_->setMaximumWidth(userId_->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW")));
    top->addWidget(userId_);
    top->addSpacing(16);
    wordCaption_ = namedLabel("Cfgw", QStringLiteral("Cfgw"));
    word_ = namedLabel("Label45", QString());
    debugWord_ = namedLabel("Label59", QString());
    top->addWidget(wordCaption_);
    top->addWidget(word_);
    top->addSpacing(16);
    top->addWidget(debugWord_);
    top->addStretch(1);
    v->addLayout(top);

    // Two fields a row, field 1 top left.
    auto* grid = new QGridLayout;
    for (int k = 0; k < ConfigState::kMaxPicFields; ++k) {
        const FieldWidgets& f = kFields[k];
        captions_[size_t(k)] = namedLabel(f.caption, QLatin1String(f.designCaption));
        auto* list = new QComboBox;
        list->setObjectName(QLatin1String(f.list));
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        lists_[size_t(k)] = list;
        grid->addWidget(captions_[size_t(k)], k / 2, (k % 2) * 2);
        grid->addWidget(list, k / 2, (k % 2) * 2 + 1);
        connect(list, &QComboBox::activated, this, [this, k](int option) {
            (void)choosePicOption(s_, k, option);
            edited_();
        });
    }
    grid->setColumnStretch(4, 1);
    v->addLayout(grid);
    v->addStretch(1);

    connect(userId_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString kept = setPicUserId(s_, text);
        if (kept != text) {
            const int at = userId_->cursorPosition();
            userId_->setText(kept);
            userId_->setCursorPosition(at);
        }
    });
}

void PicWordPanel::display(const PicWordView& v) {
    for (int k = 0; k < ConfigState::kMaxPicFields; ++k) {
        QComboBox* list = lists_[size_t(k)];
        QLabel* caption = captions_[size_t(k)];
        const bool shown = k < int(v.fields.size());
        list->setVisible(shown);
        caption->setVisible(shown);
        if (!shown) continue;
        const PicField& f = v.fields[size_t(k)];
        caption->setText(f.name);
        setItems(list, f.texts, f.selected);
    }
    wordCaption_->setVisible(v.wordShown);
    word_->setVisible(v.wordShown);
    word_->setText(v.word);
    debugWord_->setVisible(v.debugShown);
    debugWord_->setText(v.debugWord);
    if (userId_->text() != v.userId) userId_->setText(v.userId);
}

} // namespace zelvor::gui
