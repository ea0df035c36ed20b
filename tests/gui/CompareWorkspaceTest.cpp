// The compare window's wiring: opened on a file from the View menu and on the chip after a
// failed compare; the count, next and previous, the address of the current difference and
// the shared page scroll reach the widgets. The rules behind them are tested in the core.

#include "CompareWorkspace.h"
#include "CommandActions.h"
#include "EmulatorFixture.h"
#include "FakeClock.h"
#include "MainWindow.h"
#include "ModalCloser.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include "app/HexText.h"
#include "program/Commands.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <memory>

using namespace zelvor;
using namespace zelvor::gui;

namespace {

// 2 KiB whose bytes tell their places apart.
QByteArray image() {
    QByteArray b(2048, 0);
    for (int i = 0; i < b.size(); ++i)
        b[i] = char(i * 7 + 1);
    return b;
}

// The same with three places changed: 0x010, 0x300..0x301, 0x7F0.
QByteArray changedImage() {
    QByteArray b = image();
    for (int at : {0x10, 0x300, 0x301, 0x7F0})
        b[at] = char(~b[at]);
    return b;
}

struct Window {
    test::TestDir dir;
    std::unique_ptr<MainWindow> w;
    QString chosen = QStringLiteral("other.bin");

    Window(StartOptions o, Clock& clock, const QStringList& ports = {}) {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        if (!ports.isEmpty()) dir.writeLines(QStringLiteral("zelvor.ports"), ports);
        o.startDir = dir.path();
        w = std::make_unique<MainWindow>(clock);
        (void)w->start(o);
        w->windowCommands().setFileChooser([this](bool) { return dir.file(chosen); });
        w->show();
    }
    Session& s() { return w->session(); }
    void trigger(const char* item) { w->actions().action(QLatin1String(item))->trigger(); }
    CompareWorkspace* workspace() { return w->windowCommands().compareWorkspace(); }
    QString label(const char* name) {
        return workspace()->findChild<QLabel*>(QLatin1String(name))->text();
    }
    void click(const char* name) {
        QTest::mouseClick(workspace()->findChild<QPushButton*>(QLatin1String(name)),
                          Qt::LeftButton);
    }
    QString firstRow(const char* view) {
        const QString text = workspace()->findChild<QTextEdit*>(QLatin1String(view))->toPlainText();
        return text.section(QLatin1Char('\n'), 1, 1);
    }
};

} // namespace

class CompareWorkspaceTest : public QObject {
    Q_OBJECT

  private slots:
    void fileDifferencesAreCountedAndVisitedInOrder();
    void failedChipCompareOpensTheChipBesideTheBuffer();
};

void CompareWorkspaceTest::fileDifferencesAreCountedAndVisitedInOrder() {
    test::ModalCloser closer;
    test::FakeClock clock;
    StartOptions o;
    o.demo = true;
    o.english = 1;
    Window win(o, clock);
    win.dir.writeBytes(QStringLiteral("image.bin"), image());
    win.dir.writeBytes(QStringLiteral("other.bin"), changedImage());
    QCOMPARE(loadFile(win.s(), win.dir.file(QStringLiteral("image.bin"))), 0);
    const quint16 sum = win.s().buf.checkSum;

    win.trigger("CompareFile");
    QVERIFY(win.workspace() && win.workspace()->isVisible());
    QCOMPARE(win.label("CompareOtherTitle"), QStringLiteral("other.bin"));
    QCOMPARE(win.label("CompareSummary"), QStringLiteral("4 bytes differ in 3 ranges"));
    auto* scroll = win.workspace()->findChild<QScrollBar*>(QStringLiteral("CompareScroll"));
    struct Step {
        const char* button;
        const char* position;
        int page;
    } steps[] = {
        {nullptr, "Difference 1 of 3: 0000010 - 0000010", 0},
        {"NextDifference", "Difference 2 of 3: 0000300 - 0000301", 3},
        {"NextDifference", "Difference 3 of 3: 00007F0 - 00007F0", 7},
        {"NextDifference", "Difference 3 of 3: 00007F0 - 00007F0", 7},
        {"PrevDifference", "Difference 2 of 3: 0000300 - 0000301", 3},
        {"PrevDifference", "Difference 1 of 3: 0000010 - 0000010", 0},
    };
    for (const Step& st : steps) {
        if (st.button) win.click(st.button);
        QCOMPARE(win.label("ComparePosition"), QLatin1String(st.position));
        QCOMPARE(scroll->value(), st.page);
        const QString row = Hex_str(quint32(st.page * 256), 7);
        QVERIFY(win.firstRow("CompareBufferView").startsWith(row));
        QVERIFY(win.firstRow("CompareOtherView").startsWith(row));
    }
    // Both sides follow the scroll bar; the first row of page 3 differs at 0x300 only.
    scroll->setValue(3);
    QVERIFY(win.firstRow("CompareBufferView").startsWith(QStringLiteral("0000300  01 08 0F ")));
    QVERIFY(win.firstRow("CompareOtherView").startsWith(QStringLiteral("0000300  FE F7 0F ")));

    // A file that is no image: said in the status bar; the buffer and the window stay.
    win.dir.writeBytes(QStringLiteral("bad.hex"), "not a hex file\r\n");
    win.chosen = QStringLiteral("bad.hex");
    win.trigger("CompareFile");
    QVERIFY(win.w->statusPanelText(3).startsWith(QStringLiteral("Invalid file format")));
    QCOMPARE(win.label("CompareOtherTitle"), QStringLiteral("other.bin"));
    QCOMPARE(win.s().buf.checkSum, sum);
    QCOMPARE(win.s().buf.size, 2048);
    win.w->close();
}

void CompareWorkspaceTest::failedChipCompareOpensTheChipBesideTheBuffer() {
    test::EmulatorInstance emu;
    std::string error;
    QVERIFY2(emu.start(emu::EmulatorOptions{}, error), error.c_str());
    const QByteArray chip = image();
    for (int i = 0; i < chip.size(); ++i)
        emu.emulator().chip().poke(0, std::uint32_t(i), std::uint8_t(chip[i]));
    SystemClock clock;
    test::ModalCloser closer;
    StartOptions o;
    o.english = 0;
    Window win(o, clock, {QStringLiteral("COM1=") + QString::fromStdString(emu.slavePath())});
    win.dir.writeBytes(QStringLiteral("image.bin"), changedImage());
    QCOMPARE(loadFile(win.s(), win.dir.file(QStringLiteral("image.bin"))), 0);
    const quint16 sum = win.s().buf.checkSum;

    win.trigger("CompRom");
    QCOMPARE(closer.seen.size(), 1); // the compare's own message box, first difference
    QVERIFY(closer.seen[0].contains(QStringLiteral("000010")));
    QCOMPARE(win.w->statusPanelText(3), win.s().text(msg::CompareDiffers));
    QVERIFY(win.workspace() && win.workspace()->isVisible());
    QCOMPARE(win.label("CompareOtherTitle"), win.s().text(msg::CompareChipSide));
    QCOMPARE(win.label("CompareSummary"), QString::fromUtf8("Различающихся байт: 4, областей: 3"));
    QCOMPARE(win.label("ComparePosition"), QString::fromUtf8("Отличие 1 из 3: 0000010 - 0000010"));
    QVERIFY(win.firstRow("CompareOtherView").startsWith(QStringLiteral("0000000  01 08 0F ")));
    QCOMPARE(win.s().buf.checkSum, sum);
    QCOMPARE(win.s().buf.size, 2048);
    QCOMPARE(quint8(win.s().buf.page(0)[0x10]), quint8(changedImage()[0x10]));
    win.w->close();
}

QTEST_MAIN(CompareWorkspaceTest)
#include "CompareWorkspaceTest.moc"
