#pragma once
// The two configuration commands ("write configuration", "read configuration") and the
// panel set-up at chip selection, dispatched on the chip.

#include "app/Session.h"

namespace zelvor {

// Which configuration a chip has.
enum class ConfigKind { None, Pic18, PicMid, Fuses };
ConfigKind configKind(const RomParams& rom);

// "Записать конфигурацию": PIC18, mid-range PIC or fuse write. A chip without any shows
// the not-supported message. Returns opState.
[[nodiscard]] int SetcfgwF(Session& s);
// "Считать конфигурацию". Returns opState.
[[nodiscard]] int ReadcfgwF(Session& s);

// At chip selection: the panels of the new chip with their defaults (PIC18 defaults,
// prgpic16.lst, prgatmel.lst).
void setupConfigPanels(Session& s);
// Shows the values held now again, without resetting them (after an identification).
void redrawConfigPanels(Session& s);

} // namespace zelvor
