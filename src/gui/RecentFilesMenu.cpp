#include "RecentFilesMenu.h"

#include "CommandActions.h"
#include "buffer/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace zelvor::gui {

RecentFilesMenu::RecentFilesMenu(const Session& s, const CommandActions& actions)
    : s_(s), actions_(actions) {
    if (QMenu* file = actions_.menu(QStringLiteral("N13")))
        QObject::connect(file, &QMenu::aboutToShow, file, [this] { update(); });
    if (QMenu* list = actions_.menu(QStringLiteral("RecentFiles"))) list->setToolTipsVisible(true);
    update();
}

void RecentFilesMenu::update() {
    const QStringList& files = s_.run.files.recent;
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* a = actions_.action(QStringLiteral("RecentFile%1").arg(i + 1));
        if (!a) continue;
        a->setVisible(i < files.size());
        a->setEnabled(i < files.size()); // an unused item cannot be chosen
        if (i >= files.size()) continue;
        QString name = QFileInfo(files[i]).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        a->setToolTip(QDir::toNativeSeparators(files[i]));
    }
    if (QAction* list = actions_.action(QStringLiteral("RecentFiles")))
        list->setEnabled(!files.isEmpty());
}

} // namespace zelvor::gui
