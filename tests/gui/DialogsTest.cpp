// The chip selection and programming parameters dialogs over a session started with the
// shipped lists: typing filters, double click and OK select through the core, Cancel
// changes nothing, greyed controls follow the chip.

#include "ChipSelectDialog.h"
#include "DialogLaunchers.h"
#include "ProgParamsDialog.h"

#include "TestDir.h"
#include "TestSession.h"

#include "program/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zelvor;
using namespace zelvor::gui;
using zelvor::test::TestDir;
using zelvor::test::TestSession;

namespace {

// Runs `act` on the modal dialog once it is shown (the launcher's exec() is running).
void whenModal(std::function<void(QDialog*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
        // A failed check inside `act` returns early: close the dialog so the test ends.
        if (dialog->isVisible()) dialog->reject();
    });
    poll->start();
}

template <typename W> W* child(QWidget* w, const char* name) {
    W* c = w->findChild<W*>(QLatin1String(name));
    if (!c) qFatal("no widget %s", name);
    return c;
}

void doubleClickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void clickRow(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Check boxes and radio buttons take clicks on their indicator and text only.
void clickBox(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        t_ = std::make_unique<TestSession>();
        dir_ = std::make_unique<TestDir>();
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir_->copyData(QLatin1String(f));
        QCOMPARE(Startup(t_->s, defaultStartupHooks(), dir_->path(), false), 0);
        t_->s.link.demoMode = 1;
    }
    void cleanup() {
        t_.reset();
        dir_.reset();
    }

    void typingFiltersAndDoubleClickSelects() {
        Session& s = t_->s;
        QWidget window;
        whenModal([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("TForm3"));
            clickRow(child<QListWidget>(d, "ListBox1"), 0);
            auto* edit = child<QLineEdit>(d, "Edit1");
            QTest::keyClicks(edit, QStringLiteral("27c5"));
            QCOMPARE(edit->text(), QStringLiteral("27C5"));
            auto* devices = child<QListWidget>(d, "ListBox2");
            QVERIFY(devices->count() >= 1);
            for (int i = 0; i < devices->count(); ++i)
                QVERIFY(devices->item(i)->text().startsWith(QLatin1String("27C5")));
            doubleClickRow(devices, 0);
        });
        QVERIFY(openChipSelection(s, &window));
        QCOMPARE(s.rom.romName.trimmed(), QStringLiteral("27C512"));
        QCOMPARE(s.settings.byMaker, 0);

        // The dialog stays with the window: the filter is there at the next showing; a
        // manufacturer's part is taken with OK.
        whenModal([](QDialog* d) {
            QCOMPARE(child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("27C5"));
            auto* edit = child<QLineEdit>(d, "Edit1");
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("AT29C256"));
            auto* devices = child<QListWidget>(d, "ListBox2");
            QVERIFY(devices->count() >= 1);
            clickRow(devices, 0);
            QTest::mouseClick(child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
        });
        QVERIFY(openChipSelection(s, &window));
        QCOMPARE(s.settings.byMaker, 1);
        QCOMPARE(s.cat.at(s.settings.catIdx).name.trimmed(), QStringLiteral("AT29C256"));
    }

    void cancelAndEmptyOkChangeNothing() {
        Session& s = t_->s;
        const PrgSettings before = s.settings;
        const QString name = s.rom.romName;
        QWidget window;
        whenModal([](QDialog* d) {
            auto* makers = child<QListWidget>(d, "ListBox3");
            clickRow(makers, 3);
            QCOMPARE(child<QListWidget>(d, "ListBox1")->selectedItems().size(), 0);
            QCOMPARE(makers->selectedItems().size(), 1);
            clickRow(child<QListWidget>(d, "ListBox2"), 0);
            QTest::keyClicks(child<QLineEdit>(d, "Edit1"), QStringLiteral("ZZZZ"));
            QCOMPARE(child<QListWidget>(d, "ListBox2")->count(), 0);
            auto* ok = child<QPushButton>(d, "BitBtn1");
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(d->isVisible()); // OK with no row does nothing
            QTest::mouseClick(child<QPushButton>(d, "BitBtn2"), Qt::LeftButton);
        });
        QVERIFY(!openChipSelection(s, &window));
        QCOMPARE(s.settings.romIdx, before.romIdx);
        QCOMPARE(s.settings.byMaker, before.byMaker);
        QCOMPARE(s.settings.catIdx, before.catIdx);
        QCOMPARE(s.rom.romName, name);
    }

    void captionsFollowTheLanguage() {
        Session& s = t_->s;
        for (int english : {0, 1}) {
            s.settings.english = english;
            ChipSelectDialog select(s);
            ProgParamsDialog params(s);
            QCOMPARE(select.windowTitle(),
                     english ? QStringLiteral("Select chip") : QStringLiteral("Выбор микросхемы"));
            QCOMPARE(params.windowTitle(),
                     english ? QStringLiteral("Program algorithm")
                             : QStringLiteral("Настройка параметров программирования"));
            QCOMPARE(child<QGroupBox>(&params, "RadioGroup1")->title(),
                     english ? QStringLiteral("Voltage Vpp") : QStringLiteral(" Vpp"));
            QCOMPARE(child<QCheckBox>(&params, "ChWrite")->text(),
                     english ? QStringLiteral("Program") : QStringLiteral("Запись"));
        }
    }

    void parametersOkStoresStepsAndCancelDoesNot() {
        Session& s = t_->s;
        s.rom.canSetVpp = 0;
        s.rom.vppSel = 1;
        QWidget window;
        whenModal([](QDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("TForm2"));
            QVERIFY(!child<QGroupBox>(d, "RadioGroup1")->isEnabled());
            QVERIFY(!child<QGroupBox>(d, "RadioGroup3")->isEnabled());
            QVERIFY(child<QAbstractButton>(d, "RadioGroup1_1")->isChecked());
            auto* write = child<QCheckBox>(d, "ChWrite");
            QVERIFY(write->isChecked());
            clickBox(write);
            QTest::mouseClick(child<QPushButton>(d, "OK"), Qt::LeftButton);
        });
        QVERIFY(openProgrammingParameters(s, &window));
        QCOMPARE(s.settings.autoWrite, 0);
        QCOMPARE(int(s.rom.vppSel), 1);

        s.rom.canSetVpp = 1;
        whenModal([](QDialog* d) {
            QVERIFY(child<QGroupBox>(d, "RadioGroup1")->isEnabled());
            clickBox(child<QAbstractButton>(d, "RadioGroup1_2"));
            auto* compare = child<QCheckBox>(d, "Chcomp");
            clickBox(compare);
            QVERIFY(!compare->isChecked());
            QTest::mouseClick(child<QPushButton>(d, "Cancel"), Qt::LeftButton);
            QVERIFY(compare->isChecked()); // the boxes show the stored steps again
        });
        QVERIFY(!openProgrammingParameters(s, &window));
        QCOMPARE(s.settings.autoCompare, 1);
        QCOMPARE(int(s.rom.vppSel), 1);
    }

  private:
    std::unique_ptr<TestSession> t_;
    std::unique_ptr<TestDir> dir_;
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
