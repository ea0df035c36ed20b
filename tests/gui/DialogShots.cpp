// Pictures of the chip selection dialog (by type and by maker), the programming parameters
// dialog, the buffer operations dialog and a printed listing page for the documentation. Run under
// a real X server for real fonts:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/dialog_shots docs/screenshots

#include "BufferOpsDialog.h"
#include "BufferPrinter.h"
#include "ChipSelectDialog.h"
#include "ProgParamsDialog.h"

#include "TestDir.h"
#include "TestSession.h"

#include "buffer/BufferFiles.h"
#include "buffer/Listing.h"
#include "program/DialogCommands.h"
#include "program/Startup.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace zelvor;

namespace {

bool shoot(QWidget& w, const QString& path) {
    w.show();
    w.activateWindow();
    QTest::qWait(300);
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    w.hide();
    return ok;
}

// Block 1 of an image as the printer gets it, on an A4 sheet at 100 dots per inch with
// 15 mm margins.
bool shootListing(Session& s, const QString& path) {
    const double dpi = 100;
    const QSize sheet = QPageSize(QPageSize::A4).sizePixels(int(dpi));
    QImage page(sheet, QImage::Format_Grayscale8);
    page.setDotsPerMeterX(int(dpi / 0.0254));
    page.setDotsPerMeterY(int(dpi / 0.0254));
    page.fill(Qt::white);
    const double margin = 15 / 25.4 * dpi;
    {
        QPainter painter(&page);
        painter.setPen(Qt::black);
        gui::drawListingPage(
            painter,
            QRectF(margin, margin, sheet.width() - 2 * margin, sheet.height() - 2 * margin),
            listingBlock(s.buf, 1));
        painter.setPen(Qt::lightGray);
        painter.drawRect(page.rect().adjusted(0, 0, -1, -1));
    }
    const bool ok = page.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    bool ok = true;
    for (int english : {1, 0}) {
        test::TestSession t;
        test::TestDir dir;
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        if (Startup(t.s, defaultStartupHooks(), dir.path(), false) != 0) return 1;
        t.s.settings.english = english;
        t.s.link.demoMode = 1;
        const QString lang = english ? QStringLiteral("en") : QStringLiteral("ru");

        // How long the lists take to build over the whole catalogue.
        QElapsedTimer timer;
        timer.start();
        { const ChipSelectModel lists(t.s); }
        const qint64 modelNs = timer.nsecsElapsed();
        timer.restart();
        { gui::ChipSelectDialog dialog(t.s); }
        std::printf("%d entries, %d makers: lists %.2f ms, dialog %.2f ms\n", t.s.cat.catCount(),
                    int(t.s.cat.makerNames.size()), modelNs / 1e6, timer.nsecsElapsed() / 1e6);

        // By type: the EPROMs filtered to 27C.
        gui::ChipSelectDialog byType(t.s);
        byType.findChild<QListWidget*>(QStringLiteral("ListBox1"))->setCurrentRow(0);
        QTest::keyClicks(byType.findChild<QLineEdit*>(QStringLiteral("Edit1")),
                         QStringLiteral("27C"));
        ok = shoot(byType, out + QStringLiteral("/chip-select-type-%1.png").arg(lang)) && ok;

        // By maker: a chip of one of the first makers with adapters to preview.
        gui::ChipSelectDialog byMaker(t.s);
        byMaker.show();
        auto* makers = byMaker.findChild<QListWidget*>(QStringLiteral("ListBox3"));
        for (int i = 0; i < makers->count(); ++i)
            if (makers->item(i)->text().trimmed() == QLatin1String("Atmel")) {
                makers->scrollToItem(makers->item(i));
                QTest::mouseClick(makers->viewport(), Qt::LeftButton, {},
                                  makers->visualItemRect(makers->item(i)).center());
            }
        byMaker.findChild<QListWidget*>(QStringLiteral("ListBox2"))->setCurrentRow(3);
        ok = shoot(byMaker, out + QStringLiteral("/chip-select-maker-%1.png").arg(lang)) && ok;

        // Parameters of a loader-ROM microcontroller (extra area offered) after choosing it.
        ChipSelectModel m(t.s);
        m.chooseType(1);
        m.setFilter(QStringLiteral("W78E516"));
        if (m.hasChoice()) (void)acceptChipSelection(t.s, m);
        gui::ProgParamsDialog params(t.s);
        ok = shoot(params, out + QStringLiteral("/prog-params-%1.png").arg(lang)) && ok;

        // The buffer operations dialog over a 12 KiB image; its second block printed.
        QByteArray image(12 * 1024, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 7) ^ (i >> 8));
        dir.writeBytes(QStringLiteral("image.bin"), image);
        if (LoadBin(t.s, dir.file(QStringLiteral("image.bin"))) != 0) return 1;
        gui::BufferOpsDialog ops(t.s);
        ok = shoot(ops, out + QStringLiteral("/buffer-ops-%1.png").arg(lang)) && ok;
        if (english) ok = shootListing(t.s, out + QStringLiteral("/print-page.png")) && ok;
    }
    return ok ? 0 : 1;
}
