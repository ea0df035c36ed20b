#include "app/Startup.h"

namespace zelvor {

// Wired to the real subsystems as they come in.
StartupHooks defaultStartupHooks()
{
    StartupHooks h;
    return h;
}

} // namespace zelvor
