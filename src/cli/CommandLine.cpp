#include "CommandLine.h"

#include "Options.h"

namespace zelvor::cli {

namespace {

bool verbTakes(const Verb& verb, const QString& name) {
    return QString::fromLatin1(verb.options).split(QLatin1Char(' ')).contains(name);
}

} // namespace

const Verb* findVerb(const QString& name) {
    for (const Verb* v = verbTable(); v->name; ++v)
        if (name == QLatin1String(v->name)) return v;
    return nullptr;
}

int parseCommandLine(const QStringList& argv, CommandLine& out, QString& error) {
    out = CommandLine{};
    QStringList positional;
    QStringList order; // options in the order given, for the verb check
    bool optionsEnded = false;
    for (int i = 0; i < argv.size(); ++i) {
        const QString& a = argv[i];
        if (optionsEnded || a.size() < 2 || !a.startsWith(QLatin1Char('-'))) {
            positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name;
        QString inlineValue;
        bool hasInline = false;
        if (a == QLatin1String("-o")) {
            name = QStringLiteral("o");
        } else if (a.startsWith(QLatin1String("--"))) {
            name = a.mid(2);
            const qsizetype eq = name.indexOf(QLatin1Char('='));
            if (eq >= 0) {
                inlineValue = name.mid(eq + 1);
                name.truncate(eq);
                hasInline = true;
            }
        }
        const OptionSpec* spec = name.isEmpty() ? nullptr : findOption(name);
        if (!spec) {
            error = QStringLiteral("unknown option %1").arg(a.section(QLatin1Char('='), 0, 0));
            return Usage;
        }
        const QString key = QLatin1String(spec->name);
        const QString shown = optionSynopsis(*spec).section(QLatin1Char(' '), 0, 0);
        if (out.opts.contains(key)) {
            error = QStringLiteral("%1 is given more than once").arg(shown);
            return Usage;
        }
        QString value;
        if (spec->kind == OptKind::Flag) {
            if (hasInline) {
                error = QStringLiteral("%1 takes no value").arg(shown);
                return Usage;
            }
        } else if (hasInline) {
            value = inlineValue;
        } else if (i + 1 < argv.size()) {
            value = argv[++i];
        } else {
            error = QStringLiteral("%1 needs a value").arg(shown);
            return Usage;
        }
        const QString checked = checkOptionValue(*spec, value, error);
        if (checked.isEmpty()) return Usage;
        out.opts.insert(key, checked);
        order << key;
    }
    if (out.opts.contains(QStringLiteral("help"))) {
        out.verb = positional.isEmpty() ? nullptr : findVerb(positional.first());
        return Ok;
    }
    if (positional.isEmpty()) {
        error = QStringLiteral("no verb given (see --help)");
        return Usage;
    }
    const QString verbName = positional.takeFirst();
    out.verb = findVerb(verbName);
    if (!out.verb) {
        error = QStringLiteral("unknown verb %1 (see --help)").arg(verbName);
        return Usage;
    }
    for (const QString& key : order) {
        const OptionSpec* spec = findOption(key);
        if (spec->global || verbTakes(*out.verb, key)) continue;
        error = QStringLiteral("%1 does not take %2")
                    .arg(verbName, optionSynopsis(*spec).section(QLatin1Char(' '), 0, 0));
        return Usage;
    }
    out.args = positional;
    return Ok;
}

QString verbOptionsText(const Verb& verb) {
    QStringList parts;
    for (const QString& name :
         QString::fromLatin1(verb.options).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (const OptionSpec* spec = findOption(name))
            parts << QLatin1Char('[') + optionSynopsis(*spec) + QLatin1Char(']');
    return parts.join(QLatin1Char(' '));
}

} // namespace zelvor::cli
