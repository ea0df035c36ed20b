#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace zelvor::gui {

AboutBox::AboutBox(bool english, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(english ? QStringLiteral("About") : QStringLiteral("О программе"));
    auto* icon = new QLabel;
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/zelvor-64.png")));
    const QString version = QStringLiteral(ZELVOR_VERSION);
    const QString built = QStringLiteral(__DATE__);
    auto* text = new QLabel(
        english ? QStringLiteral("<h3>Zelvor %1</h3>"
                                 "<p>Control program for the Zelvor-A, Zelvor-AX, Zelvor-B and "
                                 "Zelvor-C universal chip programmers.</p>"
                                 "<p>Built %2.</p>"
                                 "<p>Free software; the programmer emulator zelvor-emu and the "
                                 "command line zelvor-cli come with it.</p>")
                      .arg(version, built)
                : QStringLiteral("<h3>Zelvor %1</h3>"
                                 "<p>Программа управления универсальными программаторами "
                                 "Зелвор-A, Зелвор-AX, Зелвор-B и Зелвор-C.</p>"
                                 "<p>Сборка от %2.</p>"
                                 "<p>Свободная программа; в комплекте эмулятор программатора "
                                 "zelvor-emu и командная строка zelvor-cli.</p>")
                      .arg(version, built));
    text->setObjectName(QStringLiteral("AboutText"));
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 56);
}

} // namespace zelvor::gui
