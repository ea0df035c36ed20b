#include "Verbs.h"

namespace zelvor::cli {

const Verb* verbTable()
{
    static const Verb verbs[] = {
        {"ports", verbPorts, false, "ports                  the device paths COM1..COM4 stand for"},
        {nullptr, nullptr, false, nullptr},
    };
    return verbs;
}

} // namespace zelvor::cli
