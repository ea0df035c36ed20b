// Renders the window's SVG icons into the PNG files the program loads (it then needs no SVG
// plugin at run time and starts faster). Run after changing an icon:
//   cmake --build build --target render_icons && build/scripts/render-icons/render_icons \
//       src/gui/resources/icons
// Needs Qt's SVG icon plugin (Debian: libqt6svg6) on the machine that renders.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: render_icons ICON_FOLDER\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    int failures = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        const QIcon icon(dir.filePath(name));
        const bool appIcon = name == QLatin1String("zelvor.svg");
        const QList<int> sizes = appIcon ? QList<int>{32, 64} : QList<int>{24, 48};
        for (int size : sizes) {
            const QPixmap pm = icon.pixmap(QSize(size, size));
            const QString out = dir.filePath(
                QStringLiteral("png/%1-%2.png").arg(QFileInfo(name).completeBaseName()).arg(size));
            QDir().mkpath(dir.filePath(QStringLiteral("png")));
            if (pm.isNull() || !pm.save(out)) {
                std::fprintf(stderr, "render_icons: cannot render %s at %d\n", qPrintable(name),
                             size);
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
