#pragma once
// Settings the operator changes while the program runs; they take effect at the next start.

#include "app/Session.h"

namespace zelvor {

// The model items: stores the model (3 C, 4 A, 5 B, 6 AX) and tells the operator that it
// counts from the next start.
void selectModel(Session& s, int model);

// The language item: tells the operator (in the current language) and inverts the stored
// flag; the texts stay in the current language until the next start.
void toggleLanguage(Session& s);

// The debug item: shows the raw PIC16 configuration word while on.
void toggleDebugMode(Session& s);

} // namespace zelvor
