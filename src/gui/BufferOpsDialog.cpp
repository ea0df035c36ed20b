#include "BufferOpsDialog.h"

#include "app/HexText.h"
#include "program/Commands.h"
#include "program/Startup.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace zelvor::gui {

namespace {

// Address fields hold five digits, more when the buffer is larger than 1 MiB.
int addressDigits(const RomBuf& buf) {
    int digits = 5;
    while (digits < 7 && (qint64(buf.size) - 1) >> (4 * digits) != 0)
        ++digits;
    return digits;
}

QLineEdit* hexField(const char* name, int digits, const QString& text) {
    auto* e = new QLineEdit(text);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(digits);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f ]*")), e));
    const int w = e->fontMetrics().horizontalAdvance(QString(digits + 2, QLatin1Char('D')));
    e->setMinimumWidth(w + 12);
    return e;
}

} // namespace

BufferOpsDialog::BufferOpsDialog(Session& s, QWidget* parent)
    : QDialog(parent), s_(s), fields_(editDefaults(s.buf)) {
    setObjectName(QStringLiteral("TEditFrm"));
    setWindowTitle(s.text(msg::EditBufCaption));
    const int digits = addressDigits(s.buf);
    mask_ = hexField("E_data", 2, Hex_str(fields_.editMask, 2));
    start_ = hexField("E_ba", digits, Hex_str(quint32(fields_.editStart), digits));
    end_ = hexField("E_ea", digits, Hex_str(quint32(std::max(fields_.editEnd, 0)), digits));

    auto* grid = new QGridLayout;
    const std::pair<const Text*, QLineEdit*> rows[] = {
        {&msg::EditMaskLabel, mask_}, {&msg::EditStartLabel, start_}, {&msg::EditEndLabel, end_}};
    static constexpr const char* kLabelNames[] = {"L_data", "L_ba", "L_ea"};
    int row = 0;
    for (const auto& [caption, field] : rows) {
        auto* label = new QLabel(s.text(*caption));
        label->setObjectName(QLatin1String(kLabelNames[row]));
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }

    auto* buttons = new QHBoxLayout;
    struct Button {
        const char* name;
        const char* text;
        EditOp op;
    };
    static constexpr Button kOps[] = {
        {"B_and", "AND", EditOp::And}, {"B_or", "OR", EditOp::Or}, {"B_xor", "XOR", EditOp::Xor}};
    for (const Button& b : kOps) {
        auto* p = new QPushButton(QLatin1String(b.text));
        p->setObjectName(QLatin1String(b.name));
        p->setAutoDefault(false);
        connect(p, &QPushButton::clicked, this, [this, op = b.op] { apply(op); });
        buttons->addWidget(p);
    }
    auto* swapButton = new QPushButton(QStringLiteral("SWAP"));
    swapButton->setObjectName(QStringLiteral("B_swap"));
    swapButton->setAutoDefault(false);
    connect(swapButton, &QPushButton::clicked, this, &BufferOpsDialog::swap);
    buttons->addWidget(swapButton);

    auto* v = new QVBoxLayout(this);
    v->addLayout(grid);
    v->addLayout(buttons);
    setLayout(v);
    mask_->selectAll();
    mask_->setFocus();
}

void BufferOpsDialog::apply(EditOp op) {
    const int rejected = editBuffer(s_, op, fields_, mask_->text(), start_->text(), end_->text());
    if (rejected == 0) accept();
}

void BufferOpsDialog::swap() {
    (void)runCommand(s_, Command::SwapBuffer);
    accept();
}

int openBufferOps(Session& s, QWidget* parent) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    BufferOpsDialog dialog(s, parent);
    dialog.exec();
    return 0;
}

} // namespace zelvor::gui
