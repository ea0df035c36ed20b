// zelvor: the programmer's desktop window.
//   zelvor [--port DEVICE|COM1..COM4] [--dir DIR] [--demo] [--lang ru|en] [FILE]

#include "MainWindow.h"

#include "Icons.h"
#include "QuitWhenShown.h"
#include "WindowCommands.h"
#include "buffer/FilePath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

using namespace zelvor;

namespace {

bool displayMissing() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return false;
#endif
}

// Without --dir the start folder is the current one. When it holds no prgplus.lst and the
// program is installed, the user's own folder is used instead and gets the installed lists
// it lacks (so the desktop entry finds them); the settings are then kept there.
QString startFolder() {
    const QString here = QDir::currentPath();
    if (QFileInfo::exists(QDir(here).filePath(QStringLiteral("prgplus.lst")))) return here;
    const QDir installed(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/zelvor"));
    if (!installed.exists(QStringLiteral("prgplus.lst"))) return here;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (own.isEmpty() || !QDir().mkpath(own)) return here;
    for (const QString& name : installed.entryList({QStringLiteral("*.lst")}, QDir::Files)) {
        const QString target = QDir(own).filePath(name);
        if (!QFileInfo::exists(target)) (void)QFile::copy(installed.filePath(name), target);
    }
    return own;
}

// The argument as the system's bytes name it (a name that is not UTF-8 stays the same file).
QString nativeArgument(int argc, char** argv, const QString& decoded) {
    for (int i = argc - 1; i > 0; --i)
        if (QString::fromLocal8Bit(argv[i]) == decoded) return pathFromNative(QByteArray(argv[i]));
    return decoded;
}

QString bothLanguages(const Text& t, const QString& arg) {
    return QString::fromUtf8(t.ru).arg(arg) + QStringLiteral("\n\n") +
           QString::fromUtf8(t.en).arg(arg);
}

} // namespace

int main(int argc, char** argv) {
    if (displayMissing()) {
        std::fputs("zelvor: no display ($DISPLAY and $WAYLAND_DISPLAY are empty); "
                   "use zelvor-cli, or QT_QPA_PLATFORM=offscreen\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvor"));
    QApplication::setApplicationVersion(QStringLiteral(ZELVOR_VERSION));
    QApplication::setWindowIcon(gui::appIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvor: universal chip programmer"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("COM1..COM4 (as mapped in zelvor.ports) or a "
                                                 "device such as /dev/ttyUSB0"),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption dir(QStringLiteral("dir"),
                                 QStringLiteral("start folder: zelvor.cfg and the list files"),
                                 QStringLiteral("DIR"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("demo mode: every exchange succeeds, no port"));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("ru or en for this run (saved at close)"),
                                  QStringLiteral("LANG"));
    // For the start-up benchmark: say "shown" once the window is up, then quit.
    QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                     QStringLiteral("leave after the first shown window"));
    quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({port, dir, demo, lang, quitWhenShown});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("image file to load (BIN or Intel HEX)"),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::fputs("zelvor: one image file at most\n", stderr);
        return 2;
    }
    // Named relative to the folder the program was started from, before --dir changes it.
    const QString file = parser.positionalArguments().isEmpty()
                             ? QString()
                             : QDir::current().absoluteFilePath(
                                   nativeArgument(argc, argv, parser.positionalArguments()[0]));

    StartOptions options;
    options.startDir =
        QDir(parser.isSet(dir) ? parser.value(dir) : QDir::currentPath()).absolutePath();
    // The journal and the lists read later are found in the current folder.
    QDir::setCurrent(options.startDir);
    options.port = parser.value(port);
    options.demo = parser.isSet(demo);
    if (parser.isSet(lang)) {
        const QString l = parser.value(lang).toLower();
        if (l != QLatin1String("ru") && l != QLatin1String("en")) {
            std::fputs("zelvor: --lang takes ru or en\n", stderr);
            return 2;
        }
        options.english = l == QLatin1String("en") ? 1 : 0;
    }

    // One window per start folder: two would overwrite each other's zelvor.cfg and fight for
    // the port.
    QLockFile lock(QDir(options.startDir).filePath(QStringLiteral("zelvor.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(200)) {
        QMessageBox::information(nullptr, QStringLiteral("Zelvor"),
                                 bothLanguages(msg::AlreadyRunning, options.startDir));
        return 1;
    }

    SystemClock clock;
    gui::MainWindow window(clock);
    (void)window.start(options);
    window.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window,
                           [&window, file] { (void)window.windowCommands().openFile(file); });
    if (parser.isSet(quitWhenShown)) gui::quitWhenShown(window);
    return app.exec();
}
