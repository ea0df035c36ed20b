#pragma once
// What a verb of zelvor-cli gets: the started session, its arguments and options, and the
// console streams.

#include "ConsoleFrontEnd.h"
#include "app/Session.h"
#include "program/Startup.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zelvor::cli {

enum ExitCode { Ok = 0, Failed = 1, Usage = 2 };

struct CliContext {
    Session& s;
    ConsoleFrontEnd& fe;
    QStringList args;             // positional arguments after the verb
    QHash<QString, QString> opts; // --name value (flags map to "1"); "o" for -o
    QTextStream& out;
    QTextStream& err;

    bool has(const QString& name) const { return opts.contains(name); }
    QString opt(const QString& name, const QString& def = QString()) const {
        return opts.value(name, def);
    }
    // A hexadecimal option; false (with a usage message) when present but not hex.
    bool hexOpt(const QString& name, quint32& value) const;
    // Prints a usage error and returns ExitCode::Usage.
    int usage(const QString& message) const;
};

} // namespace zelvor::cli
