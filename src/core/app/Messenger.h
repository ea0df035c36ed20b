#pragma once
// The status-message operations: every result reaches the operator, the message list and
// the journal through these.

#include "app/Session.h"

namespace zelvor {

// Last status panel; a non-empty text also goes to msgLog (with two trailing blanks) and
// to the journal when it is on.
void ShowMessageS(Session& s, const QString& text);
// Shows a text in the session's language.
void ShowMessageS(Session& s, const Text& text);
// Link and exchange errors: the Russian text as given, or the fixed English wording.
void ShowMessageSc(Session& s, const QString& russianText);
// Waiting texts: the Russian text as given, or "Waiting...".
void ShowMessageSw(Session& s, const QString& russianText);
// "File <path> is loaded in the buffer".
void ShowMessageRd(Session& s, const QString& path);
// Status panel 1: the port ("Com1".."Com4", "Demo", or empty after a failed open).
void ShowMessageC(Session& s);
// Status panel 2: the rate ("mode" in demo mode).
void ShowMessageT(Session& s);
// The model-change notice.
void ShowMessageCh(Session& s);

// Adds a line to the message list and the journal without touching the status bar.
void logLine(Session& s, const QString& text);

// Model name for status panel 0.
QString modelPanelText(int model, bool english);

} // namespace zelvor
