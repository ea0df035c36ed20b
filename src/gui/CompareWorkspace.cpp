#include "CompareWorkspace.h"

#include "app/FrontEnd.h"
#include "app/Messages.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

namespace zelvor::gui {

namespace {

constexpr int kLines = 17;   // the header and 16 rows
constexpr int kColumns = 74; // address, two blanks, 47 hex, two blanks, 16 characters
const char* const kDiffer = "#ffc8c8";
const char* const kCurrent = "#ff7a7a";

QString spanned(const QString& text, const char* colour) {
    return colour ? QStringLiteral("<span style=\"background-color:%1\">%2</span>")
                        .arg(QLatin1String(colour), text.toHtmlEscaped())
                  : text.toHtmlEscaped();
}

} // namespace

CompareWorkspace::CompareWorkspace(Session& s, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(s) {
    setObjectName(QStringLiteral("CompareWorkspace"));
    const bool en = s_.settings.english == 1;
    auto* bufferTitle = new QLabel(s_.text(msg::CompareBufferSide));
    bufferTitle->setObjectName(QStringLiteral("CompareBufferTitle"));
    otherTitle_ = new QLabel;
    otherTitle_->setObjectName(QStringLiteral("CompareOtherTitle"));
    left_ = makeView("CompareBufferView");
    right_ = makeView("CompareOtherView");
    scroll_ = new QScrollBar(Qt::Vertical);
    scroll_->setObjectName(QStringLiteral("CompareScroll"));
    scroll_->setPageStep(1);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("CompareSummary"));
    position_ = new QLabel;
    position_->setObjectName(QStringLiteral("ComparePosition"));
    previous_ = new QPushButton(en ? QStringLiteral("Previous") : QStringLiteral("Предыдущее"));
    previous_->setObjectName(QStringLiteral("PrevDifference"));
    next_ = new QPushButton(en ? QStringLiteral("Next") : QStringLiteral("Следующее"));
    next_->setObjectName(QStringLiteral("NextDifference"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(bufferTitle, 0, 0);
    grid->addWidget(otherTitle_, 0, 1);
    grid->addWidget(left_, 1, 0);
    grid->addWidget(right_, 1, 1);
    grid->addWidget(scroll_, 1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(summary_);
    bottom->addSpacing(fontMetrics().averageCharWidth() * 4);
    bottom->addWidget(position_, 1);
    bottom->addWidget(previous_);
    bottom->addWidget(next_);
    grid->addLayout(bottom, 2, 0, 1, 3);

    connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (value + 1 == model_.page()) return;
        model_.setPage(value + 1);
        showPage();
    });
    connect(previous_, &QPushButton::clicked, this, [this] { step(false); });
    connect(next_, &QPushButton::clicked, this, [this] { step(true); });
}

QTextEdit* CompareWorkspace::makeView(const char* name) {
    auto* view = new QTextEdit;
    view->setObjectName(QLatin1String(name));
    view->setReadOnly(true);
    view->setLineWrapMode(QTextEdit::NoWrap);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics fm(view->font());
    // Room for a glyph or two that the fixed font lacks and another font draws wider.
    const int frame = 2 * (view->frameWidth() + int(view->document()->documentMargin()));
    view->setFixedSize(fm.horizontalAdvance(QString(kColumns + 3, QLatin1Char('0'))) + frame,
                       fm.lineSpacing() * kLines + frame + fm.descent());
    // The wheel over either side turns the pages of both.
    view->viewport()->installEventFilter(this);
    return view;
}

void CompareWorkspace::compare(const QString& caption, const QString& otherTitle, RomBuf other,
                               qint64 otherBytes, quint8 highMask, qint64 bufferLimit) {
    setWindowTitle(caption);
    otherTitle_->setText(otherTitle);
    model_.start(s_.buf, std::move(other), otherBytes, highMask, bufferLimit);
    (void)model_.next();
    showPage();
}

void CompareWorkspace::refresh(unsigned what) {
    if (!(what & (ChangeBufferEdited | ChangeBufferReplaced))) return;
    model_.bufferChanged();
    showPage();
}

void CompareWorkspace::step(bool forward) {
    if (forward ? model_.next() : model_.previous()) showPage();
}

void CompareWorkspace::showPage() {
    {
        const QSignalBlocker block(scroll_);
        scroll_->setRange(0, model_.lastPage() - 1);
        scroll_->setValue(model_.page() - 1);
    }
    left_->setHtml(pageHtml(ImageComparison::Side::Buffer));
    right_->setHtml(pageHtml(ImageComparison::Side::Other));
    summary_->setText(model_.summary(s_));
    position_->setText(model_.position(s_));
    const int n = int(model_.diff().ranges.size());
    const int at = model_.current();
    previous_->setEnabled(n > 0 && at != 0);
    next_->setEnabled(n > 0 && (at < 0 || at + 1 < n));
}

QString CompareWorkspace::pageHtml(ImageComparison::Side side) const {
    const HexPageText t = model_.text(side);
    const std::bitset<256> differ = model_.differingOnPage();
    const std::bitset<256> current = model_.currentOnPage();
    QString html = QStringLiteral("<pre style=\"font-family:'%1'\">")
                       .arg(left_->font().family().toHtmlEscaped());
    html += (t.addrCaption.leftJustified(9) + t.header).toHtmlEscaped();
    for (int r = 0; r < HexPage::kRows; ++r) {
        QString hex, chars;
        for (int i = 0; i < 16; ++i) {
            const size_t b = size_t(r * 16 + i);
            const char* colour = current[b] ? kCurrent : differ[b] ? kDiffer : nullptr;
            hex += spanned(t.hexRows[size_t(r)].mid(i * 3, 2), colour);
            if (i < 15) hex += QLatin1Char(' ');
            chars += spanned(t.charRows[size_t(r)].mid(i, 1), colour);
        }
        html += QLatin1Char('\n') + t.rowAddr[size_t(r)] + QLatin1String("  ") + hex +
                QLatin1String("  ") + chars;
    }
    return html + QLatin1String("</pre>");
}

bool CompareWorkspace::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0) scroll_->setValue(scroll_->value() + (dy < 0 ? 1 : -1));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelvor::gui
