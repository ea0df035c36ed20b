#pragma once
// The print command: the print dialog with the range of pages (page k + 1 is buffer block
// k), printing to a PDF file through the same dialog, then the core's listing, one block
// to a page.

#include "app/Session.h"

#include <functional>

#include <QRectF>
#include <QStringList>

class QPainter;
class QPrinter;
class QWidget;

namespace zelvor::gui {

// Sets the printer up for pages 1..lastPage: false when the operator cancelled. The print
// dialog unless replaced (tests, scripts).
using PrintSetup = std::function<bool(QPrinter& printer, int lastPage)>;

// Draws one listing page (the header line, then the block's rows in two columns) in `area`
// at the largest size up to 10 points that fits.
void drawListingPage(QPainter& painter, const QRectF& area, const QStringList& lines);

// 0 when printed or cancelled, else the listing's code (the empty buffer's message shown).
[[nodiscard]] int printBuffer(Session& s, QWidget* parent, const PrintSetup& setup = {});

} // namespace zelvor::gui
