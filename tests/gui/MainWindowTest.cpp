// The main window's wiring: every item, shortcut and button reaches its command, the
// chip-dependent items follow the core's answers, captions follow the language, the status
// panels follow port, speed and demo changes, and the close writes zelvor.cfg and takes the
// help and About windows with it. The rules behind all of this are tested in the core.

#include "MainWindow.h"
#include "CommandActions.h"
#include "EmulatorFixture.h"
#include "FakeClock.h"
#include "ModalCloser.h"
#include "ShippedTable.h"
#include "TestDir.h"
#include "WindowCommands.h"
#include "WindowRun.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <map>
#include <memory>
#include <set>

using namespace zelvor;
using namespace zelvor::gui;

namespace {

bool sameTarget(const Target& a, const Target& b) {
    return a.core == b.core &&
           (a.core ? a.command == b.command : a.window == b.window && a.arg == b.arg);
}

using Run = test::WindowRun;
using test::demoStart;

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void itemsShortcutsAndButtonsReachTheirCommands();
    void chipDependentItemsFollowTheChip();
    void captionsFollowTheLanguage_data();
    void captionsFollowTheLanguage();
    void statusPanelsFollowPortSpeedAndDemo();
    void exitWritesSettingsAndClosesTheOtherWindows();
};

void MainWindowTest::itemsShortcutsAndButtonsReachTheirCommands() {
    test::ModalCloser closer;
    Run r(demoStart());
    QVERIFY(QTest::qWaitForWindowActive(r.w.get()));

    // Every item of the menus and every hidden item, chosen directly.
    for (const MenuRow& row : menuRows()) {
        if (row.kind != ItemKind::Item && row.kind != ItemKind::Hidden) continue;
        if (!row.target.core && row.target.window == WindowCommand::Exit) continue;
        QAction* a = r.action(row.name);
        QVERIFY2(a, row.name);
        r.ran.clear();
        a->trigger();
        if (!a->isEnabled()) { // not offered for this chip: nothing runs
            QVERIFY2(r.ran.empty(), row.name);
            continue;
        }
        QVERIFY2(r.ran.size() == 1 && sameTarget(r.ran[0].first, row.target), row.name);
        QVERIFY2(r.ran[0].second != kCommandRefused, row.name);
        QVERIFY2(!r.s().op.busy, row.name);
    }

    // The keys of the menu tree; pressed, each reaches its item's command while the item is
    // there for this chip (a hidden-by-chip item's key does nothing).
    const std::map<QString, QString> keys = {{"SetType", "Ctrl+T"},
                                             {"Prg_Vpp", "Ctrl+P"},
                                             {"N7", "Ctrl+U"},
                                             {"N12", "Ctrl+R"},
                                             {"Cprog", "Ctrl+Q"},
                                             {"N5", "Ctrl+A"},
                                             {"PrintListSh", "Ctrl+N"},
                                             {"PrintListAd", "Ctrl+K"},
                                             {"Wr_log", "Ctrl+G"},
                                             {"RegOtl", "Ctrl+O"},
                                             {"Dthcb1", "Ctrl+Z"},
                                             {"Read_File", "F3"},
                                             {"Write_File", "F4"},
                                             {"WriteRom", "F5"},
                                             {"ClearRom", "Ctrl+F4"},
                                             {"CompRom", "F6"},
                                             {"TestRAM", "Ctrl+F2"},
                                             {"ReadRom", "F7"},
                                             {"ReadNull", "F8"},
                                             {"ReadId", "Ctrl+F3"},
                                             {"ViewBuf", "F2"},
                                             {"ViewLog", "Ctrl+L"},
                                             {"HelpPrg", "F1"},
                                             {"UndoEdit", "Alt+Backspace"},
                                             {"RedoEdit", "Alt+Shift+Backspace"},
                                             {"GoToAddr", "Ctrl+J"},
                                             {"FindBuf", "Ctrl+F"},
                                             {"FindNextBuf", "Ctrl+Shift+F"}};
    int withKeys = 0;
    const int journalBefore = r.s().run.logOn;
    for (const MenuRow& row : menuRows()) {
        QAction* a = r.action(row.name);
        if (!a || a->shortcut().isEmpty()) continue;
        ++withKeys;
        const auto k = keys.find(QLatin1String(row.name));
        QVERIFY2(k != keys.end(), row.name);
        QCOMPARE(a->shortcut(), QKeySequence(k->second));
        r.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(r.w.get()));
        QTest::qWait(20); // a dialog closed by the last key hands the focus back
        r.ran.clear();
        QTest::keySequence(r.w.get(), a->shortcut());
        const bool reached = r.ran.size() == 1 && sameTarget(r.ran[0].first, row.target);
        QVERIFY2(reached == a->isEnabled() && (reached || r.ran.empty()),
                 qPrintable(QStringLiteral("%1 ran %2 enabled %3")
                                .arg(QLatin1String(row.name))
                                .arg(r.ran.size())
                                .arg(a->isEnabled())));
    }
    QCOMPARE(withKeys, int(keys.size()));
    // Ctrl+G switched the journal although no item shows it.
    QCOMPARE(r.s().run.logOn, 1 - journalBefore);

    // The toolbar's buttons: an enabled one runs its command, a disabled one nothing.
    int enabledButtons = 0;
    for (const ToolRow& row : toolRows()) {
        auto* b = r.find<QToolButton>(row.name);
        QVERIFY2(b, row.name);
        r.ran.clear();
        QTest::mouseClick(b, Qt::LeftButton);
        if (b->isEnabled()) {
            ++enabledButtons;
            QVERIFY2(r.ran.size() == 1 && sameTarget(r.ran[0].first, row.target), row.name);
        } else {
            QVERIFY2(r.ran.empty(), row.name);
        }
    }
    QVERIFY(enabledButtons >= 10);
    QVERIFY(QFile::exists(r.dir.file(QStringLiteral("saved.bin"))));
    r.w->close();
}

void MainWindowTest::chipDependentItemsFollowTheChip() {
    test::ModalCloser closer;
    Run r(demoStart());
    r.s().settings.model = 4; // a model that takes every chip
    std::map<QString, std::pair<int, int>> shownHidden;
    int areaLists = 0;
    // One chip of every algorithm and of every class.
    std::vector<int> bases = test::oneRowPerAlgorithm();
    std::set<int> classes;
    for (int i = 1; i <= r.s().base.baseCount(); ++i)
        if (classes.insert(r.s().base.at(i).baseClass).second) bases.push_back(i);
    for (const int base : bases) {
        QCOMPARE(selectChip(r.s(), base, ChipChoice{}), 0);
        const ChipFeatures& f = r.s().feat;
        for (const MenuRow& row : menuRows()) {
            QAction* a = r.action(row.name);
            if (row.shownFor) {
                QCOMPARE(a->isVisible(), f.*row.shownFor);
                auto& n = shownHidden[QLatin1String(row.name)];
                (a->isVisible() ? n.first : n.second)++;
            }
            // (an item that is not shown is never enabled)
            if (row.target.core && a->isVisible())
                QVERIFY2(a->isEnabled() == commandOffered(r.s(), row.target.command), row.name);
        }
        for (const ToolRow& row : toolRows()) {
            if (!row.enabledFor) continue;
            QCOMPARE(r.find<QToolButton>(row.name)->isEnabled(), f.*row.enabledFor);
            auto& n = shownHidden[QLatin1String(row.name)];
            (f.*row.enabledFor ? n.first : n.second)++;
        }
        const PicShowData pic = PicShow(r.s());
        auto* area = r.find<QComboBox>("ComboBox9");
        QCOMPARE(area->isVisibleTo(r.w.get()), pic.area.shown);
        QCOMPARE(area->count(), int(pic.area.items.size()));
        areaLists += pic.area.shown ? 1 : 0;
        QCOMPARE(r.find<QLabel>("LbRomName_s")->text(), ShowWindow(r.s()).chip);
        QVERIFY(!r.find<QComboBox>("ComboBox10")->isVisibleTo(r.w.get()));
    }
    // Every chip-dependent item and button was seen both ways, so the walk proves something.
    // Every chip-dependent item was seen shown and hidden, every button enabled, so the walk
    // proves something. (No shipped base type is of class 9, the only one that shows Flash1.)
    for (const auto& [name, n] : shownHidden) {
        const bool button = r.find<QToolButton>(qPrintable(name)) != nullptr;
        QVERIFY2((n.first > 0 || name == QLatin1String("Flash1")) && (button || n.second > 0),
                 qPrintable(name));
    }
    QVERIFY(areaLists > 0);
    r.w->close();
}

void MainWindowTest::captionsFollowTheLanguage_data() {
    QTest::addColumn<int>("english");
    QTest::newRow("Russian") << 0;
    QTest::newRow("English") << 1;
}

void MainWindowTest::captionsFollowTheLanguage() {
    QFETCH(int, english);
    struct Caption {
        const char* name;
        const char* ru;
        const char* en;
    };
    // Menu items and hints (a hint is a toolbar action's text), and items that keep their
    // design caption in English.
    static const Caption items[] = {
        {"Set_Reg", "Установить", "Configure"},
        {"SetType", "Выбор микросхемы", "Select Device"},
        {"N6", " Русский->Английский", "English->Russian"},
        {"Set_BBL", "Установить \"boot block lockout\" ", "Set Boot Block Lockout"},
        {"N4608001", "460800", "460800"},
        {"Cprog", "Повтор записи", "Повтор записи"},
        {"Badblock1", "Проверка \"Bad block\"", "Проверка \"Bad block\""},
        {"x21", "Зелвор-AX", "Zelvor-AX"},
        {"HelpPrg", "Справка", "Help Topics"},
        {"wr_chip", "Программирование ПЗУ", "Program"},
        {"vr_null", "Проверка чистоты", "Blank check"},
        {"autoprg", "Автопрограммирование", "Автопрограммирование"},
    };
    static const Caption labels[] = {
        {"Label9", "Микросхема", "Device"},
        {"Label4", "Адрес(нач.,кон.)", "Addr(start,end)"},
        {"Label3", "Смещ. в буф.", "Offset of buffer"},
        {"Label18", "Область устройства", "Device area"},
    };
    test::ModalCloser closer;
    Run r(demoStart(english));
    QCOMPARE(r.w->windowTitle(), QStringLiteral("Zelvor"));
    for (const Caption& c : items) {
        QAction* a = r.action(c.name);
        QVERIFY2(a, c.name);
        QCOMPARE(a->text(), QString::fromUtf8(english ? c.en : c.ru));
    }
    QCOMPARE(r.find<QToolButton>("wr_chip")->toolTip(),
             QString::fromUtf8(english ? "Program" : "Программирование ПЗУ"));
    for (const Caption& c : labels)
        QCOMPARE(r.find<QLabel>(c.name)->text(), QString::fromUtf8(english ? c.en : c.ru));
    QCOMPARE(r.w->statusPanelText(0), QString::fromUtf8(english ? "Zelvor-C" : "ЗЕЛВОР-C"));
    r.w->close();
}

void MainWindowTest::statusPanelsFollowPortSpeedAndDemo() {
    test::EmulatorInstance emu;
    std::string error;
    QVERIFY2(emu.start(emu::EmulatorOptions{}, error), error.c_str());
    SystemClock clock;
    test::ModalCloser closer;
    Run r(StartOptions{}, &clock,
          {QStringLiteral("COM1=/dev/zelvor-no-such-port"),
           QStringLiteral("COM2=") + QString::fromStdString(emu.slavePath())});
    // COM1 cannot be opened: both panels empty (also after choosing it again), and the
    // message says which device.
    QCOMPARE(r.w->statusPanelText(1), QString());
    QCOMPARE(r.w->statusPanelText(2), QString());
    QVERIFY(r.w->statusPanelText(3).contains(QStringLiteral("/dev/zelvor-no-such-port")));

    struct Step {
        const char* item; // menu item or toolbar button
        const char* port;
        const char* rate;
    };
    static const Step steps[] = {
        {"COM_2", "Com2", "9600"},     {"Sp_T", "Com2", "57600"},
        {"Ch_Sp", "Com2", "115200"},   {"Ch_Sp", "Com2", "9600"},
        {"N230400", "Com2", "230400"}, {"Ch_Sp", "Com2", "230400"},
        {"Sp_N", "Com2", "9600"},      {"COM_1", "", ""},
        {"Demo_mode", "Demo", "mode"}, {"COM_2", "Com2", "9600"},
    };
    for (const Step& st : steps) {
        r.action(st.item)->trigger();
        QVERIFY2(r.w->statusPanelText(1) == QLatin1String(st.port), st.item);
        QVERIFY2(r.w->statusPanelText(2) == QLatin1String(st.rate), st.item);
    }
    r.w->close();
}

void MainWindowTest::exitWritesSettingsAndClosesTheOtherWindows() {
    test::ModalCloser closer;
    Run r(demoStart());
    r.action("HelpPrg")->trigger();
    r.action("AboutPrg")->trigger();
    auto* help = r.find<QTextBrowser>("HelpText");
    QVERIFY(help && help->isVisible());
    QVERIFY(help->toPlainText().contains(QStringLiteral("zelvor.ports")));
    QVERIFY(r.find<QWidget>("TAboutBox")->isVisible());
    r.action("N6")->trigger(); // the language from the next start
    QCOMPARE(closer.seen.size(), 1);
    QCOMPARE(r.w->findChild<QAction*>(QStringLiteral("N6"))->text(),
             QStringLiteral(" Русский->Английский"));

    r.action("Prg_exit")->trigger();
    QVERIFY(!r.w->isVisible());
    QVERIFY(!help->isVisible());
    QVERIFY(!r.find<QWidget>("TAboutBox")->isVisible());
    const QByteArray cfg = r.dir.readBytes(QStringLiteral("zelvor.cfg"));
    QVERIFY(cfg.startsWith("1 1 1 0 1\r\n")); // COM1, first chip, BIN, 9600, English
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
