#include "BufferPrinter.h"

#include "buffer/Listing.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace zelvor::gui {

int printBuffer(Session& s, QWidget* parent) {
    std::vector<QStringList> pages;
    if (Print_Rom(s, 0, 0, pages) != ListingOk) return ListingEmpty; // says the buffer is empty
    QPrinter printer;
    printer.setFromTo(1, listingLastBlock(s.buf) + 1);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, listingLastBlock(s.buf) + 1);
    if (dialog.exec() != QDialog::Accepted) return 0;
    const bool range = printer.printRange() == QPrinter::PageRange;
    const int first = range ? printer.fromPage() - 1 : 0;
    const int last = range ? printer.toPage() - 1 : listingLastBlock(s.buf);
    const int rc = Print_Rom(s, first, last, pages);
    if (rc != ListingOk) return rc;
    QPainter painter(&printer);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(8);
    painter.setFont(mono);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) printer.newPage();
        int y = lineHeight;
        for (const QString& line : pages[p]) {
            painter.drawText(0, y, line);
            y += lineHeight;
        }
    }
    return 0;
}

} // namespace zelvor::gui
