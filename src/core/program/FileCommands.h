#pragma once
// The window's file commands around the core's load and save: the folder the file dialogs
// open in, the recent files kept in zelvor.recent, and the name of the file the buffer holds
// (shown in the window's title).

#include "app/Session.h"

#include <QString>

namespace zelvor {

// The history file in the start folder.
QString fileHistoryPath(const Session& s);
// Reads the remembered folder and recent files; a damaged or unreadable file is reported
// and left as it is.
void startFileHistory(Session& s);
// The folder the next file dialog opens in: the last one used, else the start folder.
QString fileDialogFolder(const Session& s);

// Load after the open dialog, in the chosen format (Read_FileClick). The folder is
// remembered whatever the outcome; a loaded file goes to the top of the recent files.
[[nodiscard]] int openChosenFile(Session& s, const QString& path);
// Load of a file dropped on the window or named on the command line: the format its name
// tells (.bin; .hex, .ihx, .ihex) becomes the chosen one, else the chosen one is used.
[[nodiscard]] int openNamedFile(Session& s, const QString& path);
// Load of recent file `index` as openNamedFile; a file that is gone is reported and dropped
// from the list. An index outside the list does nothing.
[[nodiscard]] int openRecentFile(Session& s, int index);
// Save after the save dialog, with the overwrite question (Write_FileClick).
[[nodiscard]] int saveChosenFile(Session& s, const QString& path);

// Follows the core's change notices: a new image from anywhere but a file load (a chip
// read, the buffer offset) no longer holds the file that was loaded.
void followImageChange(Session& s, unsigned what);
// "Zelvor", or "name.bin - Zelvor" while the buffer holds the file last loaded or saved.
QString windowCaption(const Session& s);

} // namespace zelvor
