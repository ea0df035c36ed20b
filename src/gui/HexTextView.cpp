#include "HexTextView.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace zelvor::gui {

namespace {

constexpr int kPad = 3; // between the frame and the text

} // namespace

HexTextView::HexTextView(HexPane pane, KeyHandler onKey, QWidget* parent)
    : QFrame(parent), pane_(pane), onKey_(std::move(onKey)) {
    setObjectName(pane == HexPane::Hex ? QStringLiteral("EditBuf1") : QStringLiteral("BufMemo1"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(viewFont());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::IBeamCursor);
}

QFont HexTextView::viewFont() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return f;
}

void HexTextView::setRows(const std::array<QString, 16>& rows, const std::bitset<256>& edited,
                          bool words) {
    rows_ = rows;
    edited_ = edited;
    words_ = words;
    update();
}

void HexTextView::setCaret(HexCaret c) {
    caret_ = HexCaret{std::clamp(c.row, 0, HexPage::kRows - 1), std::clamp(c.col, 0, columns())};
    update();
}

int HexTextView::columns() const {
    return pane_ == HexPane::Hex ? HexPage::kHexCols : HexPage::kCharCols;
}

qreal HexTextView::charWidth() const {
    // Fractional: a row drawn as one text advances by it exactly.
    return QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
}

int HexTextView::rowHeight() const {
    return fontMetrics().lineSpacing();
}

int HexTextView::textLeft() const {
    return contentsRect().left() + kPad;
}

int HexTextView::textTop() const {
    return contentsRect().top() + kPad;
}

QSize HexTextView::sizeHint() const {
    const int f = frameWidth();
    // One column more than the text: the caret behind the last character.
    return QSize(2 * (f + kPad) + qCeil((columns() + 1) * charWidth()),
                 2 * (f + kPad) + HexPage::kRows * rowHeight());
}

void HexTextView::paintEvent(QPaintEvent* e) {
    {
        QPainter p(this);
        p.fillRect(contentsRect(), palette().base());
        const qreal cw = charWidth();
        const int rh = rowHeight(), x0 = textLeft(), y0 = textTop();
        const int ascent = fontMetrics().ascent();
        const bool hex = pane_ == HexPane::Hex;
        const int width = hex ? 2 : 1; // characters of one byte
        const QColor markBack(255, 222, 150);
        const QColor markText(160, 0, 0);
        for (int r = 0; r < HexPage::kRows; ++r) {
            const QString& row = rows_[size_t(r)];
            const int top = y0 + r * rh;
            p.setPen(palette().text().color());
            if (hex) {
                p.drawText(QPointF(x0, top + ascent), row);
            } else {
                // Character by character, so that a glyph from another font keeps its column.
                for (int c = 0; c < row.size(); ++c)
                    p.drawText(QPointF(x0 + c * cw, top + ascent), row.mid(c, 1));
            }
            for (int b = 0; b < 16; ++b) {
                if (!edited_[size_t(r * 16 + b)]) continue;
                const int col = hex ? HexPage::hexColumn(words_, b) : b;
                p.fillRect(QRectF(x0 + col * cw, top, width * cw, rh), markBack);
                p.setPen(markText);
                p.drawText(QPointF(x0 + col * cw, top + ascent), row.mid(col, width));
            }
        }
        if (hasFocus())
            p.fillRect(QRectF(x0 + caret_.col * cw - 1, y0 + caret_.row * rh, 2, rh),
                       palette().text().color());
    }
    QFrame::paintEvent(e); // the frame over the text's edges
}

HexKey HexTextView::keyOf(const QKeyEvent& e, char16_t& ch) {
    ch = 0;
    // Shift and the keypad change nothing; Ctrl only the page keys.
    const int mods = (e.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)).toInt();
    const bool ctrl = mods == Qt::ControlModifier;
    switch (e.key()) {
    case Qt::Key_PageUp:
        return ctrl ? HexKey::CtrlPageUp : mods ? HexKey::Other : HexKey::PageUp;
    case Qt::Key_PageDown:
        return ctrl ? HexKey::CtrlPageDown : mods ? HexKey::Other : HexKey::PageDown;
    default:
        break;
    }
    if (mods) return HexKey::Other;
    switch (e.key()) {
    case Qt::Key_Left:
        return HexKey::Left;
    case Qt::Key_Right:
        return HexKey::Right;
    case Qt::Key_Up:
        return HexKey::Up;
    case Qt::Key_Down:
        return HexKey::Down;
    case Qt::Key_Home:
        return HexKey::Home;
    case Qt::Key_End:
        return HexKey::End;
    case Qt::Key_Backspace:
        return HexKey::Backspace;
    case Qt::Key_Delete:
        return HexKey::Delete;
    default:
        break;
    }
    const QString t = e.text();
    if (t.size() == 1 && t.at(0).unicode() >= 32 && t.at(0).unicode() != 127) {
        ch = t.at(0).unicode();
        return HexKey::Char;
    }
    return HexKey::Other;
}

void HexTextView::keyPressEvent(QKeyEvent* e) {
    char16_t ch = 0;
    const HexKey k = keyOf(*e, ch);
    if (k == HexKey::Other) {
        e->ignore();
        return;
    }
    e->accept();
    if (onKey_) onKey_(pane_, k, ch);
}

void HexTextView::mousePressEvent(QMouseEvent* e) {
    const QPointF at = e->position();
    const int col = qRound((at.x() - textLeft()) / std::max(charWidth(), 1.0));
    const int row = int(at.y() - textTop()) / std::max(rowHeight(), 1);
    setFocus(Qt::MouseFocusReason);
    setCaret(HexCaret{row, col});
}

void HexTextView::focusInEvent(QFocusEvent* e) {
    QFrame::focusInEvent(e);
    update();
}

void HexTextView::focusOutEvent(QFocusEvent* e) {
    QFrame::focusOutEvent(e);
    update();
}

} // namespace zelvor::gui
