#pragma once
// The command line of zelvor-cli taken apart and checked before anything starts: every
// option known, given once, with a value of its kind, and taken by the verb (or by every
// verb). Options may stand anywhere; `--` ends them; `--name=value` is `--name value`.

#include "Verbs.h"

#include <QHash>
#include <QStringList>

namespace zelvor::cli {

struct CommandLine {
    const Verb* verb = nullptr;
    QStringList args;             // positional arguments after the verb
    QHash<QString, QString> opts; // checked values (flags "1"); "o" for -o and --out
};

// Ok, or Usage with `error` saying what is wrong. With --help the verb may be missing.
[[nodiscard]] int parseCommandLine(const QStringList& argv, CommandLine& out, QString& error);

const Verb* findVerb(const QString& name);

// The options a verb takes, as --help shows them.
QString verbOptionsText(const Verb& verb);

} // namespace zelvor::cli
