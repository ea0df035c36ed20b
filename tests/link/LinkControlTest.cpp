// Speed change, port and demo choice, and the speed reset at close.

#include "link/LinkControl.h"
#include "LinkFixture.h"
#include "app/Messages.h"

using namespace zelvor;
using namespace zelvor::test;

using LinkControl = LinkFixture;

TEST_F(LinkControl, ChoosingTheActiveRateSendsNothing) {
    s.settings.baudIdx = 2;
    ts.fe.statuses.clear();
    EXPECT_EQ(ChcSpd(s, 2), 0);
    EXPECT_TRUE(port->sent.isEmpty());
    EXPECT_TRUE(port->openedDevices.isEmpty());
    EXPECT_EQ(ts.fe.statuses, QStringList{QString()}); // only cleared
}

TEST_F(LinkControl, SpeedChangeTellsTheProgrammerThenReopens) {
    s.rom.devClass = 2;
    s.rom.algCode = 57; // a page algorithm: B3 still carries the code
    port->ackPackets = true;
    EXPECT_EQ(ChcSpd(s, 2), 0);
    ASSERT_EQ(port->packets.size(), 1);
    EXPECT_EQ(quint8(port->packets[0][1]) & 0x0F, 4);
    EXPECT_EQ(quint8(port->packets[0][3]), 2);
    EXPECT_EQ(s.settings.baudIdx, 2);
    EXPECT_EQ(port->openedRates, QList<qint32>{115200});
    EXPECT_EQ(ts.fe.panels[2], QStringLiteral("115200"));
    EXPECT_EQ(ts.fe.lastStatus(), QString());
}

TEST_F(LinkControl, RefusedSpeedChangeKeepsTheOldRate) {
    s.settings.english = 1;
    s.settings.baudIdx = 1;
    EXPECT_NE(ChcSpd(s, 8), 0);
    EXPECT_EQ(port->packets.size(), 2); // sent twice
    EXPECT_EQ(quint8(port->packets[0][3]), 8);
    EXPECT_EQ(s.settings.baudIdx, 1);
    EXPECT_EQ(ts.fe.lastStatus(), QString::fromUtf8(msg::LinkError.en));
    EXPECT_EQ(port->openedRates, QList<qint32>{57600});
    EXPECT_EQ(ts.fe.panels[2], QStringLiteral("57600"));
}

TEST_F(LinkControl, CloseLowersTheProgrammerTo9600) {
    s.settings.baudIdx = 2;
    port->ackPackets = true;
    Shutdown_link(s);
    ASSERT_EQ(port->packets.size(), 1);
    EXPECT_EQ(quint8(port->packets[0][1]) & 0x0F, 4);
    EXPECT_EQ(quint8(port->packets[0][3]), 0);
    EXPECT_EQ(s.settings.baudIdx, 0);
    EXPECT_FALSE(port->isOpen());

    // At 9600 already: nothing is sent.
    Reopen_com(s);
    port->packets.clear();
    Shutdown_link(s);
    EXPECT_TRUE(port->packets.isEmpty());
}

TEST_F(LinkControl, PortAndDemoChoice) {
    port->failOpen = true;
    s.link.demoMode = 1;
    selectComPort(s, 2);
    EXPECT_EQ(s.link.demoMode, 0);
    EXPECT_EQ(s.link.portFailed, 1);
    EXPECT_EQ(ts.fe.panels[1], QString());
    EXPECT_EQ(ts.fe.panels[2], QString());
    // Every packet now fails at once, without waiting for a time-out.
    const qint64 before = ts.clock.now;
    EXPECT_EQ(ChcSpd(s, 1), 1);
    EXPECT_EQ(ts.clock.now, before);

    port->failOpen = false;
    selectComPort(s, 2);
    EXPECT_EQ(ts.fe.panels[1], QStringLiteral("Com3"));
    EXPECT_EQ(ts.fe.panels[2], QStringLiteral("9600"));

    selectDemoMode(s);
    EXPECT_EQ(ts.fe.panels[1], QStringLiteral("Demo"));
    EXPECT_EQ(ts.fe.panels[2], QStringLiteral("mode"));
    EXPECT_EQ(ChcSpd(s, 4), 0);
    EXPECT_EQ(s.settings.baudIdx, 4);
    EXPECT_TRUE(port->sent.isEmpty());
}
