#pragma once
// What the operator does to the link: choose a port or the demo mode, change the speed,
// and put the programmer back to 9600 baud when the program closes.

#include "app/Session.h"

namespace zelvor {

// Switches programmer and port to speed code `code` (0 9600, 1 57600, 2 115200, 4 230400,
// 8 460800). Nothing is sent when the code is already in force. When the programmer does
// not take it, the link error is shown and the old code stays. The port is reopened at the
// code now in force and the rate shown. Returns Send_mode's code (0 when nothing was sent).
[[nodiscard]] int ChcSpd(Session& s, int code);

// The port items: leaves demo mode, opens COM1..COM4 (0..3) and shows port and rate (both
// empty when the port cannot be opened). No speed command is sent.
void selectComPort(Session& s, int port);

// The demo item: every exchange succeeds without a port from now on.
void selectDemoMode(Session& s);

// At close: a programmer running faster than 9600 is told to go back to it (its answer is
// not awaited beyond the usual time-outs and not reported), then the port is closed.
void Shutdown_link(Session& s);

} // namespace zelvor
