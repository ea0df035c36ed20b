#include "BufferPanel.h"

#include "HexTextView.h"
#include "buffer/ImageHistory.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace zelvor::gui {

BufferPanel::BufferPanel(Session& s, QWidget* parent) : MiddlePanel("Panel6", parent), s_(s) {
    const auto forward = [this](HexPane pane, HexKey key, char16_t ch) { onKey(pane, key, ch); };
    hex_ = new HexTextView(HexPane::Hex, forward);
    chars_ = new HexTextView(HexPane::Chars, forward);
    addrCaption_ = new QLabel;
    addrCaption_->setObjectName(QStringLiteral("Label50"));
    addrCaption_->setFont(HexTextView::viewFont());
    header_ = new QLabel;
    header_->setObjectName(QStringLiteral("Label60"));
    header_->setFont(HexTextView::viewFont());
    header_->setContentsMargins(hex_->textLeft(), 0, 0, 0);
    scroll_ = new QScrollBar(Qt::Vertical);
    scroll_->setObjectName(QStringLiteral("ScrollBar1"));
    scroll_->setPageStep(1);
    words_ = new QCheckBox(s.settings.english ? QStringLiteral("16-bit data")
                                              : QStringLiteral("16-бит данные"));
    words_->setObjectName(QStringLiteral("CheckBox1"));
    words_->setFocusPolicy(Qt::TabFocus);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->addWidget(addrCaption_, 0, 0);
    grid->addWidget(header_, 0, 1);
    grid->addWidget(buildAddressColumn(), 1, 0, Qt::AlignTop);
    grid->addWidget(hex_, 1, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(chars_, 1, 2, Qt::AlignTop | Qt::AlignLeft);
    grid->addWidget(scroll_, 1, 3);
    grid->addWidget(words_, 2, 1, 1, 2);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(3, 1);

    connect(scroll_, &QScrollBar::valueChanged, this, &BufferPanel::onScroll);
    connect(words_, &QCheckBox::toggled, this, &BufferPanel::onWords);
    setFocusProxy(hex_);
}

QWidget* BufferPanel::buildAddressColumn() {
    auto* column = new QWidget;
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, hex_->textTop(), 0, 0);
    v->setSpacing(0);
    for (int r = 0; r < HexPage::kRows; ++r) {
        auto* l = new QLabel;
        l->setObjectName(QStringLiteral("Label%1").arg(61 + r));
        l->setFont(HexTextView::viewFont());
        l->setFixedHeight(hex_->rowHeight());
        rowAddr_[size_t(r)] = l;
        v->addWidget(l);
    }
    v->addStretch(1);
    return column;
}

void BufferPanel::refresh(unsigned what) {
    if (what & (ChangeChip | ChangeBufferReplaced | ChangeBufferLabels | ChangeBufferEdited))
        followSize();
    if (what & ChangeBufferReplaced) {
        page_.setPage(s_.buf, 1);
        fillPage();
    } else if (what & (ChangeChip | ChangeBufferLabels | ChangeBufferEdited)) {
        drawPage();
    }
}

void BufferPanel::followSize() {
    page_.setPage(s_.buf, page_.page());
    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, HexPage::scrollMax(s_.buf));
}

void BufferPanel::showOffset(qint64 offset) {
    showCaret(page_.showByte(s_.buf, offset));
}

void BufferPanel::showCaret(HexCaret caret) {
    drawPage();
    chars_->setCaret(HexCaret{});
    hex_->setCaret(caret);
    hex_->setFocus();
}

qint64 BufferPanel::caretOffset() const {
    return page_.caretByte(HexPane::Hex, hex_->caret());
}

void BufferPanel::onKey(HexPane pane, HexKey key, char16_t ch) {
    HexTextView* view = pane == HexPane::Hex ? hex_ : chars_;
    HexTextView* other = pane == HexPane::Hex ? chars_ : hex_;
    const HexKeyResult r = pressHexKey(s_, page_, pane, view->caret(), key, ch);
    if (!r.accepted) return;
    if (r.redraw || r.edit) drawPage();
    if (r.redraw) other->setCaret(HexCaret{});
    view->setCaret(r.caret);
}

void BufferPanel::onScroll(int position) {
    page_.scrollTo(s_.buf, position);
    fillPage();
}

void BufferPanel::onWords(bool on) {
    page_.setWords(on);
    fillPage();
}

void BufferPanel::wheelEvent(QWheelEvent* e) {
    // A notch of the wheel (120) turns one page, as the scroll bar's arrows do.
    wheel_ += e->angleDelta().y();
    const int notches = wheel_ / 120;
    wheel_ -= notches * 120;
    if (notches) scroll_->setValue(scroll_->value() - notches);
    e->accept();
}

void BufferPanel::drawPage() {
    const HexPageText t = page_.text(s_.buf);
    const std::bitset<256> edited = editedBytes(s_.buf, page_.pageStart());
    hex_->setRows(t.hexRows, edited, page_.words());
    chars_->setRows(t.charRows, edited, false);
    addrCaption_->setText(t.addrCaption);
    header_->setText(t.header);
    for (int r = 0; r < HexPage::kRows; ++r)
        rowAddr_[size_t(r)]->setText(t.rowAddr[size_t(r)]);
    const QSignalBlocker block(scroll_);
    scroll_->setValue(page_.scrollPos());
}

void BufferPanel::fillPage() {
    drawPage();
    chars_->setCaret(HexCaret{});
    hex_->setCaret(HexCaret{});
    hex_->setFocus();
}

} // namespace zelvor::gui
