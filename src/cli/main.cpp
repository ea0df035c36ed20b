// zelvor-cli: the program's core driven from a console, for scripts and automation.

#include "CliContext.h"
#include "CommandLine.h"
#include "ConsoleFrontEnd.h"
#include "Verbs.h"
#include "app/HexText.h"
#include "buffer/FilePath.h"
#include "journal/Journal.h"
#include "link/PortMap.h"
#include "program/Program.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <unistd.h>

using namespace zelvor;
using namespace zelvor::cli;

namespace {

void printHelp(QTextStream& out) {
    out << "usage: zelvor-cli [--port COM1..COM4|DEVICE] [--baud 9600|57600|115200|230400|460800]\n"
           "                  [--demo] [--lang ru|en] [--dir DIR] [--yes|--no] [--quiet] "
           "[--journal]\n"
           "                  VERB [ARGS] [OPTIONS]\n\n"
           "verbs and the options each takes:\n";
    for (const Verb* v = verbTable(); v->name; ++v) {
        out << "  " << v->help << '\n';
        const QString opts = verbOptionsText(*v);
        if (!opts.isEmpty()) out << "      " << opts << '\n';
    }
    out << "\nCHIP: a catalogue part name (case-insensitive), MAKER/PART where a name repeats,\n"
           "      or base:NAME for a base type of prgplus.lst\n"
           "FILE formats: --format bin|hex (any case) wins over the name; else .bin is BIN,\n"
           "      .hex, .ihx and .ihex are Intel HEX; else a file whose first line is a HEX\n"
           "      record is read as HEX\n"
           "--start/--end: page numbers for page-addressed Flash, else byte addresses, as the\n"
           "      address dialog takes them; --with data,config adds the PIC data memory and\n"
           "      configuration to read, write, verify and auto\n"
           "an option a verb does not take, an unknown or a repeated option is a usage error\n"
           "exit status: 0 success, 1 the operation failed, 2 usage error\n";
    out.flush();
}

int baudCode(const QString& text) {
    static const QHash<QString, int> codes = {
        {"9600", 0}, {"57600", 1}, {"115200", 2}, {"230400", 4}, {"460800", 8}};
    return codes.value(text, -1);
}

// The arguments with the bytes of each kept (file names need not be valid UTF-8).
QStringList nativeArguments(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << pathFromNative(QByteArray(argv[i]));
    return args;
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

    const QStringList args = nativeArguments(argc, argv);
    CommandLine cl;
    QString error;
    if (parseCommandLine(args, cl, error) != Ok) {
        err << "zelvor-cli: " << error << Qt::endl;
        const Verb* v = nullptr;
        for (int i = 0; i < args.size() && !v; ++i)
            v = findVerb(args[i]);
        if (v)
            err << "usage: zelvor-cli " << QString::fromLatin1(v->help).section("  ", 0, 0) << ' '
                << verbOptionsText(*v) << Qt::endl;
        else
            err << "see zelvor-cli --help" << Qt::endl;
        return Usage;
    }
    const QHash<QString, QString>& opts = cl.opts;
    if (opts.contains("help")) {
        printHelp(out);
        return Ok;
    }
    const Verb* verb = cl.verb;
    const int speed = opts.contains("baud") ? baudCode(opts.value("baud")) : -1;

    ConsoleFrontEnd fe(out, err);
    fe.interactive = isatty(0) && !opts.contains("yes") && !opts.contains("no");
    if (opts.contains("no")) fe.defaultAnswer = FrontEnd::Answer::No;
    fe.showProgress = !opts.contains("quiet");
    SystemClock clock;
    Session s(fe, clock);

    StartOptions start;
    start.startDir = opts.value("dir");
    start.port = opts.value("port");
    start.demo = opts.contains("demo");
    start.speedCode = verb->needsLink ? speed : -1;
    if (opts.contains("lang")) start.english = opts.value("lang") == "en" ? 1 : 0;
    start.openLink = verb->needsLink;
    start.writesSettings = false; // the command line reads zelvor.cfg but never writes it
    startProgram(s, start);

    // --journal: every status message of the run also goes to zelvor.log here.
    if (opts.contains("journal")) openJournal(s, QDir::currentPath());
    CliContext ctx{s, fe, cl.args, opts, out, err};
    const int rc = verb->run(ctx);
    // A port that could not be opened: the link error above, and which device it was.
    if (rc == Failed && verb->needsLink && s.link.demoMode == 0 && s.link.portFailed == 1) {
        out.flush();
        err << "zelvor-cli: cannot open the port " << portDevice(s, s.settings.comPort) << Qt::endl;
    }

    // The programmer back to 9600, the journal and the port closed.
    stopProgram(s);
    out.flush();
    err.flush();
    return rc;
}
