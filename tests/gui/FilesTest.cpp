// The window's files, buffer operations and printing: dropped and recent files load, a gone
// recent file is reported and dropped, a failed load changes nothing on screen, the file
// dialogs open in the last folder with the format's filter first and leave the overwrite
// question to the core, the buffer operations dialog works through the core and its
// history, and a print to a PDF file has one page per block.

#include "BufferPanel.h"
#include "FakeClock.h"
#include "HexTextView.h"
#include "MainWindow.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include "buffer/ImageHistory.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

using namespace zelvor;
using namespace zelvor::gui;

namespace {

// Runs `act` on the next shown modal dialog that `wanted` picks (a nested dialog, such as a
// message box over the buffer operations dialog, gets its own call).
void onModal(std::function<bool(QDialog*)> wanted, std::function<void(QDialog*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, wanted, act] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || !wanted(d)) return;
        poll->stop();
        poll->deleteLater();
        act(d);
    });
    poll->start();
}

bool isBox(QDialog* d) {
    return qobject_cast<QMessageBox*>(d) != nullptr;
}

// Records the next message box's text and presses `button`.
void answerBox(QStringList& seen, QMessageBox::StandardButton button = QMessageBox::Ok) {
    onModal(isBox, [&seen, button](QDialog* d) {
        auto* box = static_cast<QMessageBox*>(d);
        seen << box->text();
        box->button(button)->click();
    });
}

struct Window {
    zelvor::test::TestDir dir;
    zelvor::test::FakeClock clock;
    std::unique_ptr<MainWindow> w;
    QString chosen; // what the replaced file dialogs answer

    explicit Window(int english = 1) {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        w = std::make_unique<MainWindow>(clock);
        StartOptions o;
        o.startDir = dir.path();
        o.demo = true;
        o.english = english;
        (void)w->start(o);
        w->windowCommands().setFileChooser([this](bool) { return chosen; });
        w->show();
    }
    ~Window() { w->close(); }
    Session& s() { return w->session(); }
    QAction* action(const char* name) { return w->findChild<QAction*>(QLatin1String(name)); }
    QString label(const char* name) { return w->findChild<QLabel*>(QLatin1String(name))->text(); }
    void load(const QString& name) {
        chosen = dir.file(name);
        action("Read_File")->trigger();
    }
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = w->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &drop);
    }
    QStringList recentItems() {
        emit w->findChild<QMenu*>(QStringLiteral("N13"))->aboutToShow();
        QStringList shown;
        for (int i = 1; i <= 8; ++i)
            if (QAction* a = action(qPrintable(QStringLiteral("RecentFile%1").arg(i)));
                a->isVisible())
                shown << a->text();
        return shown;
    }
};

int pdfPages(const QByteArray& pdf) {
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s") ++pages;
    return pages;
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT

  private slots:
    void droppedAndRecentFilesLoadAndGoneOnesAreDropped();
    void failedLoadChangesNothingOnScreen();
    void fileDialogsOpenInTheLastFolderAndAskOnceBeforeReplacing();
    void fileNamedOnTheCommandLineIsLoadedAfterStart();
    void offsetAddressAndFormatCommandsAskAgainUntilValid();
    void bufferOperationsGoThroughTheCoreAndItsHistory();
    void printToPdfHasOnePagePerBlockOfTheRange();
};

void FilesTest::droppedAndRecentFilesLoadAndGoneOnesAreDropped() {
    Window win;
    QCOMPARE(win.w->windowTitle(), QStringLiteral("Zelvor"));
    win.dir.writeBytes("a.bin", QByteArray(300, '\x01'));
    win.dir.writeLines("b&c.hex", {":04000000102030405C", ":00000001FF"});
    win.drop(win.dir.file("a.bin"));
    QCOMPARE(win.s().buf.size, 300);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("a.bin - Zelvor"));
    QCOMPARE(win.label("LbCheckSum"), QStringLiteral("012C"));
    win.drop(win.dir.file("b&c.hex")); // its name says HEX
    QCOMPARE(win.label("LbFileFormat"), QStringLiteral("HEX"));
    QCOMPARE(win.label("LbCheckSum"), QStringLiteral("00A0"));
    QCOMPARE(win.recentItems(), QStringList({"&1 b&&c.hex", "&2 a.bin"}));

    // A recent file gone since is reported and leaves the list; the other one still loads.
    QVERIFY(QFile::remove(win.dir.file("a.bin")));
    win.action("RecentFile2")->trigger();
    QVERIFY(win.w->statusPanelText(3).endsWith(QStringLiteral("not found; removed from the "
                                                              "recent files")));
    QCOMPARE(win.recentItems(), QStringList({"&1 b&&c.hex"}));
    win.s().settings.fileFmt = 1;
    win.action("RecentFile1")->trigger();
    QCOMPARE(win.label("LbFileFormat"), QStringLiteral("HEX"));
    QCOMPARE(win.s().buf.size, 4);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("b&c.hex - Zelvor"));
}

void FilesTest::failedLoadChangesNothingOnScreen() {
    Window win;
    win.s().settings.fileFmt = 2;
    win.dir.writeLines("good.hex", {":04000000102030405C", ":00000001FF"});
    win.dir.writeLines("corrupt.hex", {":04000000102030405C", "garbage", ":00000001FF"});
    win.load("good.hex");
    // A typed byte on the page, so that its edit mark and the caret are there to keep.
    auto* panel = win.w->findChild<BufferPanel*>(QStringLiteral("Panel6"));
    QVERIFY(panel);
    panel->showOffset(1);
    QTest::keyClick(&panel->hexView(), Qt::Key_5);
    const HexCaret caret = panel->hexView().caret();
    const auto hexRows = panel->hexView().rows();
    const auto charRows = panel->charView().rows();
    const QStringList labels = {"LbCheckSum", "LbBufSize", "LbAddrStart", "LbAddrEnd", "LbCrc32"};
    QStringList before;
    for (const QString& l : labels)
        before << win.label(qPrintable(l));
    const QByteArray bytes(reinterpret_cast<const char*>(win.s().buf.blocks[0].get()), 2048);
    win.load("corrupt.hex");
    QCOMPARE(win.w->statusPanelText(3), QStringLiteral("Invalid file format, line 2"));
    for (int i = 0; i < labels.size(); ++i)
        QCOMPARE(win.label(qPrintable(labels[i])), before[i]);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(win.s().buf.blocks[0].get()), 2048), bytes);
    QCOMPARE(win.w->windowTitle(), QStringLiteral("good.hex - Zelvor"));
    QCOMPARE(panel->hexView().caret(), caret);
    QVERIFY(panel->hexView().rows() == hexRows);
    QVERIFY(panel->charView().rows() == charRows);
    QVERIFY(isEdited(win.s().buf, 1));
}

void FilesTest::fileDialogsOpenInTheLastFolderAndAskOnceBeforeReplacing() {
    Window win;
    win.w->windowCommands().setFileChooser({}); // the real dialogs
    QVERIFY(QDir(win.dir.path()).mkdir(QStringLiteral("images")));
    const QString images = win.dir.file(QStringLiteral("images"));
    win.dir.writeBytes("images/a.bin", QByteArray(16, '\x07'));
    win.s().settings.fileFmt = 2;

    QString openedIn, firstFilter;
    onModal([](QDialog* d) { return qobject_cast<QFileDialog*>(d); },
            [&](QDialog* d) {
                auto* f = static_cast<QFileDialog*>(d);
                openedIn = f->directory().absolutePath();
                firstFilter = f->nameFilters().value(0);
                f->selectFile(images + QStringLiteral("/a.bin"));
                d->accept(); // as the dialog's own button
            });
    win.s().settings.fileFmt = 1;
    win.action("Read_File")->trigger();
    QCOMPARE(openedIn, QDir(win.dir.path()).absolutePath());
    QVERIFY(firstFilter.startsWith(QLatin1String("BIN")));
    QCOMPARE(win.s().buf.size, 16);

    // Saving over the loaded file: the dialog opens where the load was, with HEX first, and
    // only the core asks before the file is replaced.
    QStringList boxes;
    win.s().settings.fileFmt = 2;
    QString suggested;
    onModal([](QDialog* d) { return qobject_cast<QFileDialog*>(d); },
            [&](QDialog* d) {
                auto* f = static_cast<QFileDialog*>(d);
                openedIn = f->directory().absolutePath();
                firstFilter = f->nameFilters().value(0);
                suggested = f->selectedFiles().value(0);
                answerBox(boxes, QMessageBox::Yes);
                f->selectFile(images + QStringLiteral("/a.bin"));
                d->accept(); // as the dialog's own button
            });
    win.action("Write_File")->trigger();
    QCOMPARE(openedIn, images);
    QVERIFY(firstFilter.startsWith(QLatin1String("HEX")));
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("a.bin"));
    QCOMPARE(boxes, QStringList({"OK to overwrite " + images + "/a.bin"}));
    QVERIFY(win.dir.readBytes("images/a.bin").startsWith(":10000000"));
}

void FilesTest::fileNamedOnTheCommandLineIsLoadedAfterStart() {
    // Named relative to the folder the program starts in, not to its --dir.
    zelvor::test::TestDir start, images;
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        start.copyData(QLatin1String(f));
    images.writeBytes("a.bin", QByteArray(64, '\x11'));
    QProcess p;
    p.setWorkingDirectory(images.path());
    p.start(QStringLiteral(ZELVOR_PROGRAM),
            {"--dir", start.path(), "--demo", "--quit-when-shown", "a.bin"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(start.readBytes("zelvor.recent").contains("file=" + images.file("a.bin").toUtf8()));
}

void FilesTest::offsetAddressAndFormatCommandsAskAgainUntilValid() {
    Window win;
    QByteArray image(0x3010, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i >> 4);
    win.dir.writeBytes("a.bin", image);
    struct Step {
        const char* item;
        QStringList typed; // each answer to the input dialog in turn
        const char* label;
        const char* shown;
    };
    const Step steps[] = {
        {"HEX1", {}, "LbFileFormat", "HEX"},
        {"BIN1", {}, "LbFileFormat", "BIN"},
        {"ChcDisp", {"zz", "10"}, nullptr, nullptr},
        {"Read_File", {}, "LbBufSize", "0003000"},
        {"SetOfBuf", {"3000", "1FFF"}, "LbBufOffset", "001800"},
        {"SetAddr", {"-1", "0", "FF"}, "LbAddrEnd", "00000FF"},
    };
    win.chosen = win.dir.file("a.bin");
    for (const Step& st : steps) {
        QStringList prompts;
        std::function<void(int)> answer = [&](int k) {
            if (k >= st.typed.size()) return;
            onModal([](QDialog* d) { return qobject_cast<QInputDialog*>(d); },
                    [&, k](QDialog* d) {
                        auto* in = static_cast<QInputDialog*>(d);
                        prompts << in->windowTitle() + in->labelText();
                        in->setTextValue(st.typed[k]);
                        answer(k + 1);
                        d->accept();
                    });
        };
        answer(0);
        win.action(st.item)->trigger();
        QCOMPARE(prompts.size(), st.typed.size());
        if (st.label) QCOMPARE(win.label(st.label), QLatin1String(st.shown));
        for (const QString& prompt : prompts)
            QVERIFY2(prompt.startsWith(QLatin1String("Enter :")), qPrintable(prompt));
    }
    // The file offset skipped 16 bytes; the buffer offset dropped three blocks; the start
    // prompt was asked again after "-1" and the end prompt once.
    QCOMPARE(win.s().buf.fileOffset, 0x10);
    QCOMPARE(win.s().buf.blocks[0].get()[0], quint8(0x181));
    QCOMPARE(win.s().buf.addrStart, 0);
}

void FilesTest::bufferOperationsGoThroughTheCoreAndItsHistory() {
    Window win(0);
    win.dir.writeBytes("a.bin", QByteArray(3000, '\x5A'));
    win.drop(win.dir.file("a.bin"));
    const QString sum = win.label("LbCheckSum");
    auto field = [](QDialog* d, const char* name) {
        return d->findChild<QLineEdit*>(QLatin1String(name));
    };
    auto isEditFrm = [](QDialog* d) { return d->objectName() == QLatin1String("TEditFrm"); };

    // A rejected field: its message, the dialog stays, nothing changes; then AND 00 over the
    // whole image (the fields as they open) clears it.
    QStringList boxes, shown;
    onModal(isEditFrm, [&](QDialog* d) {
        shown << d->windowTitle() << field(d, "E_data")->text() << field(d, "E_ba")->text()
              << field(d, "E_ea")->text();
        for (const char* l : {"L_data", "L_ba", "L_ea"})
            shown << d->findChild<QLabel*>(QLatin1String(l))->text();
        const QString end = field(d, "E_ea")->text();
        field(d, "E_ea")->setText(QStringLiteral("BB8"));
        answerBox(boxes);
        d->findChild<QPushButton*>(QStringLiteral("B_xor"))->click();
        shown << (d->isVisible() ? "open" : "closed");
        field(d, "E_ea")->setText(end);
        field(d, "E_data")->setText(QStringLiteral("00"));
        d->findChild<QPushButton*>(QStringLiteral("B_and"))->click();
        shown << (d->isVisible() ? "open" : "closed");
    });
    win.action("ViewBuf")->trigger();
    QCOMPARE(shown, QStringList({"Операции с буфером", "FF", "00000", "00BB7", "Данные",
                                 "Адрес нач.", "Адрес кон.", "open", "closed"}));
    QCOMPARE(boxes, QStringList({"Неверный конечный адрес"}));
    const quint8* p = win.s().buf.blocks[0].get();
    QVERIFY(std::all_of(p, p + 2048, [](quint8 b) { return b == 0; }));
    QCOMPARE(win.s().buf.blocks[1].get()[3000 - 2048 - 1], quint8(0));
    QCOMPARE(win.s().buf.blocks[1].get()[3000 - 2048], quint8(0xFF)); // beyond the image
    QCOMPARE(win.label("LbCheckSum"), sum);
    QCOMPARE(undoImage(win.s()), 0);
    QCOMPARE(p[0], quint8(0x5A));
    QCOMPARE(win.s().buf.blocks[1].get()[3000 - 2048 - 1], quint8(0x5A));

    // SWAP from the toolbar button, in English.
    Window en(1);
    en.dir.writeBytes("w.bin", QByteArray::fromHex("0102"));
    en.drop(en.dir.file("w.bin"));
    QString title;
    onModal(isEditFrm, [&](QDialog* d) {
        title = d->windowTitle() + " " + d->findChild<QLabel*>(QStringLiteral("L_data"))->text();
        d->findChild<QPushButton*>(QStringLiteral("B_swap"))->click();
    });
    QTest::mouseClick(en.w->findChild<QWidget*>(QStringLiteral("view_bf")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Edit buffer Mask val."));
    QCOMPARE(en.s().buf.blocks[0].get()[0], quint8(0x02));
    QCOMPARE(undoImage(en.s()), 0);
    QCOMPARE(en.s().buf.blocks[0].get()[0], quint8(0x01));
}

void FilesTest::printToPdfHasOnePagePerBlockOfTheRange() {
    Window win;
    win.dir.writeBytes("two.bin", QByteArray(4096, '\x33'));
    win.drop(win.dir.file("two.bin"));
    struct Case {
        bool range;
        int from, to, pages;
    };
    for (const Case c : {Case{false, 0, 0, 2}, Case{true, 2, 2, 1}}) {
        const QString pdf = win.dir.file(QStringLiteral("listing%1.pdf").arg(c.pages));
        int offered = 0;
        win.w->windowCommands().setPrintSetup([&](QPrinter& printer, int lastPage) {
            offered = lastPage;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            if (c.range) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(c.from, c.to);
            }
            return true;
        });
        win.action("Print_Rom")->trigger();
        QCOMPARE(offered, 2);
        QCOMPARE(pdfPages(win.dir.readBytes(QFileInfo(pdf).fileName())), c.pages);
    }
}

QTEST_MAIN(FilesTest)
#include "FilesTest.moc"
