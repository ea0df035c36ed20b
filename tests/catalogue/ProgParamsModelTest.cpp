#include "catalogue/ProgParamsModel.h"

#include "ChipFixtures.h"

#include "app/Settings.h"
#include "buffer/BufferInit.h"
#include "catalogue/ChipDisplay.h"
#include "catalogue/ChipParams.h"
#include "program/Commands.h"
#include "program/DialogCommands.h"
#include "program/Startup.h"

using namespace zelvor;
using namespace zelvor::test;

namespace {

// A session whose only base type is `row`, made current with its extra areas placed.
struct OneChip : ChipSession {
    explicit OneChip(const RowSpec& row, qint32 area = 0) : ChipSession({row}) {
        s.settings.romIdx = 1;
        restoreChip(s);
        Inc_data(s);
        s.op.area = area;
    }
};

// Which controls each chip enables, and what the extra-area boxes show.
TEST(ProgParamsModel, EnablingFollowsTheChip) {
    struct Case {
        const char* what;
        RowSpec row;
        qint32 area;
        bool voltages, erase, blank, write, compare, lock, data, config, sectors;
        const char* dataCaption;
        const char* dataOffset;
        const char* configOffset;
    } cases[] = {
        // clang-format off
        {"EPROM, fixed voltages", {.canErase = 0, .canSetVpp = 0}, 0, false, false, true, true, true, false, false, false, false, "Data area", "", ""},
        {"Flash with every step", {.cls = 2, .alg = 25, .canErase = 1, .canLock = 1}, 0, true, true, true, true, true, true, false, false, false, "Data area", "", ""},
        {"no blank, write or compare", {.canWrite = 0, .canCompare = 0, .canBlank = 0}, 0, true, false, false, false, false, false, false, false, false, "Data area", "", ""},
        {"loader ROM", {.cls = 1, .alg = 32, .size = 16}, 0, true, false, true, true, true, false, true, false, false, "LDROM", "004000", ""},
        {"loader ROM in its LDROM area", {.cls = 1, .alg = 32, .size = 16}, 1, true, false, true, true, true, false, false, false, false, "LDROM", "", ""},
        {"PIC", {.cls = 5, .alg = 27, .size = 2, .width = 16, .canSetVpp = 0}, 0, false, false, true, true, true, false, true, true, false, "Data area", "004200", "004000"},
        {"PIC in its data area", {.cls = 5, .alg = 27, .size = 2, .width = 16}, 1, true, false, true, true, true, false, false, true, false, "Data area", "", "004000"},
        {"sector-protected Flash", {.cls = 2, .alg = 53}, 0, true, false, true, true, true, false, false, false, true, "Data area", "", ""},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OneChip chip(c.row, c.area);
        const ProgParamsModel m(chip.s);
        EXPECT_EQ(m.voltagesEnabled(), c.voltages);
        EXPECT_EQ(m.stepEnabled(AutoStep::Erase), c.erase);
        EXPECT_EQ(m.stepEnabled(AutoStep::Blank), c.blank);
        EXPECT_EQ(m.stepEnabled(AutoStep::Write), c.write);
        EXPECT_EQ(m.stepEnabled(AutoStep::Compare), c.compare);
        EXPECT_EQ(m.stepEnabled(AutoStep::Lock), c.lock);
        EXPECT_EQ(m.stepEnabled(AutoStep::Data), c.data);
        EXPECT_EQ(m.stepEnabled(AutoStep::Config), c.config);
        EXPECT_EQ(m.sectorsEnabled(), c.sectors);
        EXPECT_STREQ(m.dataCaption().en, c.dataCaption);
        EXPECT_EQ(m.dataOffset(), QLatin1String(c.dataOffset));
        EXPECT_EQ(m.configOffset(), QLatin1String(c.configOffset));
        for (int i = 0; i < kSectorBoxes; ++i)
            EXPECT_TRUE(m.sector(i));
    }
}

// A greyed control refuses a change everywhere (dialog and command line); an enabled one
// takes any item of its list and nothing beyond it.
TEST(ProgParamsModel, DisabledControlsRefuseChanges) {
    OneChip fixed({.vpp = 1, .pulse = 2, .canErase = 0, .canSetVpp = 0});
    ProgParamsModel m(fixed.s);
    EXPECT_FALSE(m.setVpp(0));
    EXPECT_FALSE(m.setVcc(kVcc3V));
    EXPECT_FALSE(m.setAlg(0));
    EXPECT_EQ(m.vpp(), 1);
    EXPECT_EQ(m.alg(), 2);
    EXPECT_FALSE(m.setStep(AutoStep::Erase, true));
    EXPECT_TRUE(m.setStep(AutoStep::Erase, false)); // unchanged: nothing to refuse
    EXPECT_FALSE(m.setSector(0, false));

    OneChip free({.cls = 2, .alg = 53});
    ProgParamsModel f(free.s);
    EXPECT_EQ(f.vppItems().size(), 4);
    EXPECT_EQ(f.vccItems(), QStringList({"Vcc=5.00V", "Vcc=6.00V", "Vcc=3.00V"}));
    EXPECT_TRUE(f.setVpp(3));
    EXPECT_FALSE(f.setVpp(4));
    EXPECT_FALSE(f.setVcc(-1));
    EXPECT_TRUE(f.setAlg(3));
    EXPECT_TRUE(f.setSector(7, false));
    EXPECT_FALSE(f.sector(7));
}

// OK stores the radio choices only for chips that allow them, 3.00 V as lowVcc, and the
// seven boxes as 1/0; Cancel puts the boxes back.
TEST(ProgParamsModel, OkStoresAndCancelReverts) {
    // A 3.00 V part opens on "Vcc=3.00V"; choosing 5.00 V shows ", Vcc=5.00V".
    OneChip low({.cls = 2, .alg = 25, .vcc = 0});
    low.s.rom.lowVcc = 1;
    ProgParamsModel m(low.s);
    EXPECT_EQ(m.vcc(), kVcc3V);
    ASSERT_TRUE(m.setVcc(0));
    ASSERT_TRUE(m.setVpp(2));
    ASSERT_TRUE(m.setAlg(1));
    ASSERT_TRUE(m.setStep(AutoStep::Write, false));
    ASSERT_EQ(acceptProgParams(low.s, m), 0);
    EXPECT_EQ(low.s.rom.lowVcc, 0);
    EXPECT_EQ(low.s.rom.vccSel, 0);
    EXPECT_EQ(low.s.rom.vppSel, 2);
    EXPECT_EQ(low.s.rom.pulseAlg, 1);
    EXPECT_EQ(voltageLabels(low.s.rom).vcc, QStringLiteral(", Vcc=5.00V"));
    EXPECT_EQ(low.s.settings.autoWrite, 0);
    EXPECT_EQ(settingsLines(low.s.settings).last(), QStringLiteral("0 0 0 1 0 0 0"));

    // Back to 3.00 V: vccSel 0 with lowVcc.
    ProgParamsModel back(low.s);
    ASSERT_TRUE(back.setVcc(kVcc3V));
    ASSERT_EQ(acceptProgParams(low.s, back), 0);
    EXPECT_EQ(low.s.rom.lowVcc, 1);
    EXPECT_EQ(low.s.rom.vccSel, 0);

    // Fixed voltages: only the steps change.
    OneChip fixed({.vpp = 1, .pulse = 2, .vcc = 1, .canErase = 1, .canSetVpp = 0});
    ProgParamsModel f(fixed.s);
    ASSERT_TRUE(f.setStep(AutoStep::Erase, true));
    ASSERT_EQ(acceptProgParams(fixed.s, f), 0);
    EXPECT_EQ(fixed.s.settings.autoErase, 1);
    EXPECT_EQ(fixed.s.rom.vppSel, 1);
    EXPECT_EQ(fixed.s.rom.vccSel, 1);
    EXPECT_EQ(fixed.s.rom.pulseAlg, 2);

    // Cancel: the edited boxes show the stored steps again; nothing is stored.
    ProgParamsModel c(fixed.s);
    ASSERT_TRUE(c.setStep(AutoStep::Erase, false));
    ASSERT_TRUE(c.setStep(AutoStep::Compare, false));
    c.revertSteps(fixed.s);
    EXPECT_TRUE(c.step(AutoStep::Erase));
    EXPECT_TRUE(c.step(AutoStep::Compare));
    EXPECT_EQ(fixed.s.settings.autoCompare, 1);
}

// Including the LDROM while it is the selected area keeps the LDROM window; the command is
// refused while an operation runs.
TEST(ProgParamsModel, AcceptKeepsTheSelectedAreaAndWaitsForOperations) {
    OneChip chip({.cls = 1, .alg = 32, .size = 16}, 0);
    ProgParamsModel m(chip.s);
    ASSERT_TRUE(m.setStep(AutoStep::Data, true));
    chip.s.op.area = 1;
    chip.s.buf.addrStart = 0;
    chip.s.buf.addrEnd = 0xFFF;
    ASSERT_EQ(acceptProgParams(chip.s, m), 0);
    EXPECT_EQ(chip.s.settings.autoData, 1);
    EXPECT_EQ(chip.s.buf.dataOfs, 0x4000);
    EXPECT_EQ(chip.s.buf.addrEnd, 0xFFF);

    chip.s.op.busy = true;
    ProgParamsModel later(chip.s);
    ASSERT_TRUE(later.setStep(AutoStep::Write, false));
    EXPECT_EQ(acceptProgParams(chip.s, later), kCommandRefused);
    EXPECT_EQ(chip.s.settings.autoWrite, 1);
}

} // namespace
