// The command surface: every command in one program, the guard while an operation runs, and
// the menus offering exactly what each chip of the shipped table can do.

#include "program/Commands.h"
#include "TestDir.h"
#include "TestSession.h"
#include "catalogue/BaseTableLoader.h"
#include "program/Program.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

// A started program on the shipped lists, in demo mode (every exchange succeeds).
struct DemoProgram {
    TestDir ownDir;
    const TestDir& dir;
    TestSession t;
    Session& s = t.s;
    // Starts in `folder` (its own fresh folder when none is given).
    explicit DemoProgram(const TestDir* folder = nullptr) : dir(folder ? *folder : ownDir) {
        if (!folder)
            for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
                dir.copyData(QLatin1String(f));
        StartOptions o;
        o.startDir = dir.path();
        QDir::setCurrent(dir.path()); // the journal goes to the current folder
        o.demo = true;
        o.openLink = false;
        o.english = 1;
        o.writesSettings = true;
        EXPECT_EQ(startProgram(s, o), 0);
        s.settings.model = 4; // the model that takes every base type
    }
    ~DemoProgram() {
        stopProgram(s);
        QDir::setCurrent(previous);
    }
    const QString previous = QDir::currentPath();
    int baseNamed(const char* name) const { return findBaseByName(s.base, QLatin1String(name)); }
};

bool saysNotSupported(const ScriptedFrontEnd& fe) {
    for (const QString& t : fe.statuses + fe.boxes)
        if (t.contains(QLatin1String("not supported"))) return true;
    return false;
}

} // namespace

TEST(Commands, EveryCommandRunsAndTheBusyGuardRefusesChipAndBufferCommands) {
    DemoProgram p;
    ASSERT_EQ(selectChip(p.s, p.baseNamed("27C256"), ChipChoice{}), 0);
    EXPECT_EQ(p.s.rom.romLen, 0x8000);
    for (const CommandInfo& c : commandTable()) {
        if (c.id == Command::ToggleLanguage || c.id == Command::SelfTest ||
            c.id == Command::UpdateFirmware)
            continue; // the language flips for the next start; the last two reprogram
        EXPECT_NE(runCommand(p.s, c.id), kCommandRefused) << c.objectName;
        EXPECT_FALSE(p.s.op.busy) << c.objectName;
    }

    // While a read runs, the window's event pump may deliver any other command: the core
    // refuses every chip or buffer command and lets the rest through.
    std::vector<std::pair<const char*, int>> during;
    p.t.fe.onPump = [&] {
        if (!during.empty()) return;
        for (const CommandInfo& c : commandTable())
            if (c.id != Command::ToggleLanguage)
                during.emplace_back(c.objectName, runCommand(p.s, c.id));
        during.emplace_back("SetType", selectChip(p.s, p.baseNamed("28C64"), ChipChoice{}));
        during.emplace_back("Read_File", loadFile(p.s, p.dir.file("none.bin")));
        during.emplace_back("Set_Speed", chooseSpeed(p.s, 2));
    };
    EXPECT_EQ(runCommand(p.s, Command::ReadChip), 0);
    ASSERT_FALSE(during.empty());
    size_t i = 0;
    for (const CommandInfo& c : commandTable()) {
        if (c.id == Command::ToggleLanguage) continue;
        EXPECT_EQ(during[i].second == kCommandRefused, c.chipOrBuffer) << c.objectName;
        ++i;
    }
    for (; i < during.size(); ++i)
        EXPECT_EQ(during[i].second, kCommandRefused) << during[i].first;
    EXPECT_EQ(p.s.rom.romLen, 0x8000); // the chip stayed
    EXPECT_TRUE(p.t.fe.statuses.contains(QStringLiteral("Wait until the current operation ends")));
}

// Every chip of the shipped table: a command the menus offer does not end in "not supported"
// or a refusal.
TEST(Commands, MenusOfferWhatEveryShippedChipCanDo) {
    DemoProgram p;
    const Command tied[] = {Command::LockBits,
                            Command::LockBit1,
                            Command::SetX2,
                            Command::WriteConfig,
                            Command::ReadConfig,
                            Command::ReadId,
                            Command::TestRam,
                            Command::BadBlocks,
                            Command::SdpOff,
                            Command::LockLowerBootBlock,
                            Command::ReadBootBlockLock};
    int rows = 0;
    for (int base = 1; base <= p.s.base.baseCount(); ++base) {
        ASSERT_EQ(selectChip(p.s, base, ChipChoice{}), 0) << base;
        ++rows;
        for (Command c : tied) {
            if (!commandOffered(p.s, c)) continue;
            p.t.fe.statuses.clear();
            p.t.fe.boxes.clear();
            const int rc = runCommand(p.s, c);
            EXPECT_NE(rc, 97) << p.s.rom.romName.toStdString() << ' ' << commandInfo(c).objectName;
            EXPECT_FALSE(saysNotSupported(p.t.fe))
                << p.s.rom.romName.toStdString() << ' ' << commandInfo(c).objectName;
        }
    }
    EXPECT_GT(rows, 250);
}

// The chip restored from zelvor.cfg at the next start gets what choosing it gave: the extra
// areas in the buffer and the configuration panel of its family.
TEST(Commands, RestoredChipIsSetUpAsAChosenOne) {
    for (const char* chip : {"PIC16F84", "PIC18F242", "AT90S8515", "AT89C51"}) {
        TestDir folder; // a first start without zelvor.cfg
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            folder.copyData(QLatin1String(f));
        ConfigState chosen;
        RomBuf area;
        {
            DemoProgram first(&folder);
            const int base = first.baseNamed(chip);
            ASSERT_GT(base, 0) << chip;
            ASSERT_EQ(selectChip(first.s, base, ChipChoice{}), 0) << chip;
            chosen = first.s.cfg;
            area.dataOfs = first.s.buf.dataOfs;
            area.cfgwOfs = first.s.buf.cfgwOfs;
        } // closes and writes zelvor.cfg
        DemoProgram next(&folder);
        EXPECT_EQ(next.s.rom.romName.trimmed(), QLatin1String(chip));
        EXPECT_EQ(next.s.cfg.picLayoutFound, chosen.picLayoutFound) << chip;
        EXPECT_EQ(next.s.cfg.picFields.size(), chosen.picFields.size()) << chip;
        EXPECT_EQ(next.s.cfg.pic18Cfg, chosen.pic18Cfg) << chip;
        EXPECT_EQ(next.s.cfg.fuseCount, chosen.fuseCount) << chip;
        EXPECT_EQ(next.s.buf.dataOfs, area.dataOfs) << chip;
        EXPECT_EQ(next.s.buf.cfgwOfs, area.cfgwOfs) << chip;
    }
}
