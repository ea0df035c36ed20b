// zelvor-cli: the program's core driven from a console, for scripts and automation.

#include "CliContext.h"
#include "ConsoleFrontEnd.h"
#include "Verbs.h"
#include "app/HexText.h"
#include "program/Startup.h"
#include "journal/Journal.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <unistd.h>

using namespace zelvor;
using namespace zelvor::cli;

namespace {

const QStringList kFlags = {"demo", "journal", "yes", "no", "help", "quiet"};

void printHelp(QTextStream& out) {
    out << "usage: zelvor-cli [--port COM1..COM4|DEVICE] [--baud 9600|57600|115200|230400|460800]\n"
           "                  [--demo] [--lang ru|en] [--dir DIR] [--yes|--no] VERB [ARGS] "
           "[OPTIONS]\n\n"
           "verbs:\n";
    for (const Verb* v = verbTable(); v->name; ++v)
        out << "  " << v->help << '\n';
    out << "\nCHIP: a catalogue part name (case-insensitive), MAKER/PART where a name repeats,\n"
           "      or base:NAME for a base type of prgplus.lst\n";
    out << "\noptions of chip verbs: --start HEX --end HEX --area code|data|config --format "
           "bin|hex\n"
           "                       --offset HEX --journal -o FILE\n"
           "exit status: 0 success, 1 the operation failed, 2 usage error\n";
    out.flush();
}

int baudCode(const QString& text) {
    static const QHash<QString, int> codes = {
        {"9600", 0}, {"57600", 1}, {"115200", 2}, {"230400", 4}, {"460800", 8}};
    return codes.value(text, -1);
}

} // namespace

bool CliContext::hexOpt(const QString& name, quint32& value) const {
    if (!has(name)) return true;
    const HexValue v = Str_hex(opt(name));
    if (v.error || opt(name).isEmpty() || opt(name).size() > 7) {
        err << "zelvor-cli: --" << name << " needs a hexadecimal value of up to 7 digits"
            << Qt::endl;
        return false;
    }
    value = v.value;
    return true;
}

int CliContext::usage(const QString& message) const {
    err << "zelvor-cli: " << message << Qt::endl;
    return Usage;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QHash<QString, QString> opts;
    QStringList positional;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-o") || (a.startsWith(QLatin1String("--")) && a.size() > 2)) {
            const QString name = a == QLatin1String("-o") ? QStringLiteral("o") : a.mid(2);
            if (kFlags.contains(name)) {
                opts.insert(name, QStringLiteral("1"));
            } else if (i + 1 < args.size()) {
                opts.insert(name, args[++i]);
            } else {
                err << "zelvor-cli: option " << a << " needs a value" << Qt::endl;
                return Usage;
            }
        } else {
            positional << a;
        }
    }
    if (opts.contains("help") || positional.isEmpty()) {
        printHelp(opts.contains("help") ? out : err);
        return opts.contains("help") ? Ok : Usage;
    }

    const QString verbName = positional.takeFirst();
    const Verb* verb = nullptr;
    for (const Verb* v = verbTable(); v->name; ++v)
        if (verbName == QLatin1String(v->name)) verb = v;
    if (!verb) {
        err << "zelvor-cli: unknown verb " << verbName << " (see --help)" << Qt::endl;
        return Usage;
    }

    int speed = -1;
    if (opts.contains("baud") && (speed = baudCode(opts.value("baud"))) < 0) {
        err << "zelvor-cli: --baud takes 9600, 57600, 115200, 230400 or 460800" << Qt::endl;
        return Usage;
    }
    if (opts.contains("lang") && opts.value("lang") != "ru" && opts.value("lang") != "en") {
        err << "zelvor-cli: --lang takes ru or en" << Qt::endl;
        return Usage;
    }

    ConsoleFrontEnd fe(out, err);
    fe.interactive = isatty(0) && !opts.contains("yes") && !opts.contains("no");
    if (opts.contains("no")) fe.defaultAnswer = FrontEnd::Answer::No;
    fe.showProgress = !opts.contains("quiet");
    SystemClock clock;
    Session s(fe, clock);

    // The port: COM1..COM4 as mapped, or a device path given directly.
    bool comChosen = false;
    if (opts.contains("port")) {
        const QString p = opts.value("port");
        const QString up = p.toUpper();
        if (up.size() == 4 && up.startsWith("COM") && up[3] >= '1' && up[3] <= '4') {
            comChosen = true;
        } else {
            s.portOverride = p;
        }
    }

    const StartupHooks hooks = defaultStartupHooks();
    const QString dir = opts.value("dir", QDir::currentPath());
    // The settings may name a port: a port on the command line wins.
    StartupHooks startHooks = hooks;
    if (comChosen) {
        const quint16 port = quint16(opts.value("port").mid(3).toInt() - 1);
        auto reopen = hooks.reopenPort;
        startHooks.reopenPort = [reopen, port](Session& ss) {
            ss.settings.comPort = port;
            if (reopen) reopen(ss);
        };
    }
    if (opts.contains("demo")) {
        // Demo mode: nothing is opened; every exchange succeeds.
        startHooks.reopenPort = nullptr;
        startHooks.changeSpeed = nullptr;
    }
    Startup(s, startHooks, dir, verb->needsLink);
    if (opts.contains("lang")) s.settings.english = opts.value("lang") == "en" ? 1 : 0;
    if (opts.contains("demo")) s.link.demoMode = 1;
    if (verb->needsLink && speed >= 0 && !opts.contains("demo") && hooks.changeSpeed)
        hooks.changeSpeed(s, speed);

    // --journal: every status message of the run also goes to zelvor.log here.
    if (opts.contains("journal")) openJournal(s, QDir::currentPath());
    CliContext ctx{s, fe, hooks, positional, opts, out, err};
    const int rc = verb->run(ctx);

    // The CLI never writes zelvor.cfg; it only puts the programmer back to 9600.
    if (verb->needsLink && s.settings.baudIdx >= 1 && s.link.demoMode == 0 && hooks.sendMode) {
        s.op.opCode = 4;
        s.settings.baudIdx = 0;
        (void)hooks.sendMode(s);
    }
    closeJournal(s);
    out.flush();
    err.flush();
    return rc;
}
