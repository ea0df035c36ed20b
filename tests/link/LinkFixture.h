#pragma once
// A session whose port is a scripted transport, already open, on the fake clock.

#include "ScriptedTransport.h"
#include "TestSession.h"
#include "link/Port.h"

#include <gtest/gtest.h>

#include <memory>

namespace zelvor::test {

class LinkFixture : public ::testing::Test {
  protected:
    LinkFixture() {
        auto t = std::make_unique<ScriptedTransport>(&ts.clock);
        port = t.get();
        s.transport = std::move(t);
        allocLinkBuffers(s);
        Reopen_com(s);
        port->openedDevices.clear();
        port->openedRates.clear();
    }

    TestSession ts;
    Session& s = ts.s;
    ScriptedTransport* port = nullptr;
};

inline QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

} // namespace zelvor::test
