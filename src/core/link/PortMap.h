#pragma once
// Which device each of the ports COM1..COM4 opens.
//
// On Windows they are the COM ports of the same names; elsewhere /dev/ttyS0../dev/ttyS3.
// Either can be changed without rebuilding through an optional text file "zelvor.ports" in
// the start directory, one mapping a line:
//
//     # a USB adapter as COM1, the emulator's pseudo-terminal as COM2
//     COM1=/dev/ttyUSB0
//     COM2 = /dev/pts/3
//
// Names are case-insensitive, blanks around them are ignored, lines starting with '#' or
// ';' and empty lines are skipped, and ports the file does not name keep their defaults.
// A device given on the command line (Session::portOverride) is opened whatever port is
// chosen.

#include "app/Session.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zelvor {

inline constexpr char kPortMapFile[] = "zelvor.ports";

using PortPaths = std::array<QString, 4>;

PortPaths defaultPortPaths();

struct PortMapParse {
    PortPaths paths;
    QStringList problems; // one text per line that could not be understood
};

// Applies the lines of a port map on top of `base`.
PortMapParse parsePortMap(const QStringList& lines, const PortPaths& base);

// Sets Session::portPaths to the defaults, then to what `dir`/zelvor.ports says when that
// file exists. Lines that cannot be understood are shown in one message box and skipped.
// Returns the number of such lines.
int loadPortMap(Session& s, const QString& dir);

// The device opened for port `comPort` (0..3 = COM1..COM4; every other value is COM4).
QString portDevice(const Session& s, int comPort);

// "Com1".."Com4" as the status bar shows it.
QString portName(int comPort);

} // namespace zelvor
