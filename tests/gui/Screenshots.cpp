// Writes the window pictures of the README: the main window in Russian and English (demo
// mode, AT29C256 chosen, an image loaded), the About box and the help window.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/gui_screenshots docs/screenshots

#include "DemoWindow.h"
#include "MainWindow.h"
#include "OperationShots.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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
    w.close();
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    return shoot(out, 0) | shoot(out, 1) | test::shootOperations(out, 0) |
           test::shootOperations(out, 1);
}
