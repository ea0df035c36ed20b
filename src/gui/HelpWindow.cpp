#include "HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace zelvor::gui {

HelpWindow::HelpWindow(bool english, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(english ? QStringLiteral("Zelvor help") : QStringLiteral("Справка Zelvor"));
    auto* view = new QTextBrowser;
    view->setObjectName(QStringLiteral("HelpText"));
    view->setOpenExternalLinks(true);
    view->setSource(QUrl(english ? QStringLiteral("qrc:/help/help_en.html")
                                 : QStringLiteral("qrc:/help/help_ru.html")));
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(view);
    const int em = fontMetrics().averageCharWidth();
    resize(em * 90, em * 80);
}

} // namespace zelvor::gui
