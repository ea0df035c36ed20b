#pragma once
// PIC18 configuration (algorithm 43): fourteen bytes at 0x300000, shown as three lists and
// a set of check boxes, read and written as one block.

#include "app/Session.h"

namespace zelvor {

// The bits of each byte that have a check box.
inline constexpr std::array<quint8, 14> kPic18BoxBits{0x00, 0x20, 0x03, 0x01, 0x00, 0x01, 0x85,
                                                      0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};

// The texts of the three lists, index 0 first.
QStringList pic18FoscItems();
QStringList pic18BorvItems();
QStringList pic18WdtpsItems();

// Panel set-up at chip selection: defaults, then shown.
void Pic18CfgI(Session& s);
// Sets the lists and check boxes from pic18Cfg; blocks 2 and 3 are disabled for a 16 KiB part.
void Pic18CfgS(Session& s);
// Folds the lists and check boxes into pic18Cfg (a checked box clears its bit).
void foldPic18Panel(ConfigState& c);
// The fourteen bytes as one run of 28 hex digits.
QString pic18Text(const ConfigState& c);

// Reads the bytes from the chip and shows them. Returns opState.
[[nodiscard]] int Pic18CfgR(Session& s);
// Folds the panel and writes the bytes. Returns opState.
[[nodiscard]] int Pic18CfgW(Session& s);

} // namespace zelvor
