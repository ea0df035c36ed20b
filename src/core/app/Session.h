#pragma once
// One program run: the settings, the current chip, the buffer, the operation state, the
// tables and the link, plus the front end and the clock the core talks through. Passed
// by reference to every routine; several sessions may live side by side (tests).

#include "app/Clock.h"
#include "app/FrontEnd.h"
#include "app/Messages.h"
#include "app/Records.h"
#include "app/BaseTable.h"
#include "app/ChipFeatures.h"
#include "app/Catalogue.h"
#include "app/Transport.h"
#include "app/ConfigState.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace zelvor {

struct Session {
    Session(FrontEnd& frontEnd, Clock& clk) : fe(frontEnd), clock(clk) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    FrontEnd& fe;
    Clock& clock;

    PrgSettings settings;
    RomParams rom;
    ChipFeatures feat; // what the chip offers, derived with every chip change
    RomBuf buf;
    OpState op;
    LinkState link;
    RunState run;
    ConfigState cfg; // what the configuration panels show and edit

    BaseTable base;
    Catalogue cat;
    QStringList adapterLines; // prgadapt.lst, line k = adapter code k

    // Device paths of COM1..COM4 (see link/PortMap); `portOverride`, when set, is opened
    // instead of the mapped path (a device given on the command line).
    std::array<QString, 4> portPaths;
    QString portOverride;
    std::unique_ptr<Transport> transport;

    // The journal listens to every status message (installed by the journal when it is on).
    std::function<void(const QString&)> journalSink;

    QString text(const Text& t) const { return QString::fromUtf8(settings.english ? t.en : t.ru); }
};

} // namespace zelvor
