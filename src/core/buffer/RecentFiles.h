#pragma once
// The folder the file dialogs open in and the recently used image files, kept between runs
// in zelvor.recent in the start folder (zelvor.cfg has a fixed layout and no room for
// them). One "folder=" line and up to eight "file=" lines, most recent first; names are
// kept as the system's bytes, so any file name comes back as it was.

#include "app/Records.h"

#include <QString>

namespace zelvor {

inline constexpr int kRecentFiles = 8;
inline constexpr qint64 kRecentFileBytes = 64 * 1024;

enum RecentCode : int {
    RecentOk = 0,
    RecentDamaged = 1,    // a line that is not understood, or a file far too large
    RecentUnreadable = 2, // the file exists but cannot be read
    RecentUnwritten = 3,  // the file could not be written
};

// Reads the list. A missing file gives an empty one. On damage the history stays empty, it
// is not written back (the file is left for the operator to look at) and `line` says the
// first line not understood (0: the file as a whole).
[[nodiscard]] int readFileHistory(const QString& path, FileHistory& h, int& line);
// Replaces the file with the history (nothing is written when it was found damaged).
[[nodiscard]] int writeFileHistory(const QString& path, const FileHistory& h);

// Puts `path` first in the list (once), keeps the newest kRecentFiles, and remembers its
// folder.
void rememberFile(FileHistory& h, const QString& path);
// Remembers the folder of `path` for the next file dialog.
void rememberFolder(FileHistory& h, const QString& path);
// Drops entry `index` of the list (nothing when there is none).
void forgetRecentFile(FileHistory& h, int index);

} // namespace zelvor
