#pragma once
// Turning the catalogue's fixed-column lines into manufacturers and entries mapped to the
// loaded base types.

#include "app/Session.h"
#include "app/BaseTable.h"
#include "app/Catalogue.h"

#include <QString>
#include <QStringList>

namespace zelvor {

// Only this many leading characters of a catalogue line are looked at.
inline constexpr int kCatalogueLineWidth = 40;
// At most this many missing base-type names get a message box of their own at start-up;
// the rest are counted in one more box.
inline constexpr int kMissingBaseBoxes = 20;

struct CatalogueParseResult {
    int entries = 0;          // entries stored (catCount)
    int dropped = 0;          // entries beyond the tables' capacity, not stored
    QStringList missingBases; // per device line without a base type: its 12-character key
};

// The built-in catalogue, both halves in order.
QStringList builtInCatalogueLines();

// Parses `lines` into `cat` (cleared first) against `base`. Headers (":") open a
// manufacturer, "*" lines are comments, "@A"/"@P" add one entry per AVR/PIC base type, every
// other non-empty line is one device entry; a device's base type is the last base type whose
// 12-character key equals positions 13..24 of the line.
[[nodiscard]] CatalogueParseResult parseCatalogue(const QStringList& lines, const BaseTable& base,
                                                  Catalogue& cat);

// Start-up phase: parses the built-in catalogue into s.cat against s.base and tells the user
// about base types it names that prgplus.lst lacks (one message box per missing name) and
// about entries that did not fit. Returns the number of entries (0 means no catalogue).
[[nodiscard]] int loadCatalogue(Session& s);

} // namespace zelvor
