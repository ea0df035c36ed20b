#pragma once
// PIC18 configuration (algorithm 43): fourteen bytes at 0x300000, shown as three lists and
// a set of check boxes, read and written as one block.

#include "app/Session.h"

#include <span>

namespace zelvor {

// The bits of each byte that have a check box.
inline constexpr std::array<quint8, 14> kPic18BoxBits{0x00, 0x20, 0x03, 0x01, 0x00, 0x01, 0x85,
                                                      0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};

// One check box of the panel: its object name, caption and bit. Blocks 2 and 3 of a 16 KiB
// part have no memory behind them (`upperBlock`).
struct Pic18Box {
    const char* name;
    const char* caption;
    int byte;
    quint8 bit;
    bool upperBlock;
};
std::span<const Pic18Box> pic18Boxes();

// The three lists.
enum class Pic18List { Fosc, Borv, Wdtps };

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
// The operator ticked or cleared box `box` (index into pic18Boxes()) or chose item `index`
// of a list; the bytes follow at once. Return 0, or kRefused for a box or item that is not
// there, a disabled box, and while an operation runs.
[[nodiscard]] int setPic18Box(Session& s, int box, bool checked);
[[nodiscard]] int choosePic18Item(Session& s, Pic18List list, int index);
// The fourteen bytes as one run of 28 hex digits.
QString pic18Text(const ConfigState& c);

// Reads the bytes from the chip and shows them. Returns opState.
[[nodiscard]] int Pic18CfgR(Session& s);
// Folds the panel and writes the bytes. Returns opState.
[[nodiscard]] int Pic18CfgW(Session& s);

} // namespace zelvor
