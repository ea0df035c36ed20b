// The configuration page's wiring: the panels and widgets each kind of chip shows, a change
// in a widget reaching the core's word or bytes, and the read and write commands showing
// what the chip holds (against the virtual programmer).

#include "EmulatorFixture.h"
#include "ModalCloser.h"
#include "WindowRun.h"
#include "app/HexText.h"
#include "catalogue/BaseTableLoader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace zelvor;
using test::WindowRun;

namespace {

void choose(WindowRun& r, const char* chip) {
    QCOMPARE(selectChip(r.s(), findBaseByName(r.s().base, QLatin1String(chip)), ChipChoice{}), 0);
}

bool shown(WindowRun& r, const char* name) {
    auto* w = r.find<QWidget>(name);
    return w && w->isVisibleTo(r.w.get());
}

// The core value each row's change goes into, as the panel shows it.
QString coreValue(const Session& s, const QString& chip) {
    if (chip == QLatin1String("PIC16F84")) return Hex_str(s.cfg.cfgWord, 4);
    if (chip == QLatin1String("PIC18F242")) return Hex_str(s.cfg.pic18Cfg[8], 2);
    if (chip == QLatin1String("ATmega16")) return Hex_str(s.rom.fuseBytes[1], 2);
    return Hex_str(s.rom.fuseBytes[0], 2);
}

} // namespace

class ConfigPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void eachChipShowsItsPanelAndEditsReachTheCore_data();
    void eachChipShowsItsPanelAndEditsReachTheCore();
    void readChangeWriteAndReadBackOverTheLine();
};

void ConfigPanelTest::eachChipShowsItsPanelAndEditsReachTheCore_data() {
    QTest::addColumn<QStringList>("panels");      // shown; the others of the four hidden
    QTest::addColumn<QStringList>("widgetTexts"); // name=text of widgets shown
    QTest::addColumn<QStringList>("hidden");      // widgets hidden
    QTest::addColumn<QString>("change");          // a list (key Up) or a check box (click)
    QTest::addColumn<QString>("before");          // the core value before and after
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("valueLabel"); // the label showing the word, bytes or value line
    QTest::addColumn<QString>("valueText");  // its text after the change

    QTest::newRow("PIC16F84") << QStringList{"Panel2"}
                              << QStringList{"Label6=Osc", "Label13=CP", "Cfgw=Cfgw"}
                              << QStringList{"ComboBox5", "Label14", "ComboBox13", "Label59"}
                              << "ComboBox1"
                              << "3FFF"
                              << "3FFE"
                              << "Label45"
                              << "3FFE";
    QTest::newRow("PIC18F242") << QStringList{"Panel4"}
                               << QStringList{"oscen=Oscillator option enabled"} << QStringList{}
                               << "CP0"
                               << "0F"
                               << "0E"
                               << "Label46"
                               << "00270F0F000185000EC00FE00F40";
    QTest::newRow("ATmega16") << QStringList{"Panel3", "Panel5"}
                              << QStringList{"f0=CKSEL0", "blb12=BLB12"} << QStringList{"E0", "E4"}
                              << "f0"
                              << "E1"
                              << "E0"
                              << "Lb_fb"
                              << "E099";
    QTest::newRow("AT89S51") << QStringList{"Panel3", "Panel5"} << QStringList{"lb1=LB1", "lb2=LB2"}
                             << QStringList{"blb01", "f0"} << "lb1"
                             << "FF"
                             << "FE"
                             << "Lb_fb"
                             << "FFFE";
}

void ConfigPanelTest::eachChipShowsItsPanelAndEditsReachTheCore() {
    QFETCH(QStringList, panels);
    QFETCH(QStringList, widgetTexts);
    QFETCH(QStringList, hidden);
    QFETCH(QString, change);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, valueLabel);
    QFETCH(QString, valueText);
    const QString chip = QString::fromLatin1(QTest::currentDataTag());

    test::ModalCloser closer;
    WindowRun r(test::demoStart());
    r.s().settings.model = 4; // takes every chip
    choose(r, QTest::currentDataTag());
    auto* button = r.find<QPushButton>("CfgwBut");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(shown(r, "Panel8"));
    QVERIFY(!shown(r, "Panel6"));
    for (const char* p : {"Panel2", "Panel3", "Panel4", "Panel5"})
        QVERIFY2(shown(r, p) == panels.contains(QLatin1String(p)), p);
    for (const QString& nameText : widgetTexts) {
        const QString name = nameText.section(QLatin1Char('='), 0, 0);
        auto* w = r.find<QWidget>(qPrintable(name));
        QVERIFY2(w && w->isVisibleTo(r.w.get()), qPrintable(name));
        const QVariant text = w->property("text");
        QCOMPARE(text.toString(), nameText.section(QLatin1Char('='), 1));
    }
    for (const QString& name : hidden)
        QVERIFY2(!shown(r, qPrintable(name)), qPrintable(name));

    QCOMPARE(coreValue(r.s(), chip), before);
    if (auto* list = r.find<QComboBox>(qPrintable(change)))
        QTest::keyClick(list, Qt::Key_Up);
    else
        QTest::mouseClick(r.find<QCheckBox>(qPrintable(change)), Qt::LeftButton);
    QCOMPARE(coreValue(r.s(), chip), after);
    QCOMPARE(r.find<QLabel>(qPrintable(valueLabel))->text(), valueText);
    QVERIFY(closer.seen.isEmpty());

    // A chip without a configuration takes the window back to the buffer.
    choose(r, "27C256");
    QVERIFY(!button->isEnabled());
    QVERIFY(shown(r, "Panel6"));
    QVERIFY(!shown(r, "Panel8"));
    r.w->close();
}

void ConfigPanelTest::readChangeWriteAndReadBackOverTheLine() {
    test::EmulatorInstance emu;
    std::string error;
    QVERIFY2(emu.start(emu::EmulatorOptions{}, error), error.c_str());
    SystemClock clock;
    test::ModalCloser closer;
    StartOptions russian;
    russian.english = 0;
    WindowRun r(russian, &clock,
                {QStringLiteral("COM1=") + QString::fromStdString(emu.slavePath())});
    QVERIFY(r.w->statusPanelText(1) == QLatin1String("Com1"));
    choose(r, "PIC16F84");
    QTest::mouseClick(r.find<QPushButton>("CfgwBut"), Qt::LeftButton);
    r.action("RegOtl")->trigger(); // debug mode: the word as read shows too

    auto* osc = r.find<QComboBox>("ComboBox1");
    auto* word = r.find<QLabel>("Label45");
    auto* id = r.find<QLineEdit>("Edit1");
    QTest::mouseClick(r.find<QToolButton>("ReadCfgw"), Qt::LeftButton);
    QCOMPARE(r.w->statusPanelText(3), QStringLiteral("Информация считана в буфер"));
    const QString asRead = word->text();
    QVERIFY(shown(r, "Label59"));
    QCOMPARE(r.find<QLabel>("Label59")->text(), asRead);

    // Another oscillator and user ID, written with the toolbar button.
    const int oscBefore = osc->currentIndex();
    QTest::keyClick(osc, oscBefore > 0 ? Qt::Key_Up : Qt::Key_Down);
    const int oscWritten = osc->currentIndex();
    QVERIFY(oscWritten != oscBefore);
    const QString written = word->text();
    QVERIFY(written != asRead);
    id->selectAll();
    QTest::keyClicks(id, QStringLiteral("1a2b"));
    QCOMPARE(id->text(), QStringLiteral("1A2B"));
    QTest::mouseClick(r.find<QToolButton>("setcfgw"), Qt::LeftButton);
    QCOMPARE(r.w->statusPanelText(3), QStringLiteral("Микросхема запрограммирована"));

    // Changed again but not written: the menu's read brings back what the chip holds.
    QTest::keyClick(osc, oscWritten > 0 ? Qt::Key_Up : Qt::Key_Down);
    id->selectAll();
    QTest::keyClicks(id, QStringLiteral("FFFF"));
    QVERIFY(word->text() != written);
    r.action("ReadCfg")->trigger();
    QCOMPARE(r.w->statusPanelText(3), QStringLiteral("Информация считана в буфер"));
    QCOMPARE(osc->currentIndex(), oscWritten);
    QCOMPARE(word->text(), written);
    QCOMPARE(r.find<QLabel>("Label59")->text(), written);
    QCOMPARE(id->text(), QStringLiteral("1A2B"));
    QVERIFY2(closer.seen.isEmpty(), qPrintable(closer.seen.join(QLatin1Char('|'))));
    r.w->close();
}

QTEST_MAIN(ConfigPanelTest)
#include "ConfigPanelTest.moc"
