#include "BufferPrinter.h"

#include "buffer/Listing.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace zelvor::gui {

namespace {

bool askPrinter(QPrinter& printer, int lastPage, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, lastPage);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

// A block's 128 rows do not fit one column of a sheet in a readable size: two columns.
void drawListingPage(QPainter& painter, const QRectF& area, const QStringList& lines) {
    const QStringList rows = lines.mid(1);
    const qsizetype half = (rows.size() + 1) / 2;
    const qsizetype width = std::max<qsizetype>(1, rows.isEmpty() ? 1 : rows[0].size());
    // The largest size, at most 10 points, at which both columns and every line fit.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (double pt = 10; pt >= 4; pt -= 0.5) {
        font.setPointSizeF(pt);
        const QFontMetricsF m(font, painter.device());
        if (m.horizontalAdvance(QLatin1Char('0')) * double(2 * width + 4) <= area.width() &&
            m.lineSpacing() * double(half + 2) <= area.height())
            break;
    }
    painter.setFont(font);
    const QFontMetricsF m(font, painter.device());
    const double line = m.lineSpacing();
    const double column = m.horizontalAdvance(QLatin1Char('0')) * double(width + 4);
    double y = area.top() + m.ascent();
    painter.drawText(QPointF(area.left(), y), lines.value(0));
    y += 2 * line;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const double x = area.left() + (i < half ? 0.0 : column);
        painter.drawText(QPointF(x, y + line * double(i % half)), rows[i]);
    }
}

int printBuffer(Session& s, QWidget* parent, const PrintSetup& setup) {
    std::vector<QStringList> pages;
    if (Print_Rom(s, 0, 0, pages) != ListingOk) return ListingEmpty; // says the buffer is empty
    const int lastPage = listingLastBlock(s.buf) + 1;
    QPrinter printer;
    printer.setFromTo(1, lastPage);
    const bool accepted = setup ? setup(printer, lastPage) : askPrinter(printer, lastPage, parent);
    if (!accepted) return 0;
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int first = range ? printer.fromPage() - 1 : 0;
    const int last = range ? printer.toPage() - 1 : lastPage - 1;
    const int rc = Print_Rom(s, first, last, pages);
    if (rc != ListingOk || pages.empty()) return rc;
    QPainter painter(&printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF target(0, 0, area.width(), area.height());
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) printer.newPage();
        drawListingPage(painter, target, pages[p]);
    }
    return 0;
}

} // namespace zelvor::gui
