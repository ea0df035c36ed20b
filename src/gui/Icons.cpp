#include "Icons.h"

#include <QGuiApplication>

namespace zelvor::gui {

namespace {

// The larger renderings only on high-density screens: each file is decoded when added.
QIcon sized(const char* name, int size) {
    QIcon icon;
    const auto add = [&](int px) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(name)).arg(px),
                     QSize(px, px));
    };
    add(size);
    if (qApp && qApp->devicePixelRatio() > 1.0) add(size * 2);
    return icon;
}

} // namespace

QIcon toolIcon(const char* name) {
    return sized(name, 24);
}

QIcon appIcon() {
    return sized("zelvor", 32);
}

} // namespace zelvor::gui
