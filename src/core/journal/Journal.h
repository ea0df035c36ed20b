#pragma once
// The journal: every status message (and every chip choice) goes to the message list for
// the whole run and, while the journal is switched on, as a line to "zelvor.log" in the
// current directory (Windows-1251, CR LF, no time stamps).

#include "app/Session.h"

namespace zelvor {

inline constexpr char kJournalFile[] = "zelvor.log";

// Switches the journal on (a new, empty zelvor.log in the current directory) or off.
// A file that cannot be created leaves the journal on with writes that do nothing.
void toggleJournal(Session& s);
// Switches it on in `dir` rather than the current directory (the command line's --journal).
void openJournal(Session& s, const QString& dir);
// Closes the file when the journal is on (the program's close).
void closeJournal(Session& s);

// What the journal viewer shows: every line of the message list, in order; `selected`
// gets the index of the last one (-1 when empty).
QStringList journalViewLines(const Session& s, int* selected = nullptr);
// The viewer's caption.
QString journalViewCaption(const Session& s);

} // namespace zelvor
