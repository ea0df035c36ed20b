#include "CommandActions.h"

#include "Icons.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace zelvor::gui {

CommandActions::CommandActions(QMainWindow& window, QToolBar& toolbar, bool english, Runner run) {
    for (const MenuRow& row : menuRows()) {
        const QString name = QString::fromLatin1(row.name);
        const QString text = QString::fromUtf8(caption(row, english));
        QMenu* parent = row.parent ? menus_.value(QString::fromLatin1(row.parent)) : nullptr;
        switch (row.kind) {
        case ItemKind::Menu:
        case ItemKind::Submenu: {
            QMenu* m = row.kind == ItemKind::Menu ? window.menuBar()->addMenu(text)
                                                  : parent->addMenu(text);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
            menus_.insert(name, m);
            break;
        }
        case ItemKind::Separator:
            parent->addSeparator();
            break;
        case ItemKind::Item:
        case ItemKind::Hidden: {
            auto* a = new QAction(text, &window);
            a->setObjectName(name);
            if (row.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            const Target target = row.target;
            QObject::connect(a, &QAction::triggered, &window, [run, target] { run(target); });
            if (row.kind == ItemKind::Item)
                parent->addAction(a);
            else
                window.addAction(a);
            items_.insert(name, a);
            break;
        }
        }
    }

    for (const ToolRow& row : toolRows()) {
        const QString name = QString::fromLatin1(row.name);
        auto* a = new QAction(toolIcon(row.icon), QString::fromUtf8(hint(row, english)), &window);
        a->setObjectName(name);
        a->setToolTip(a->text());
        const Target target = row.target;
        QObject::connect(a, &QAction::triggered, &window, [run, target] { run(target); });
        toolbar.addAction(a);
        if (QWidget* b = toolbar.widgetForAction(a)) b->setObjectName(name);
        buttons_.insert(name, a);
    }
}

QAction* CommandActions::action(const QString& name) const {
    if (QAction* a = items_.value(name)) return a;
    if (QAction* b = buttons_.value(name)) return b;
    QMenu* m = menus_.value(name);
    return m ? m->menuAction() : nullptr;
}

QMenu* CommandActions::menu(const QString& name) const {
    return menus_.value(name);
}

void CommandActions::follow(const Session& s) {
    for (const MenuRow& row : menuRows()) {
        QAction* a = action(QString::fromLatin1(row.name));
        if (!a) continue;
        if (row.shownFor) a->setVisible(s.feat.*row.shownFor);
        if (row.target.core) a->setEnabled(commandOffered(s, row.target.command));
    }
    for (const ToolRow& row : toolRows())
        if (row.enabledFor)
            buttons_.value(QString::fromLatin1(row.name))->setEnabled(s.feat.*row.enabledFor);
}

} // namespace zelvor::gui
