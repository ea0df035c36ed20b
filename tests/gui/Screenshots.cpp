// Writes the window pictures of the README: the main window in Russian and English (demo
// mode, AT29C256 chosen, an image loaded), the About box, the help window, the hex view in
// bytes and in 16-bit words with a few bytes edited (marked), the configuration page for a
// mid-range PIC, a PIC18 and an AVR; the compare window on a file, and the window after a
// failed compare against the virtual programmer.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_screenshots docs/screenshots

#include "BufferPanel.h"
#include "CommandActions.h"
#include "CompareWorkspace.h"
#include "DemoWindow.h"
#include "EmulatorFixture.h"
#include "HexTextView.h"
#include "MainWindow.h"
#include "ModalCloser.h"
#include "OperationShots.h"
#include "TestDir.h"
#include "WindowCommands.h"
#include "catalogue/BaseTableLoader.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <cstdio>

using namespace zelvor;

namespace {

bool save(QWidget* w, const QString& file) {
    QTest::qWait(150); // let it lay out and paint
    const bool ok = w && w->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

// A few bytes typed into both views on page 2, then the window in bytes and in words.
bool shootHexView(gui::MainWindow& w, const QString& out) {
    auto* panel = w.findChild<gui::BufferPanel*>(QStringLiteral("Panel6"));
    w.activateWindow();
    panel->showOffset(0x120);
    QTest::keyClicks(&panel->hexView(), QStringLiteral("DEADBEEF"));
    panel->showOffset(0x1A4);
    QTest::keyClicks(&panel->hexView(), QStringLiteral("0102"));
    panel->charView().setFocus();
    panel->charView().setCaret(HexCaret{5, 4});
    QTest::keyClicks(&panel->charView(), QStringLiteral("Zelvor"));
    bool ok = save(&w, out + QStringLiteral("/hex-bytes-en.png"));
    w.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->setChecked(true);
    panel->showOffset(0x1A4);
    return save(&w, out + QStringLiteral("/hex-words-en.png")) && ok;
}

// The configuration page of each chip named, in the pictures' language.
bool shootConfig(gui::MainWindow& w, const QString& out,
                 std::initializer_list<std::pair<const char*, const char*>> chips) {
    Session& s = w.session();
    s.settings.model = 4; // the model that takes every chip
    // Taller than the design size, where the page scrolls, so that the pictures show it all.
    const QSize before = w.size();
    w.resize(before.width(), before.height() + 110);
    bool ok = true;
    for (const auto& [chip, file] : chips) {
        test::chooseChip(s, chip);
        w.findChild<QPushButton*>(QStringLiteral("CfgwBut"))->click();
        ok = save(&w, out + QLatin1Char('/') + QLatin1String(file)) && ok;
    }
    w.findChild<QPushButton*>(QStringLiteral("EditBut"))->click();
    w.resize(before);
    return ok;
}

int shoot(const QString& out, int english) {
    test::TestDir dir;
    QByteArray image(32768, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7) ^ (i >> 8));
    dir.writeBytes(QStringLiteral("image.bin"), image);

    SystemClock clock;
    gui::MainWindow w(clock);
    test::startDemoWindow(w, dir, english);
    Session& s = w.session();
    (void)loadFile(s, dir.file(QStringLiteral("image.bin")));
    w.show();
    const QString lang = english ? QStringLiteral("en") : QStringLiteral("ru");
    bool ok = save(&w, out + QStringLiteral("/main-window-%1.png").arg(lang));
    w.findChild<QAction*>(QStringLiteral("AboutPrg"))->trigger();
    ok = save(w.findChild<QWidget*>(QStringLiteral("TAboutBox")),
              out + QStringLiteral("/about-%1.png").arg(lang)) &&
         ok;
    w.findChild<QAction*>(QStringLiteral("HelpPrg"))->trigger();
    ok = save(w.findChild<QWidget*>(QStringLiteral("HelpWindow")),
              out + QStringLiteral("/help-%1.png").arg(lang)) &&
         ok;
    if (english) ok = shootHexView(w, out) && ok;
    if (english)
        ok = shootConfig(w, out, {{"PIC18F242", "config-pic18-en.png"}}) && ok;
    else
        ok = shootConfig(
                 w, out,
                 {{"PIC16F84", "config-pic16-ru.png"}, {"ATmega16", "config-fuses-ru.png"}}) &&
             ok;
    w.close();
    return ok ? 0 : 1;
}

// An image whose bytes tell their places apart, and a copy changed in a few places.
QByteArray compareImage(bool changed) {
    QByteArray b(4096, 0);
    for (int i = 0; i < b.size(); ++i)
        b[i] = char((i * 7) ^ (i >> 8));
    if (changed)
        for (int at : {0x23, 0x150, 0x151, 0x152, 0x1A7, 0x800, 0xFFE})
            b[at] = char(~b[at]);
    return b;
}

// The compare window on a file (English, at the second difference), and the main window
// beside it after a failed compare of the chip (Russian).
int shootCompare(const QString& out) {
    test::EmulatorInstance emu;
    std::string error;
    if (!emu.start(emu::EmulatorOptions{}, error)) {
        std::printf("FAILED to start the virtual programmer: %s\n", error.c_str());
        return 1;
    }
    const QByteArray chip = compareImage(false);
    for (int i = 0; i < chip.size(); ++i)
        emu.emulator().chip().poke(0, std::uint32_t(i), std::uint8_t(chip[i]));
    bool ok = true;
    for (int english : {1, 0}) {
        test::TestDir dir;
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        dir.writeLines(QStringLiteral("zelvor.ports"),
                       {QStringLiteral("COM1=") + QString::fromStdString(emu.slavePath())});
        dir.writeBytes(QStringLiteral("image.bin"), compareImage(true));
        dir.writeBytes(QStringLiteral("chip.bin"), chip);
        SystemClock clock;
        test::ModalCloser closer;
        gui::MainWindow w(clock);
        StartOptions o;
        o.startDir = dir.path();
        o.english = english;
        (void)w.start(o);
        Session& s = w.session();
        (void)selectChip(s, findBaseByName(s.base, QStringLiteral("2732A")), ChipChoice{});
        (void)loadFile(s, dir.file(QStringLiteral("image.bin")));
        w.windowCommands().setFileChooser(
            [&](bool) { return dir.file(QStringLiteral("chip.bin")); });
        w.move(0, 0);
        w.show();
        QTest::qWait(150);
        w.actions().action(QLatin1String(english ? "CompareFile" : "CompRom"))->trigger();
        gui::CompareWorkspace* cmp = w.windowCommands().compareWorkspace();
        if (!cmp) {
            std::printf("FAILED: no compare window\n");
            return 1;
        }
        if (english) {
            cmp->findChild<QPushButton*>(QStringLiteral("NextDifference"))->click();
            ok = save(cmp, out + QStringLiteral("/compare-file-en.png")) && ok;
        } else {
            // Both windows, one above the other, as the screen shows them.
            cmp->move(0, w.frameGeometry().bottom() + 8);
            QTest::qWait(300);
            const QRect both = w.frameGeometry().united(cmp->frameGeometry());
            const QPixmap shot = QApplication::primaryScreen()->grabWindow(
                0, both.x(), both.y(), both.width(), both.height());
            const QString file = out + QStringLiteral("/failed-compare-ru.png");
            const bool saved = shot.save(file);
            std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
            ok = saved && ok;
        }
        cmp->close();
        w.close();
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    return shoot(out, 0) | shoot(out, 1) | shootCompare(out) | test::shootOperations(out, 0) |
           test::shootOperations(out, 1);
}
