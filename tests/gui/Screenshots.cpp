// Writes the window pictures of the README: the main window in Russian and English (demo
// mode, AT29C256 chosen, an image loaded), the About box, the help window and the
// configuration page for a mid-range PIC, a PIC18 and an AVR.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_screenshots docs/screenshots

#include "MainWindow.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
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

void choose(Session& s, const char* chip) {
    for (int i = 0; i < int(s.cat.entries.size()); ++i)
        if (s.cat.entries[size_t(i)].name.trimmed() == QLatin1String(chip)) {
            (void)selectChip(s, s.cat.entries[size_t(i)].base, ChipChoice{1, i + 1});
            return;
        }
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
        choose(s, chip);
        w.findChild<QPushButton*>(QStringLiteral("CfgwBut"))->click();
        ok = save(&w, out + QLatin1Char('/') + QLatin1String(file)) && ok;
    }
    w.findChild<QPushButton*>(QStringLiteral("EditBut"))->click();
    w.resize(before);
    return ok;
}

int shoot(const QString& out, int english) {
    test::TestDir dir;
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        dir.copyData(QLatin1String(f));
    QByteArray image(32768, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7) ^ (i >> 8));
    dir.writeBytes(QStringLiteral("image.bin"), image);

    SystemClock clock;
    gui::MainWindow w(clock);
    StartOptions o;
    o.startDir = dir.path();
    o.demo = true;
    o.english = english;
    (void)w.start(o);
    Session& s = w.session();
    choose(s, "AT29C256");
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

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    return shoot(out, 0) | shoot(out, 1);
}
