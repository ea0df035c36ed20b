#pragma once
// The chip commands that automatic programming, the repeat and the service chains run, as
// the user would run them. Tests substitute their own.

#include "app/Session.h"

#include <functional>

namespace zelvor {

struct ChipCommands {
    std::function<int(Session&)> read;
    std::function<int(Session&)> erase;
    std::function<int(Session&)> blank;
    std::function<int(Session&)> program;
    std::function<int(Session&)> compare;
    std::function<int(Session&)> lock;
};

// The real commands: read, erase, blank check, program, compare and the lock toolbar button.
ChipCommands defaultChipCommands();

} // namespace zelvor
