#pragma once
// A session wired to the scripted front end and the fake clock.

#include "FakeClock.h"
#include "ScriptedFrontEnd.h"
#include "app/Session.h"

namespace zelvor::test {

struct TestSession {
    ScriptedFrontEnd fe;
    FakeClock clock;
    Session s{fe, clock};
};

} // namespace zelvor::test
