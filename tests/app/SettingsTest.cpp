#include "app/Settings.h"
#include "app/Messenger.h"
#include "app/RunCommands.h"
#include "program/Startup.h"
#include "app/TextFile.h"

#include <gtest/gtest.h>

#include "TestDir.h"
#include "TestSession.h"

using namespace zelvor;
using zelvor::test::TestDir;
using zelvor::test::TestSession;

namespace {

// A base table of three types: an EPROM, an MCS-51 part and a part model C refuses.
void fillTables(Session& s) {
    s.base.rows.clear();
    for (int i = 0; i < 3; ++i) {
        BaseRow r;
        r.baseClass = i == 1 ? 1 : 0;
        r.baseName = QStringLiteral("TYPE%1          ").arg(i + 1).left(15);
        s.base.rows.push_back(r);
    }
    s.base.rows[2].col[26] = 3; // sub-type the C model does not handle
    s.cat.entries.clear();
    CatEntry e;
    e.name = "PART";
    e.base = 2;
    s.cat.entries.push_back(e);
    CatEntry unknown;
    unknown.name = "ORPHAN";
    unknown.base = -1;
    s.cat.entries.push_back(unknown);
}

struct Cfg : ::testing::Test {
    TestSession t;
    TestDir dir;
    void SetUp() override { fillTables(t.s); }
    SettingsLoad load(const QStringList& lines) {
        dir.writeLines("zelvor.cfg", lines);
        return loadSettings(t.s, dir.path());
    }
    PrgSettings& p() { return t.s.settings; }
};

} // namespace

TEST_F(Cfg, MissingFileGivesDefaults) {
    p().english = 1;
    EXPECT_EQ(loadSettings(t.s, dir.path()), SettingsLoad::Missing);
    EXPECT_EQ(p().comPort, 0);
    EXPECT_EQ(p().romIdx, 1);
    EXPECT_EQ(p().fileFmt, 1);
    EXPECT_EQ(p().model, 3);
    EXPECT_EQ(p().english, 1);
    EXPECT_EQ(p().baudIdx, 0);
    EXPECT_EQ(settingsLines(p())[2], "0 0 1 1 0 0 0");
    EXPECT_EQ(t.s.run.startDir, dir.path());
}

TEST_F(Cfg, ValidFileIsTakenAsWritten) {
    EXPECT_EQ(load({"4 2 2 3 0", "Зелвор-AX", "1 1 1 1 1 0 0"}), SettingsLoad::Accepted);
    EXPECT_EQ(p().comPort, 3);
    EXPECT_EQ(p().romIdx, 2);
    EXPECT_EQ(p().fileFmt, 2);
    EXPECT_EQ(p().baudIdx, 3); // runs as 460800 in the port layer
    EXPECT_EQ(p().english, 0);
    EXPECT_EQ(p().model, 6);
    EXPECT_EQ(p().autoLock, 1);
    // Written back exactly.
    EXPECT_EQ(settingsLines(p()), QStringList({"4 2 2 3 0", "Зелвор-AX", "1 1 1 1 1 0 0"}));
}

TEST_F(Cfg, ValidLanguageSurvivesRejectedPort) {
    EXPECT_EQ(load({"5 1 1 0 0", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(p().english, 0);
    EXPECT_EQ(p().comPort, 0);
    EXPECT_EQ(p().model, 3);
    EXPECT_EQ(load({"0 1 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
}

TEST_F(Cfg, CatalogueIndexes) {
    EXPECT_EQ(load({"1 1000 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(load({"1 1001 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Accepted);
    EXPECT_EQ(p().byMaker, 1);
    EXPECT_EQ(p().catIdx, 1);
    EXPECT_EQ(p().romIdx, 2);
    EXPECT_EQ(settingsLines(p())[0], "1 1001 1 0 1");
    // An entry whose base type is unknown, and one past the end.
    EXPECT_EQ(load({"1 1002 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(p().byMaker, 0);
    EXPECT_EQ(load({"1 1003 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(load({"1 4 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
}

TEST_F(Cfg, ModelLine) {
    // A trailing blank makes an unknown text: model C, file still accepted.
    EXPECT_EQ(load({"1 1 1 0 1", "Зелвор-A ", "0 0 1 1 0 0 0"}), SettingsLoad::Accepted);
    EXPECT_EQ(p().model, 3);
    EXPECT_EQ(load({"1 1 1 0 1", "зелвор-b", "0 0 1 1 0 0 0"}), SettingsLoad::Accepted);
    EXPECT_EQ(p().model, 3);
    // Model B with an MCS-51 chip, and model C with a chip it cannot handle: defaults.
    EXPECT_EQ(load({"2 2 2 1 0", "Зелвор-B", "1 1 1 1 1 1 1"}), SettingsLoad::Rejected);
    EXPECT_EQ(p().romIdx, 1);
    EXPECT_EQ(p().comPort, 0);
    EXPECT_EQ(p().baudIdx, 1); // the speed code read stays
    EXPECT_EQ(p().autoErase, 0);
    EXPECT_EQ(load({"1 3 1 0 1", "Зелвор-C", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(load({"1 3 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Accepted);
}

TEST_F(Cfg, OutOfRangeSpeedFallsBackToZero) {
    EXPECT_EQ(load({"1 1 1 9 1", "Зелвор-A", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected);
    EXPECT_EQ(p().baudIdx, 0);
}

TEST_F(Cfg, GarbageAndTruncatedFilesFallBack) {
    const QList<QStringList> bad = {
        {"1 1 1 0"},
        {"1 1 1 0 1"},
        {"1 1 1 0 1", "Зелвор-A"},
        {"1 1 1 0 1", "Зелвор-A", "0 0 1 1 0 0"},
        {"1 x 1 0 1", "Зелвор-A", "0 0 1 1 0 0 0"},
        {"1 1 1 0 1", "Зелвор-A", "0 0 1 1 0 0 z"},
        {"99999999999999999999 1 1 0 1", "m", "0 0 1 1 0 0 0"},
        {""},
    };
    for (const auto& lines : bad) {
        p().comPort = 2;
        p().romIdx = 3;
        EXPECT_NE(load(lines), SettingsLoad::Accepted) << lines.join('|').toStdString();
        EXPECT_EQ(p().comPort, 0);
        EXPECT_EQ(p().romIdx, 1);
        EXPECT_EQ(p().model, 3);
    }
    dir.writeBytes("zelvor.cfg", QByteArray("\x00\xff\x01\x02", 4));
    EXPECT_NE(loadSettings(t.s, dir.path()), SettingsLoad::Accepted);
}

TEST_F(Cfg, SaveWritesCp1251WithCrLfAndOnlyWithAStartDirectory) {
    EXPECT_EQ(loadSettings(t.s, dir.path()), SettingsLoad::Missing);
    p().model = 5;
    ASSERT_TRUE(saveSettings(t.s));
    EXPECT_EQ(dir.readBytes("zelvor.cfg"),
              QByteArray("1 1 1 0 1\r\n") + toCp1251("Зелвор-B") + "\r\n0 0 1 1 0 0 0\r\n");
    t.s.run.startDir.clear();
    EXPECT_FALSE(saveSettings(t.s));
}

namespace {
StartupHooks tableHooks(bool withTable) {
    StartupHooks h;
    h.loadBaseTable = [withTable](Session& s, const QString&, QString& why) {
        if (!withTable) {
            why = "prgplus.lst is missing";
            return 1;
        }
        fillTables(s);
        return 0;
    };
    h.loadCatalogue = [](Session& s) { return s.cat.catCount(); };
    h.deriveChip = [](Session& s) {
        s.rom.romLen = 0x800;
        s.rom.romName = s.base.at(s.settings.romIdx).key();
    };
    return h;
}
} // namespace

TEST(Startup, MissingTableKeepsBuffersAndLeavesTheSettingsFileAlone) {
    TestSession t;
    TestDir dir;
    dir.writeLines("zelvor.cfg", {"2 1 2 0 0", "Зелвор-A", "0 0 1 1 0 0 0"});
    const QByteArray before = dir.readBytes("zelvor.cfg");
    const StartupHooks h = tableHooks(false);
    EXPECT_EQ(Startup(t.s, h, dir.path(), false), 1);
    EXPECT_TRUE(t.s.run.startFailed);
    EXPECT_EQ(t.s.link.xferBuf.size(), 2112u);
    EXPECT_EQ(t.s.link.auxBuf2.size(), 2112u);
    EXPECT_EQ(t.s.buf.pageCount(), 1);
    EXPECT_EQ(t.s.buf.size, 256);
    // Chip commands are refused with the reason.
    EXPECT_FALSE(commandAllowed(t.s));
    ASSERT_EQ(t.fe.boxes.size(), 1);
    EXPECT_TRUE(t.fe.boxes[0].contains("prgplus.lst"));
    Shutdown(t.s, h);
    EXPECT_EQ(dir.readBytes("zelvor.cfg"), before);
}

TEST(Startup, RestoresChipAndWindowAndLogsTheDevice) {
    TestSession t;
    TestDir dir;
    dir.writeLines("zelvor.cfg", {"1 2 2 2 1", "Зелвор-A", "0 0 1 1 0 0 0"});
    StartupHooks h = tableHooks(true);
    int speedAsked = -1;
    h.reopenPort = [](Session& s) { s.link.portBaud = 9600; };
    h.changeSpeed = [&](Session&, int code) { speedAsked = code; };
    int packets = 0;
    h.sendMode = [&](Session& s) {
        ++packets;
        EXPECT_EQ(s.op.opCode, 4);
        EXPECT_EQ(s.settings.baudIdx, 0);
        return 0;
    };
    EXPECT_EQ(Startup(t.s, h, dir.path()), 0);
    EXPECT_EQ(t.s.settings.baudIdx, 0); // the port starts at 9600 ...
    EXPECT_EQ(speedAsked, 2);           // ... and is then switched to the saved rate
    EXPECT_EQ(t.s.buf.addrEnd, 0x7FF);
    EXPECT_EQ(t.s.run.msgLog.last(), "Device:TYPE2       ");
    EXPECT_EQ(t.fe.panels[0], "Zelvor-A");
    EXPECT_EQ(t.fe.panels[1], "Com1");
    EXPECT_EQ(t.fe.panels[2], "9600");

    t.s.settings.baudIdx = 2; // as if the speed change had gone through
    Shutdown(t.s, h);
    EXPECT_EQ(packets, 1);
    EXPECT_TRUE(t.s.link.xferBuf.empty());
    EXPECT_EQ(dir.readBytes("zelvor.cfg").left(10), QByteArray("1 2 2 2 1\r"));
}

TEST(Messages, LinkErrorsInEnglishDropTheCodeAndReachTheJournal) {
    TestSession t;
    QStringList journal;
    t.s.journalSink = [&](const QString& l) { journal << l; };
    t.s.run.logOn = 1;
    t.s.settings.english = 1;
    ShowMessageSc(t.s, QStringLiteral("Ошибка обмена данными55"));
    EXPECT_EQ(t.fe.lastStatus(), "Error of link with the programmer");
    EXPECT_EQ(journal, QStringList({"Error of link with the programmer"}));
    EXPECT_EQ(t.s.run.msgLog.last(), "Error of link with the programmer  ");
    t.s.settings.english = 0;
    ShowMessageSc(t.s, QStringLiteral("Ошибка обмена данными55"));
    EXPECT_EQ(t.fe.lastStatus(), "Ошибка обмена данными55");
    // An empty message clears the panel and is not logged.
    const auto logged = t.s.run.msgLog.size();
    ShowMessageS(t.s, QString());
    EXPECT_EQ(t.fe.statuses.last(), "");
    EXPECT_EQ(t.s.run.msgLog.size(), logged);
    // Demo shows in panel 1 even when the port failed.
    t.s.link.portFailed = 1;
    t.s.link.demoMode = 1;
    ShowMessageC(t.s);
    ShowMessageT(t.s);
    EXPECT_EQ(t.fe.panels[1], "Demo");
    EXPECT_EQ(t.fe.panels[2], "mode");
    t.s.link.demoMode = 0;
    ShowMessageC(t.s);
    ShowMessageT(t.s);
    EXPECT_EQ(t.fe.panels[1], "");
    EXPECT_EQ(t.fe.panels[2], "0");
}

TEST_F(Cfg, LanguageAndModelChangesCountFromTheNextStart) {
    EXPECT_EQ(loadSettings(t.s, dir.path()), SettingsLoad::Missing);
    t.s.settings.english = 0;
    toggleLanguage(t.s);
    // The notice comes in the language in force, and so does everything after it.
    ASSERT_EQ(t.fe.boxes.size(), 1);
    EXPECT_EQ(t.fe.boxes[0], "Чтобы переключить язык необходимо перезапустить программу");
    EXPECT_EQ(t.s.text(msg::LinkError), "Ошибка обмена данными");
    selectModel(t.s, 6);
    EXPECT_EQ(t.fe.boxes[1], "При смене модели программатора нужно перезапустить программу");
    ASSERT_TRUE(saveSettings(t.s));
    EXPECT_EQ(dir.readBytes("zelvor.cfg").left(11), QByteArray("1 1 1 0 1\r\n"));
    EXPECT_TRUE(dir.readBytes("zelvor.cfg").contains(toCp1251("Зелвор-AX")));
}

TEST_F(Cfg, ModelBRefusesEveryAdapterItCannotTakeAtStartToo) {
    for (int adapter : {7, 8, 9, 18, 21}) {
        t.s.base.rows[0].col[17] = quint8(adapter);
        EXPECT_EQ(load({"1 1 1 0 1", "Зелвор-B", "0 0 1 1 0 0 0"}), SettingsLoad::Rejected)
            << adapter;
    }
    t.s.base.rows[0].col[17] = 1;
    EXPECT_EQ(load({"1 1 1 0 1", "Зелвор-B", "0 0 1 1 0 0 0"}), SettingsLoad::Accepted);
}
