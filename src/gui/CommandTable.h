#pragma once
// The main window's menus, hidden shortcut items and toolbar as data: one row per item with
// its object name, Russian and English caption, shortcut and what it runs. The window builds
// its widgets from these rows; the tests walk the same rows.

#include "program/Commands.h"
#include "program/Screen.h"

#include <span>

namespace zelvor::gui {

// What the window does itself before (or instead of) one core call.
enum class WindowCommand {
    None,
    SelectChip,
    ProgrammingParameters,
    LoadFile,
    SaveFile,
    Print,
    ViewBuffer,
    ViewLog,
    Help,
    About,
    Exit,
    Model, // arg: model code
    Port,  // arg: 0..3
    Speed, // arg: speed code
    Undo,
    Redo,
    GoToAddress,
    Find,
    FindNext,
    WindowCrc,   // CRC-32 over the address window
    CompareFile, // the compare workspace: the buffer against a file
    RecentFile,  // arg: index in the recent-files list
};

// A row runs either a core command or a window command (with its argument).
struct Target {
    bool core = false;
    Command command = Command::ReadChip;
    WindowCommand window = WindowCommand::None;
    int arg = 0;
};

// True for the window commands that may run while an operation runs: they open no dialog
// and touch neither the chip nor the buffer (the journal, help and About windows, Exit,
// which asks the window to close and is held off there).
constexpr bool allowedWhileBusy(WindowCommand w) {
    return w == WindowCommand::None || w == WindowCommand::ViewLog || w == WindowCommand::Help ||
           w == WindowCommand::About || w == WindowCommand::Exit;
}

constexpr Target runs(Command c) {
    return Target{true, c, WindowCommand::None, 0};
}
constexpr Target opens(WindowCommand w, int arg = 0) {
    return Target{false, Command::ReadChip, w, arg};
}

enum class ItemKind {
    Menu,      // a top-level menu of the menu bar
    Submenu,   // a submenu inside `parent`
    Item,      // a shown item inside `parent`
    Hidden,    // never shown: works by its shortcut only
    Separator, // inside `parent`
};

struct MenuRow {
    ItemKind kind;
    const char* parent;   // object name of the menu holding it (nullptr for a top menu)
    const char* name;     // object name
    const char* ru;       // design caption
    const char* en;       // English caption; nullptr keeps the design caption
    const char* shortcut; // portable key text ("Ctrl+F4"), or nullptr
    Target target;
    bool ChipFeatures::*shownFor = nullptr; // chip-dependent: shown while this flag is set
};

struct ToolRow {
    const char* name; // the button's object name
    const char* ru;   // hint
    const char* en;   // English hint; nullptr keeps the Russian one
    const char* icon; // base name of its glyph (Icons.h)
    Target target;
    bool ChipFeatures::*enabledFor = nullptr; // enabled while this flag is set (nullptr: always)
};

std::span<const MenuRow> menuRows();
std::span<const ToolRow> toolRows();

// The caption in the language of the run.
inline const char* caption(const MenuRow& r, bool english) {
    return english && r.en ? r.en : r.ru;
}
inline const char* hint(const ToolRow& r, bool english) {
    return english && r.en ? r.en : r.ru;
}

} // namespace zelvor::gui
