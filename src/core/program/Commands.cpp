#include "program/Commands.h"
#include "app/Settings.h"

#include "app/Messenger.h"
#include "app/RunCommands.h"
#include "buffer/BufferDialogs.h"
#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"
#include "buffer/BufferOps.h"
#include "catalogue/SupportLists.h"
#include "journal/Journal.h"
#include "link/LinkControl.h"
#include "ops/ChipChange.h"
#include "ops/Engine.h"
#include "ops/OperationTiming.h"
#include "program/Startup.h"
#include "protect/AutoProgram.h"
#include "protect/BootBlock.h"
#include "protect/ConfigCommands.h"
#include "protect/LockBits.h"
#include "service/Firmware.h"
#include "service/RamTest.h"
#include "service/ReadId.h"

#include <algorithm>

namespace zelvor {

namespace {

using C = Command;

// Menu item, toolbar button, refused while an operation runs, needs the tables.
constexpr CommandInfo kCommands[] = {
    {C::ReadChip, "ReadRom", "rd_chip", true, true},
    {C::BlankCheck, "ReadNull", "vr_null", true, true},
    {C::ProgramChip, "WriteRom", "wr_chip", true, true},
    {C::CompareChip, "CompRom", "cmp_chip", true, true},
    {C::EraseChip, "ClearRom", "cl_chip", true, true},
    {C::LockBits, "Lock_bits", "Lock_bits", true, true},
    {C::LockBit1, "N11", nullptr, true, true},
    {C::LockBits12, "N121", nullptr, true, true},
    {C::LockBits123, "N1231", nullptr, true, true},
    {C::SetX2, "setX2", nullptr, true, true},
    {C::WriteConfig, "SetCfg", "setcfgw", true, true},
    {C::ReadConfig, "ReadCfg", "ReadCfgw", true, true},
    {C::AutoProgram, "autoprg", "autoprg", true, true},
    {C::RepeatProgram, "Cprog", nullptr, true, true},
    {C::ReadId, "ReadId", "rd_id", true, true},
    {C::AutoDetectFlash, "Flash1", nullptr, true, true},
    {C::TestRam, "TestRAM", nullptr, true, true},
    {C::BadBlocks, "Badblock1", nullptr, true, true},
    {C::LockLowerBootBlock, "L_BBL", nullptr, true, true},
    {C::LockUpperBootBlock, "H_BBL", nullptr, true, true},
    {C::ReadBootBlockLock, "Read_bbl", nullptr, true, true},
    {C::SdpOff, "Mode_SDP", nullptr, true, true},
    {C::FirmwareVersion, "Dthcb1", nullptr, true, false},
    {C::UpdateFirmware, "N7", nullptr, true, true},
    {C::SwitchProgram, "N12", nullptr, true, false},
    {C::SelfTest, "N5", nullptr, true, true},
    {C::SetAddressWindow, "SetAddr", nullptr, true, true},
    {C::SetBufferOffset, "SetOfBuf", nullptr, true, false},
    {C::SetFileOffset, "ChcDisp", nullptr, true, false},
    {C::FormatBin, "BIN1", nullptr, true, false},
    {C::FormatHex, "HEX1", nullptr, true, false},
    {C::SwapBuffer, "SwapBuf", nullptr, true, false},
    {C::WriteShortList, "PrintListSh", nullptr, true, true},
    {C::WriteAdapterList, "PrintListAd", nullptr, true, true},
    {C::ToggleJournal, "Wr_log", nullptr, false, false},
    {C::ToggleDebug, "RegOtl", nullptr, false, false},
    {C::ToggleLanguage, "N6", nullptr, false, false},
    {C::DemoMode, "Demo_mode", nullptr, true, false},
    {C::CycleSpeed, "Ch_Sp", "Ch_Sp", true, false},
};

int cycleSpeed(Session& s) {
    // The toolbar's button steps 9600 → 57600 → 115200 → 9600; the two fastest rates are
    // only chosen from the menu, and the button leaves them alone.
    switch (s.settings.baudIdx) {
    case 0:
        return ChcSpd(s, 1);
    case 1:
        return ChcSpd(s, 2);
    case 2:
        return ChcSpd(s, 0);
    default:
        return 0;
    }
}

int dispatch(Session& s, Command c) {
    switch (c) {
    case C::ReadChip:
        return ReadRomClick(s);
    case C::BlankCheck:
        return ReadNullClick(s);
    case C::ProgramChip:
        return WriteRomClick(s);
    case C::CompareChip:
        return CompRomClick(s);
    case C::EraseChip:
        return ClearRomClick(s);
    case C::LockBits:
        return SetBitClick(s);
    case C::LockBit1:
        return lockBitsMenu(s, 1);
    case C::LockBits12:
        return lockBitsMenu(s, 2);
    case C::LockBits123:
        return lockBitsMenu(s, 3);
    case C::SetX2:
        return setX2Click(s);
    case C::WriteConfig:
        return SetcfgwF(s);
    case C::ReadConfig:
        return ReadcfgwF(s);
    case C::AutoProgram:
        return autoprgClick(s);
    case C::RepeatProgram:
        return CprogClick(s);
    case C::ReadId:
        return ReadIdClick(s);
    case C::AutoDetectFlash:
        return 0;
    case C::TestRam:
        return TestRAMClick(s);
    case C::BadBlocks:
        return Badblock1Click(s);
    case C::LockLowerBootBlock:
        return Setup_BBL(s, false);
    case C::LockUpperBootBlock:
        return Setup_BBL(s, true);
    case C::ReadBootBlockLock:
        return Read_bblClick(s);
    case C::SdpOff:
        return Mode_SDPClick(s);
    case C::FirmwareVersion:
        return showFirmwareVersion(s);
    case C::UpdateFirmware:
        return updateFirmware(s);
    case C::SwitchProgram:
        return switchProgram(s);
    case C::SelfTest:
        return selfTest(s);
    case C::SetAddressWindow:
        return SetAddrClick(s);
    case C::SetBufferOffset:
        return SetOfBufClick(s);
    case C::SetFileOffset:
        return ChcDispClick(s);
    case C::FormatBin:
        chooseBinFormat(s);
        return 0;
    case C::FormatHex:
        chooseHexFormat(s);
        return 0;
    case C::SwapBuffer:
        SwapClick(s);
        s.fe.changed(ChangeBufferEdited | ChangeBufferLabels);
        return 0;
    case C::WriteShortList:
        return PrintListSh(s, s.run.startDir); // beside zelvor.cfg
    case C::WriteAdapterList:
        return PrintListAd(s, s.run.startDir);
    case C::ToggleJournal:
        toggleJournal(s);
        s.fe.changed(ChangeSettings);
        return 0;
    case C::ToggleDebug:
        toggleDebugMode(s);
        s.fe.changed(ChangeSettings | ChangeConfigPanels);
        return 0;
    case C::ToggleLanguage:
        toggleLanguage(s);
        s.fe.changed(ChangeSettings);
        return 0;
    case C::DemoMode:
        selectDemoMode(s);
        s.fe.changed(ChangeSettings | ChangeStatusPanels);
        return 0;
    case C::CycleSpeed: {
        const int rc = cycleSpeed(s);
        s.fe.changed(ChangeSettings | ChangeStatusPanels);
        return rc;
    }
    }
    return kCommandRefused;
}

// Runs `body` once nothing else runs (and the tables are there when `needsTables`), marked
// busy while it runs.
template <typename Body> int guarded(Session& s, bool needsTables, Body body) {
    if (!commandAllowed(s, needsTables)) return kCommandRefused;
    BusyScope busy(s);
    const int rc = body();
    timingDiscard(s); // an operation's time belongs to its own result message only
    return rc;
}

} // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo& commandInfo(Command c) {
    return *std::find_if(std::begin(kCommands), std::end(kCommands),
                         [c](const CommandInfo& i) { return i.id == c; });
}

bool commandOffered(const Session& s, Command c) {
    const ChipFeatures& f = s.feat;
    switch (c) {
    case C::ReadChip:
        return f.read;
    case C::BlankCheck:
        return f.blank;
    case C::ProgramChip:
        return f.program;
    case C::CompareChip:
        return f.compare;
    case C::EraseChip:
        return f.erase;
    case C::LockBits:
        return f.lock;
    case C::LockBit1:
    case C::LockBits12:
    case C::LockBits123:
        return f.lockBitsMenu;
    case C::SetX2:
        return f.x2Mode;
    case C::WriteConfig:
    case C::ReadConfig:
        return f.configuration;
    case C::ReadId:
        return f.readId;
    case C::AutoDetectFlash:
        return f.autoDetectFlash;
    case C::TestRam:
        return f.ramTest;
    case C::BadBlocks:
        return f.badBlocks;
    case C::LockLowerBootBlock:
    case C::LockUpperBootBlock:
        return f.bootBlockSet;
    case C::ReadBootBlockLock:
        return f.bootBlockRead;
    case C::SdpOff:
        return f.sdp;
    default:
        return true;
    }
}

int runCommand(Session& s, Command c) {
    const CommandInfo& info = commandInfo(c);
    if (!info.chipOrBuffer) return dispatch(s, c); // run settings: allowed at any time
    return guarded(s, info.needsTables, [&] { return dispatch(s, c); });
}

int selectChip(Session& s, int baseIndex, const ChipChoice& choice) {
    return guarded(s, true, [&] {
        const int refusal = modelRefusal(s, baseIndex, ModelCheck::Selection);
        if (refusal != kModelAllows) {
            ShowMessageS(s, modelRefusalText(s, refusal));
            return refusal;
        }
        const int rc = ChcRom(s, baseIndex, choice);
        if (rc != 0) return rc;
        setUpChip(s);
        s.fe.changed(ChangeChip | ChangeBufferLabels | ChangeConfigPanels);
        return 0;
    });
}

void setUpChip(Session& s) {
    Inc_data(s);
    setupConfigPanels(s);
}

int loadFile(Session& s, const QString& path) {
    return guarded(s, false, [&] { return Read_File(s, path); });
}

int saveFileAs(Session& s, const QString& path) {
    return guarded(s, false, [&] { return Write_File(s, path); });
}

int chooseModel(Session& s, int model) {
    if (model < 3 || model > 6) return kCommandRefused;
    selectModel(s, model);
    s.fe.changed(ChangeSettings);
    return 0;
}

int choosePort(Session& s, int port) {
    if (port < 0 || port > 3) return kCommandRefused;
    return guarded(s, false, [&] {
        selectComPort(s, port);
        s.fe.changed(ChangeSettings | ChangeStatusPanels);
        return s.link.portFailed == 1 ? 1 : 0;
    });
}

int chooseSpeed(Session& s, int speedCode) {
    if (speedCode != 0 && speedCode != 1 && speedCode != 2 && speedCode != 4 && speedCode != 8)
        return kCommandRefused;
    return guarded(s, false, [&] {
        const int rc = ChcSpd(s, speedCode);
        s.fe.changed(ChangeSettings | ChangeStatusPanels);
        return rc;
    });
}

int chooseArea(Session& s, int index) {
    return guarded(s, true, [&] {
        areaListChange(s, index);
        return 0;
    });
}

} // namespace zelvor
