// Chip operations started from the window's actions against the virtual programmer over a
// pseudo-terminal: one chip of each class through load, program, compare, read, blank check
// and erase; Cancel during a read; a second command through the event pump; and every
// operation under the programmer's faults. What is checked is what the operator sees: the
// result message, the progress window gone, the window answering, and no success over wrong
// data.

#include "CommandActions.h"
#include "EmulatorFixture.h"
#include "MainWindow.h"
#include "ModalCloser.h"
#include "TestDir.h"
#include "WindowCommands.h"

#include "buffer/BufferInit.h"
#include "buffer/IntelHexWriter.h"
#include "catalogue/BaseTableLoader.h"
#include "link/Port.h"
#include "ops/Engine.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <random>

using namespace zelvor;
using namespace zelvor::gui;

namespace {

QByteArray bufferBytes(Session& s) {
    QByteArray b;
    for (qint32 i = 0; i < s.buf.size; ++i)
        b.append(char(s.buf.page(i / RomBuf::kPage)[i % RomBuf::kPage]));
    return b;
}

// One window on a fresh folder, talking to a virtual programmer that can be replaced.
struct Bench {
    test::TestDir dir;
    SystemClock clock;
    std::unique_ptr<test::EmulatorInstance> emu;
    std::unique_ptr<MainWindow> w;
    std::vector<std::pair<Target, int>> ran;
    QString hexPath;
    QByteArray image;

    Bench() {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        QDir::setCurrent(dir.path()); // zelvor.log goes here
        std::string error;
        emu = std::make_unique<test::EmulatorInstance>();
        if (!emu->start(emu::EmulatorOptions{}, error)) qFatal("emulator: %s", error.c_str());
        w = std::make_unique<MainWindow>(clock);
        w->afterCommand = [this](const Target& t, int rc) { ran.emplace_back(t, rc); };
        StartOptions o;
        o.startDir = dir.path();
        o.port = QString::fromStdString(emu->slavePath());
        (void)w->start(o);
        s().settings.model = 4; // a model that takes every chip
        s().settings.fileFmt = 2;
        w->windowCommands().setFileChooser([this](bool) { return hexPath; });
        w->show();
        w->activateWindow();
    }
    ~Bench() { w->close(); }

    Session& s() { return w->session(); }
    QAction* action(const char* name) { return w->actions().action(QLatin1String(name)); }
    emu::VirtualChip& chip() { return emu->emulator().chip(); }
    QWidget* progress() { return w->findChild<QWidget*>(QStringLiteral("TOperWindow")); }
    QString status() { return w->statusPanelText(3); }

    // Chooses base type `name` with a window of at most `units` addresses.
    bool choose(const char* name, qint32 units) {
        const int base = findBaseByName(s().base, QLatin1String(name));
        if (base < 0 || selectChip(s(), base, ChipChoice{}) != 0) return false;
        s().buf.addrStart = 0;
        s().buf.addrEnd = std::min(units, s().rom.romLen) - 1;
        return true;
    }

    // A fresh programmer for the current chip, with `fault` when given; the port follows.
    bool attach(const std::string& fault = {}) {
        const RomParams& p = s().rom;
        emu::EmulatorOptions o;
        std::string error;
        for (const auto& [k, v] : test::ProfileKeys{{"alg", std::to_string(p.algCode)},
                                                    {"class", std::to_string(p.devClass)},
                                                    {"width", std::to_string(p.dataWidth)},
                                                    {"variant", std::to_string(p.variant)},
                                                    {"size", std::to_string(p.romLen)},
                                                    {"erase-ms", "5"}})
            if (!o.profile.set(k, v, error)) return false;
        if (!fault.empty()) o.faults.push_back(fault);
        emu = std::make_unique<test::EmulatorInstance>();
        if (!emu->start(std::move(o), error)) return false;
        s().portOverride = QString::fromStdString(emu->slavePath());
        Reopen_com(s());
        return s().link.portFailed == 0;
    }

    // The chip, its programmer and an image for its window; with `load` the image in the
    // buffer too.
    bool setUp(const char* name, qint32 units, unsigned seed, bool load) {
        if (!choose(name, units) || !attach()) return false;
        makeImage(seed);
        return !load || loadFile(s(), hexPath) == 0;
    }

    // Random contents for the window (PIC words kept to 14 bits), written as a HEX file.
    void makeImage(unsigned seed) {
        const qint32 units = s().buf.addrEnd - s().buf.addrStart + 1;
        image.resize(units * (wideTransfer(s()) ? 2 : 1));
        std::mt19937 rng(seed);
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(s().rom.algCode == 27 && i % 2 == 0 ? rng() & 0x3F : rng());
        // Files hold the words of wide parts low byte first.
        QByteArray file = image;
        for (int i = 0; swapsWords(s()) && i + 1 < file.size(); i += 2)
            std::swap(file[i], file[i + 1]);
        hexPath = dir.file(QStringLiteral("image.hex"));
        QFile f(hexPath);
        (void)f.open(QIODevice::WriteOnly);
        IntelHexWriter hex(f);
        for (int i = 0; i < file.size(); i += 16) // windows are whole records
            hex.record16(i, reinterpret_cast<const quint8*>(file.constData() + i));
        hex.end();
    }
    QByteArray chipBytes() {
        const auto v = chip().peekRange(0, 0, std::uint32_t(image.size()));
        return QByteArray(reinterpret_cast<const char*>(v.data()), int(v.size()));
    }
    bool chipBlank() {
        const QByteArray c = chipBytes();
        for (int i = 0; i < c.size(); ++i)
            if (quint8(c[i]) != chip().erasedValue(0, std::uint32_t(i))) return false;
        return true;
    }
    void putImageInChip() {
        for (int i = 0; i < image.size(); ++i)
            chip().poke(0, std::uint32_t(i), quint8(image[i]));
    }

    // Triggers an item and waits for the emulator to settle; the status message after it.
    QString run(const char* item) {
        action(item)->trigger();
        (void)emu->emulator().waitIdle(2000);
        return status();
    }
    // The window answers: no dialog left open, nothing running, no progress shown, and the
    // journal viewer opens on the last message.
    bool responsive() {
        QTest::qWait(1);
        if (QApplication::activeModalWidget() || s().op.busy) return false;
        if (progress() && progress()->isVisible()) return false;
        action("ViewLog")->trigger();
        auto* viewer = w->findChild<QWidget*>(QStringLiteral("TViewL"));
        auto* list = viewer ? viewer->findChild<QListWidget*>() : nullptr;
        const bool ok = list && viewer->isVisible() && list->count() == s().run.msgLog.size() &&
                        list->currentRow() == list->count() - 1;
        if (viewer) viewer->close();
        return ok;
    }
};

// Runs `during` from the event pump once the running read has advanced `blocks` blocks.
class DuringOperation {
  public:
    DuringOperation(Bench& b, int blocks, std::function<void()> during) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [&b, blocks, during, this] {
            if (!b.s().op.busy || b.s().op.progPos < blocks * 2048 || done) return;
            done = true;
            during();
        });
        timer_.start();
    }
    bool done = false;

  private:
    QTimer timer_;
};

} // namespace

class OperationsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void everyClassThroughTheWindow_data();
    void everyClassThroughTheWindow();
    void protectionAndServiceCommands_data();
    void protectionAndServiceCommands();
    void cancelDuringAReadKeepsTheBufferAndSaysNothing();
    void secondCommandThroughThePumpIsRefused();
    void closingDuringAnOperationAsksCancelsAndCloses();
    void faultsEndWithTheirMessage_data();
    void faultsEndWithTheirMessage();
};

void OperationsWindowTest::everyClassThroughTheWindow_data() {
    QTest::addColumn<QString>("chip");
    QTest::newRow("UV EPROM") << QStringLiteral("27C256");
    QTest::newRow("MCS-51") << QStringLiteral("AT89C51");
    QTest::newRow("parallel flash") << QStringLiteral("29C256");
    QTest::newRow("serial EEPROM") << QStringLiteral("24C16");
    QTest::newRow("PIC") << QStringLiteral("PIC16F84");
}

void OperationsWindowTest::everyClassThroughTheWindow() {
    QFETCH(QString, chip);
    test::ModalCloser closer;
    Bench b;
    QVERIFY(b.setUp(qPrintable(chip), 2 * 2048 + 96, 7, false));
    QVERIFY(b.s().run.msgLog.contains(b.s().text(msg::Device) + ShowWindow(b.s()).chip));
    const RomParams& p = b.s().rom;
    auto text = [&](const Text& t) { return b.s().text(t); };

    b.action("HEX1")->trigger();
    QVERIFY2(b.run("Read_File").contains(QStringLiteral("image.hex")), qPrintable(b.status()));
    QCOMPARE(bufferBytes(b.s()), b.image);

    // Each step: the item, whether the chip offers it, the message, then what must hold.
    struct Step {
        const char* item;
        bool offered;
        QString message;
        std::function<bool()> holds;
    };
    const std::vector<Step> steps = {
        {"ReadNull", p.canBlank != 0, text(msg::BlankOk), [&] { return b.chipBlank(); }},
        {"WriteRom", true, text(msg::Programmed), [&] { return b.chipBytes() == b.image; }},
        {"CompRom", true, text(msg::CompareOk), [&] { return closer.seen.isEmpty(); }},
        {"ReadRom", true, text(msg::ReadDone), [&] { return bufferBytes(b.s()) == b.image; }},
        {"ReadNull", p.canBlank != 0, text(msg::NotBlank), [] { return true; }},
        {"ClearRom", p.canErase == 1, text(msg::EraseDone), [&] { return b.chipBlank(); }},
    };
    for (const Step& st : steps) {
        QCOMPARE(b.action(st.item)->isEnabled(), st.offered);
        if (!st.offered) continue;
        QCOMPARE(b.run(st.item), st.message);
        QVERIFY2(st.holds(), st.item);
        QVERIFY2(b.responsive(), st.item);
        QVERIFY2(!b.w->statusPanelText(kTimingPanel).isEmpty(), st.item);
    }
}

void OperationsWindowTest::protectionAndServiceCommands_data() {
    QTest::addColumn<QString>("chip");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("message"); // the status message, or the box's text
    QTest::addColumn<bool>("box");
    auto ru = [](const Text& t) { return QString::fromUtf8(t.ru); };
    const struct {
        const char* chip;
        const char* item;
        QString message;
        bool box;
    } rows[] = {
        {"AT89C51", "N11", ru(msg::LockSet), false},
        {"AT89C51", "N121", ru(msg::LockSet), false},
        {"AT89C51", "N1231", ru(msg::LockSet), false},
        {"AT89C51", "Lock_bits", ru(msg::LockSet), false},
        {"P89C58X2", "setX2", ru(msg::LockX2Set), false},
        {"AT89C51", "ReadId", ru(msg::IdNotFound), true},
        {"AT89C51", "autoprg", ru(msg::CompareOk), false},
        {"AT89C51", "Cprog", ru(msg::Programmed), false},
        {"AT89C51", "Dthcb1", QStringLiteral("Версия 5.21 Тип м.с "), false},
        {"AT89C51", "N12", QStringLiteral("0"), false},
        {"AT89C51", "N5", ru(msg::CompareOk), false},
        {"AT89C51", "N7", ru(msg::FwNeedsImage), false},
        {"49F010", "L_BBL", ru(msg::BblSet), false},
        {"49F010", "H_BBL", ru(msg::BblSet), false},
        {"49F010", "Read_bbl", ru(msg::BblRead), false},
        {"28C256", "Mode_SDP", ru(msg::SdpOff), false},
        {"6116", "TestRAM", ru(msg::RamTestOk), false},
        {"K9F5608", "Badblock1", ru(msg::BadBlockDone), false},
    };
    for (const auto& r : rows)
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(r.chip, r.item)))
            << QString::fromLatin1(r.chip) << QString::fromLatin1(r.item) << r.message << r.box;
}

void OperationsWindowTest::protectionAndServiceCommands() {
    QFETCH(QString, chip);
    QFETCH(QString, item);
    QFETCH(QString, message);
    QFETCH(bool, box);
    test::ModalCloser closer;
    Bench b;
    b.s().settings.english = 0;
    QVERIFY(b.setUp(qPrintable(chip), 2 * 2048 + 96, 13, true));
    QVERIFY(b.action(qPrintable(item))->isEnabled());
    const QString shown = b.run(qPrintable(item));
    if (box)
        QVERIFY2(!closer.seen.isEmpty() && closer.seen.last().startsWith(message),
                 qPrintable(closer.seen.join(QLatin1Char('|'))));
    else
        QVERIFY2(shown.startsWith(message), qPrintable(shown));
    QVERIFY(b.responsive());
}

void OperationsWindowTest::cancelDuringAReadKeepsTheBufferAndSaysNothing() {
    test::ModalCloser closer;
    Bench b;
    QVERIFY(b.setUp("29C256", 8 * 2048, 3, true));
    for (int i = 0; i < b.image.size(); ++i) // the chip differs from the buffer
        b.chip().poke(0, std::uint32_t(i), quint8(~b.image[i]));
    const quint16 sum = b.s().buf.checkSum;
    const std::uint64_t before = b.emu->emulator().packetsServed();

    DuringOperation press(b, 3, [&b] {
        QTest::mouseClick(b.progress()->findChild<QPushButton*>(QStringLiteral("BitBtn1")),
                          Qt::LeftButton);
    });
    QCOMPARE(b.run("ReadRom"), QString());
    QVERIFY(press.done);
    // The block in flight when Cancel was pressed completed; no further block was asked for.
    QCOMPARE(b.emu->emulator().packetsServed() - before, std::uint64_t(3));
    QCOMPARE(bufferBytes(b.s()), b.image);
    QCOMPARE(b.s().buf.checkSum, sum);
    QCOMPARE(b.w->statusPanelText(kTimingPanel), QString());
    QVERIFY(closer.seen.isEmpty());
    QVERIFY(b.responsive());
}

void OperationsWindowTest::secondCommandThroughThePumpIsRefused() {
    test::ModalCloser closer;
    Bench b;
    QVERIFY(b.setUp("29C256", 8 * 2048, 5, false));
    b.putImageInChip();
    const std::uint64_t before = b.emu->emulator().packetsServed();
    QString busyText;
    DuringOperation second(b, 2, [&b, &busyText] {
        for (const char* item : {"WriteRom", "ClearRom", "ReadRom", "SetType", "Read_File"})
            b.action(item)->trigger();
        busyText = b.status();
    });
    QCOMPARE(b.run("ReadRom"), b.s().text(msg::ReadDone));
    QVERIFY(second.done);
    QCOMPARE(busyText, b.s().text(msg::Busy));
    // Five refusals, no dialog, and only the read's eight blocks reached the programmer.
    QCOMPARE(int(b.ran.size()), 6);
    for (size_t i = 0; i < 5; ++i)
        QCOMPARE(b.ran[i].second, kCommandRefused);
    QCOMPARE(b.ran[5].second, 0);
    QVERIFY(closer.seen.isEmpty());
    QCOMPARE(b.emu->emulator().packetsServed() - before, std::uint64_t(8));
    QCOMPARE(bufferBytes(b.s()), b.image);
}

void OperationsWindowTest::closingDuringAnOperationAsksCancelsAndCloses() {
    Bench b;
    QVERIFY(b.setUp("29C256", 8 * 2048, 9, false));
    b.putImageInChip();
    // The operator answers the question with `answer`.
    QMessageBox::StandardButton answer = QMessageBox::No;
    QStringList asked;
    QTimer answerer;
    answerer.setInterval(5);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        asked << box->text();
        box->button(answer)->click();
    });
    answerer.start();

    // No: the read goes on to its end and the window stays.
    DuringOperation no(b, 2, [&b] { b.w->close(); });
    QCOMPARE(b.run("ReadRom"), b.s().text(msg::ReadDone));
    QCOMPARE(asked, QStringList{b.s().text(msg::CloseWhileBusy)});
    QVERIFY(b.w->isVisible());

    // Yes: the read stops after the block in hand, reports nothing, and the window closes.
    answer = QMessageBox::Yes;
    const std::uint64_t before = b.emu->emulator().packetsServed();
    DuringOperation yes(b, 3, [&b] { b.w->close(); });
    QCOMPARE(b.run("ReadRom"), QString());
    QCOMPARE(asked.size(), 2);
    QCOMPARE(b.emu->emulator().packetsServed() - before, std::uint64_t(3));
    QVERIFY(!b.w->isVisible());
    QVERIFY(!b.progress()->isVisible());
    QVERIFY(QFile::exists(b.dir.file(QStringLiteral("zelvor.cfg"))));
}

void OperationsWindowTest::faultsEndWithTheirMessage_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("mustFail"); // the fault strikes every operation
    QTest::newRow("NAK") << QStringLiteral("nak") << true;
    QTest::newRow("corruption") << QStringLiteral("corrupt") << true;
    QTest::newRow("silence") << QStringLiteral("silence:count=1") << false;
    QTest::newRow("lying success") << QStringLiteral("store-nothing") << false;
}

void OperationsWindowTest::faultsEndWithTheirMessage() {
    QFETCH(QString, fault);
    QFETCH(bool, mustFail);
    test::ModalCloser closer;
    Bench b;
    QVERIFY(b.setUp("29C256", 2 * 2048 + 96, 11, false));
    const QString linkError = b.s().text(msg::LinkError);
    const QString writeErrorAt = b.s().text(msg::WriteErrorAt).section(QLatin1Char('%'), 0, 0);
    auto text = [&](const Text& t) { return b.s().text(t); };

    // Per operation: what the chip holds first, its success message and what success means,
    // and the failure messages the Part gives it besides the link error.
    struct Op {
        const char* item;
        bool chipHoldsImage;
        QString success;
        std::function<bool()> truth;
        QStringList failures;
    };
    const std::vector<Op> ops = {
        {"ReadRom",
         true,
         text(msg::ReadDone),
         [&] { return bufferBytes(b.s()) == b.chipBytes(); },
         {}},
        {"ReadNull",
         true,
         text(msg::BlankOk),
         [&] { return b.chipBlank(); },
         {text(msg::NotBlank)}},
        {"WriteRom",
         false,
         text(msg::Programmed),
         [&] {
             // A programmer that stores nothing and says so is caught by the compare.
             return b.chipBytes() == b.image || (fault == QLatin1String("store-nothing") &&
                                                 b.run("CompRom") == text(msg::CompareDiffers));
         },
         {text(msg::ProgramError)}},
        {"CompRom",
         true,
         text(msg::CompareOk),
         [&] { return b.chipBytes() == b.image; },
         {text(msg::CompareDiffers)}},
        {"ClearRom",
         true,
         text(msg::EraseDone),
         [&] { return b.chipBlank(); },
         {text(msg::EraseError)}},
    };
    for (const Op& op : ops) {
        QVERIFY(b.attach(fault.toStdString()));
        if (op.chipHoldsImage) b.putImageInChip();
        QVERIFY(loadFile(b.s(), b.hexPath) == 0);
        const QByteArray buffer = bufferBytes(b.s());
        const qsizetype boxes = closer.seen.size();
        const QString shown = b.run(op.item);
        // A read-back that differs while programming is told by the box alone.
        const bool mismatchBox = shown.isEmpty() && closer.seen.size() == boxes + 1 &&
                                 closer.seen.last().startsWith(writeErrorAt);
        const bool failed =
            shown.startsWith(linkError) || op.failures.contains(shown) || mismatchBox;
        const QString where = fault + QLatin1Char(' ') + QLatin1String(op.item) + ": " + shown;
        QVERIFY2(failed || shown == op.success, qPrintable(where));
        QVERIFY2(!(mustFail && shown == op.success), qPrintable(where));
        if (shown == op.success) QVERIFY2(op.truth(), qPrintable(where));
        if (shown != op.success || QLatin1String(op.item) != QLatin1String("ReadRom"))
            QVERIFY2(bufferBytes(b.s()) == buffer, qPrintable(where));
        QVERIFY2(b.responsive(), qPrintable(where));
    }
}

QTEST_MAIN(OperationsWindowTest)
#include "OperationsWindowTest.moc"
