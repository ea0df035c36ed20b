#pragma once
// Every command of the main window's menus and toolbar as one core call. Each checks for
// itself whether it may run now: while an operation runs, every other chip or buffer command
// is refused here (the window reaches commands through the event pump, so the check cannot
// live in the window), and chip commands are refused when the tables could not be loaded.
// The window, the command line and the tests are equal callers.

#include "app/Session.h"
#include "catalogue/ChipParams.h"

#include <QString>

#include <span>

namespace zelvor {

// A command refused before it started (another operation runs, no tables, not offered for
// this chip). Nothing was changed or sent.
inline constexpr int kCommandRefused = -100;

// The commands without arguments. The names say what they do; the table below gives each
// its menu item or toolbar button (the window's object names).
enum class Command {
    // chip operations
    ReadChip,
    BlankCheck,
    ProgramChip,
    CompareChip,
    EraseChip,
    LockBits,    // the toolbar's lock button: the chip's whole sequence
    LockBit1,    // menu: bit 1
    LockBits12,  // menu: bits 1, 2
    LockBits123, // menu: bits 1, 2, 3
    SetX2,
    WriteConfig,
    ReadConfig,
    AutoProgram,
    RepeatProgram,
    ReadId,
    AutoDetectFlash, // shown for some chips; does nothing
    TestRam,
    BadBlocks,
    LockLowerBootBlock,
    LockUpperBootBlock,
    ReadBootBlockLock,
    SdpOff,
    // programmer service
    FirmwareVersion,
    UpdateFirmware,
    SwitchProgram,
    SelfTest,
    // buffer
    SetAddressWindow,
    SetBufferOffset,
    SetFileOffset,
    FormatBin,
    FormatHex,
    SwapBuffer,
    // lists written to the start folder
    WriteShortList,
    WriteAdapterList,
    // run settings
    ToggleJournal,
    ToggleDebug,
    ToggleLanguage,
    DemoMode,
    CycleSpeed, // the toolbar's speed button: the next rate
};

struct CommandInfo {
    Command id;
    const char* objectName; // the menu item's object name (or the toolbar button's)
    const char* toolButton; // the toolbar button's object name, or nullptr
    bool chipOrBuffer;      // refused while an operation runs
    bool needsTables;       // refused when prgplus.lst or the catalogue is missing
};

// Every command, in menu order.
std::span<const CommandInfo> commandTable();
const CommandInfo& commandInfo(Command c);

// True when the command is offered for the current chip (the window shows and enables its
// item and button from this). Commands not tied to the chip are always offered.
bool commandOffered(const Session& s, Command c);

// Runs a command: the refusals above, then the command with its own messages. Returns its
// result code (0 success), or kCommandRefused.
[[nodiscard]] int runCommand(Session& s, Command c);

// --- commands with an argument ----------------------------------------------------------

// The chip selection (the selection dialog, the command line and start-up alike): model
// refusals, the chip change announced to the programmer, the extra areas, the
// configuration panels and the adapters. `baseIndex` is 1-based; `choice.byMaker` = 1 with a
// catalogue entry. 0, kCommandRefused, or the refusal/link code.
[[nodiscard]] int selectChip(Session& s, int baseIndex, const ChipChoice& choice);

// What follows every chip change, chosen or restored at start-up: the extra areas placed in
// the buffer and the configuration panels set up for the chip (no packet is sent).
void setUpChip(Session& s);

// File menu: load (format from the settings) and save with the overwrite question.
[[nodiscard]] int loadFile(Session& s, const QString& path);
[[nodiscard]] int saveFileAs(Session& s, const QString& path);

// Settings menu: the model (3 C, 4 A, 5 B, 6 AX), the port (0..3 = COM1..COM4), the speed
// code (0, 1, 2, 4, 8), and the main window's area list.
[[nodiscard]] int chooseModel(Session& s, int model);
[[nodiscard]] int choosePort(Session& s, int port);
[[nodiscard]] int chooseSpeed(Session& s, int speedCode);
[[nodiscard]] int chooseArea(Session& s, int index);

} // namespace zelvor
