// The buffer panel's wiring: every navigation and editing key reaches the page model and the
// panel shows what the model says (page, carets, both views, labels, scroll bar, buffer);
// undo, find, go to and a compare difference land on the right byte; a failed load leaves the
// views as they were.
// The rules behind the keys, the search and the history are tested in the core.

#include "BufferPanel.h"
#include "FakeClock.h"
#include "HexTextView.h"
#include "MainWindow.h"
#include "TestDir.h"
#include "WindowRun.h"
#include "app/HexText.h"
#include "buffer/BufferOps.h"
#include "buffer/ImageBytes.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageFind.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace zelvor;
using namespace zelvor::gui;

namespace {

QByteArray patternBytes(int n) {
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char((i * 7 + (i >> 8)) & 0xFF);
    return b;
}

// The window in demo mode with an image of `bytes` loaded from a BIN file.
struct Window : test::WindowRun {
    BufferPanel* panel = nullptr;

    explicit Window(const QByteArray& bytes) : WindowRun(test::demoStart(1)) {
        s().settings.fileFmt = 1;
        dir.writeBytes(QStringLiteral("image.bin"), bytes);
        const int rc = loadFile(s(), dir.file(QStringLiteral("image.bin")));
        if (rc != 0) qWarning("load failed: %d", rc);
        panel = w->findChild<BufferPanel*>(QStringLiteral("Panel6"));
    }
    HexTextView& view(HexPane p) {
        return p == HexPane::Hex ? panel->hexView() : panel->charView();
    }

    // The panel shows the model's page: both views, the labels and the scroll bar.
    bool showsModelPage(QString& why) {
        const HexPageText t = panel->page().text(s().buf);
        if (panel->hexView().rows() != t.hexRows)
            why = QStringLiteral("hex rows");
        else if (panel->charView().rows() != t.charRows)
            why = QStringLiteral("char rows");
        else if (find<QLabel>("Label61")->text() != t.rowAddr[0])
            why = QStringLiteral("Label61");
        else if (find<QLabel>("Label76")->text() != t.rowAddr[15])
            why = QStringLiteral("Label76");
        else if (find<QLabel>("Label60")->text() != t.header)
            why = QStringLiteral("Label60");
        else if (find<QScrollBar>("ScrollBar1")->value() != panel->page().page() - 1)
            why = QStringLiteral("ScrollBar1");
        return why.isEmpty();
    }
};

// Runs `answer` on the next modal dialog once it is shown (while the caller's exec() runs).
void onNextDialog(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d || !d->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        answer(d);
    });
    timer->start();
}

void pressOk(QWidget* dialog) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == QLatin1String("OK") || b->text() == QLatin1String("Find")) {
            b->click();
            return;
        }
}

struct KeyPress {
    HexPane pane;
    HexCaret caret;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    char16_t ch; // the typed character, 0 for a key without text
};

constexpr HexPane H = HexPane::Hex;
constexpr HexPane C = HexPane::Chars;
constexpr auto N = Qt::NoModifier;
constexpr auto Ctl = Qt::ControlModifier;

// Every key of the views' tables, at the carets where their rules differ.
const KeyPress kKeys[] = {
    {H, {3, 7}, Qt::Key_PageUp, Ctl, 0},   {C, {5, 10}, Qt::Key_PageDown, Ctl, 0},
    {H, {2, 2}, Qt::Key_PageUp, N, 0},     {C, {9, 4}, Qt::Key_PageDown, N, 0},
    {H, {0, 0}, Qt::Key_Left, N, 0},       {C, {0, 0}, Qt::Key_Left, N, 0},
    {H, {3, 0}, Qt::Key_Left, N, 0},       {H, {0, 5}, Qt::Key_Up, N, 0},
    {C, {7, 5}, Qt::Key_Up, N, 0},         {H, {15, 47}, Qt::Key_Right, N, 0},
    {C, {15, 16}, Qt::Key_Right, N, 0},    {H, {4, 47}, Qt::Key_Right, N, 0},
    {H, {15, 9}, Qt::Key_Down, N, 0},      {C, {4, 9}, Qt::Key_Down, N, 0},
    {H, {4, 20}, Qt::Key_Home, N, 0},      {C, {4, 2}, Qt::Key_End, N, 0},
    {H, {4, 20}, Qt::Key_Backspace, N, 0}, {C, {4, 2}, Qt::Key_Delete, N, 0},
    {H, {0, 0}, Qt::Key_4, N, u'4'},       {H, {0, 1}, Qt::Key_1, N, u'1'},
    {H, {1, 4}, Qt::Key_F, N, u'f'},       {H, {1, 2}, Qt::Key_A, N, u'A'},
    {H, {1, 3}, Qt::Key_G, N, u'g'},       {H, {3, 46}, Qt::Key_7, N, u'7'},
    {H, {15, 45}, Qt::Key_C, N, u'c'},     {H, {15, 46}, Qt::Key_9, N, u'9'},
    {C, {0, 0}, Qt::Key_A, N, u'A'},       {C, {3, 15}, Qt::Key_Z, N, u'z'},
    {C, {15, 15}, Qt::Key_Z, N, u'z'},     {C, {0, 5}, Qt::Key_unknown, N, u'\u042F'}, // Я
};

} // namespace

class BufferPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void everyKeyDoesWhatThePageModelSays();
    void undoRestoresAnAndOverTheWholeImage();
    void findGoToAndCompareLandOnTheByte();
};

void BufferPanelTest::everyKeyDoesWhatThePageModelSays() {
    Window r(patternBytes(3 * 256));
    QVERIFY(QTest::qWaitForWindowActive(r.w.get()));
    auto* words = r.find<QCheckBox>("CheckBox1");
    QVERIFY(words);
    for (const bool inWords : {false, true}) {
        words->setChecked(inWords);
        QCOMPARE(r.panel->page().words(), inWords);
        for (const int page : {1, 2, 3}) {
            for (const KeyPress& k : kKeys) {
                const QString what = QStringLiteral("%1 page %2 %3 caret %4,%5 key %6 '%7'")
                                         .arg(inWords ? "words" : "bytes")
                                         .arg(page)
                                         .arg(k.pane == H ? "hex" : "chars")
                                         .arg(k.caret.row)
                                         .arg(k.caret.col)
                                         .arg(int(k.key), 0, 16)
                                         .arg(QChar(k.ch));
                // The page and caret to start from.
                r.panel->page().setPage(r.s().buf, page);
                r.panel->showCaret(HexCaret{});
                HexTextView& view = r.view(k.pane);
                HexTextView& other = r.view(k.pane == H ? C : H);
                view.setFocus();
                view.setCaret(k.caret);
                other.setCaret(HexCaret{2, 3});

                // What the model says the key does.
                char16_t ch = 0;
                const QKeyEvent probe(QEvent::KeyPress, k.key, k.mods,
                                      k.ch ? QString(QChar(k.ch)) : QString());
                const HexKey key = HexTextView::keyOf(probe, ch);
                const HexPage model = r.panel->page();
                const HexKeyResult want = model.key(r.s().buf, k.pane, k.caret, key, ch);
                QVERIFY2(key != HexKey::Other, qPrintable(what));

                if (k.ch)
                    QTest::sendKeyEvent(QTest::Click, &view, k.key, QString(QChar(k.ch)), k.mods);
                else
                    QTest::keyClick(&view, k.key, k.mods);

                QVERIFY2(r.panel->page().page() == want.page, qPrintable(what));
                QVERIFY2(view.caret() == want.caret, qPrintable(what));
                const HexCaret otherWant = want.redraw ? HexCaret{} : HexCaret{2, 3};
                QVERIFY2(other.caret() == otherWant, qPrintable(what));
                if (want.edit)
                    QVERIFY2(imageByte(r.s().buf, want.edit->offset) == want.edit->value,
                             qPrintable(what));
                QString why;
                QVERIFY2(r.showsModelPage(why), qPrintable(what + QLatin1Char(' ') + why));
                QVERIFY2(view.hasFocus(), qPrintable(what));
            }
        }
    }
    // The CRC-32 beside the checksum follows the edits.
    QCOMPARE(r.find<QLabel>("LbCrc32")->text(), Hex_str(rangeCrc(r.s(), 0, 3 * 256 - 1), 8));
}

void BufferPanelTest::undoRestoresAnAndOverTheWholeImage() {
    const QByteArray original = patternBytes(0x8000);
    Window r(original);
    QVERIFY(QTest::qWaitForWindowActive(r.w.get()));
    QAction* undo = r.action("UndoEdit");
    QAction* redo = r.action("RedoEdit");
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    const QString crcBefore = r.find<QLabel>("LbCrc32")->text();
    QCOMPARE(crcBefore, Hex_str(rangeCrc(r.s(), 0, 0x7FFF), 8));
    r.panel->showOffset(0x4321);

    // AND 00 over the whole image, as the buffer operations dialog applies it.
    EditFields f = editDefaults(r.s().buf);
    QCOMPARE(editBuffer(r.s(), EditOp::And, f, QStringLiteral("00"), QStringLiteral("0"),
                        QStringLiteral("7FFF")),
             0);
    QVERIFY(undo->isEnabled());
    QCOMPARE(r.panel->hexView().rows()[2], QString(QStringLiteral("00 ")).repeated(16).trimmed());
    QVERIFY(r.find<QLabel>("LbCrc32")->text() != crcBefore);

    undo->trigger();
    QByteArray back(0x8000, '\0');
    readImage(r.s().buf, 0, reinterpret_cast<quint8*>(back.data()), back.size());
    QVERIFY(back == original);
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    QCOMPARE(r.find<QLabel>("LbCrc32")->text(), crcBefore);
    QString why;
    QVERIFY2(r.showsModelPage(why), qPrintable(why));
    QCOMPARE(r.panel->page().page(), 1); // the undone change starts at offset 0

    redo->trigger();
    QCOMPARE(imageByte(r.s().buf, 0x4321), quint8(0));
    QVERIFY(undo->isEnabled() && !redo->isEnabled());
}

void BufferPanelTest::findGoToAndCompareLandOnTheByte() {
    QByteArray bytes = patternBytes(0x2000);
    bytes.replace(0x0345, 3, "\xDE\xAD\xBE");
    bytes.replace(0x1FF0, 3, "\xDE\xAD\xBE");
    Window r(bytes);
    QVERIFY(QTest::qWaitForWindowActive(r.w.get()));
    // The hexadecimal view has the window's focus (it gets it back once the dialog is gone).
    auto landedOn = [&](qint64 offset) {
        return r.panel->caretOffset() == offset && r.w->focusWidget() == &r.panel->hexView() &&
               r.panel->page().page() == offset / 256 + 1;
    };

    // Find from the caret, as hexadecimal bytes.
    r.panel->showOffset(0x100);
    onNextDialog([](QWidget* d) {
        d->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->setText(QStringLiteral("de ad be"));
        d->findChild<QRadioButton*>(QStringLiteral("FindHex"))->setChecked(true);
        pressOk(d);
    });
    r.action("FindBuf")->trigger();
    QVERIFY(landedOn(0x345));
    r.action("FindNextBuf")->trigger();
    QVERIFY(landedOn(0x1FF0));
    r.action("FindNextBuf")->trigger(); // wraps
    QVERIFY(landedOn(0x345));

    // Go to; a bad address is said what is accepted and the text stays for correction.
    QString boxText, keptText;
    onNextDialog([&](QWidget* d) {
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("GoToAddressEdit"));
        edit->setText(QStringLiteral("2000"));
        onNextDialog([&, d, edit](QWidget* box) {
            boxText = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->accept();
            QTimer::singleShot(10, [&, d, edit] {
                keptText = edit->text();
                edit->setText(QStringLiteral("1abc"));
                pressOk(d);
            });
        });
        pressOk(d);
    });
    r.action("GoToAddr")->trigger();
    QCOMPARE(boxText, QStringLiteral("Address \"2000\" is not accepted: enter a hexadecimal "
                                     "address from 0 to 0001FFF"));
    QCOMPARE(keptText, QStringLiteral("2000"));
    QVERIFY(landedOn(0x1ABC));

    // A difference a chip compare found: the view shows its buffer offset, not the chip address.
    r.w->mismatch(Mismatch{0x1234, 0x0234, 0x12, 0x34, 8});
    QVERIFY(landedOn(0x234));

    // In the words view the caret lands on the byte as well.
    r.find<QCheckBox>("CheckBox1")->setChecked(true);
    onNextDialog([](QWidget* d) {
        d->findChild<QLineEdit*>(QStringLiteral("GoToAddressEdit"))->setText(QStringLiteral("5B"));
        pressOk(d);
    });
    r.action("GoToAddr")->trigger();
    QVERIFY(landedOn(0x5B));
}

QTEST_MAIN(BufferPanelTest)
#include "BufferPanelTest.moc"
