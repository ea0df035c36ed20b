#include "ProgParamsArgs.h"

#include "catalogue/ProgParamsModel.h"
#include "program/DialogCommands.h"

#include <QStringList>

namespace zelvor::cli {

namespace {

// The option words in the order of the dialog's items.
const QStringList kVppWords{"12.5", "21", "25", "none"};
const QStringList kVccWords{"5", "6", "3"};
const QStringList kAlgWords{"standard", "intelligent", "quick", "polling"};

struct StepWord {
    const char* option; // --steps or --with
    const char* word;
    AutoStep step;
    const char* lacks; // the refusal: what the chip does not offer
};
constexpr StepWord kStepWords[] = {
    {"steps", "erase", AutoStep::Erase, "does not offer the erase step"},
    {"steps", "blank", AutoStep::Blank, "does not offer the blank check step"},
    {"steps", "write", AutoStep::Write, "does not offer the program step"},
    {"steps", "verify", AutoStep::Compare, "does not offer the verify step"},
    {"steps", "lock", AutoStep::Lock, "does not offer the lock step"},
    {"with", "data", AutoStep::Data, "has no data area to include here"},
    {"with", "config", AutoStep::Config, "has no configuration area to include"},
};

} // namespace

int applyProgParams(CliContext& c) {
    const char* voltageOptions[] = {"vpp", "vcc", "alg"};
    bool given = false;
    for (const char* o : voltageOptions)
        given = given || c.has(QLatin1String(o));
    given = given || c.has(QStringLiteral("steps")) || c.has(QStringLiteral("with"));
    if (!given) return Ok;

    ProgParamsModel m(c.s);
    const QString chip = c.s.rom.romName.trimmed();
    using Setter = bool (ProgParamsModel::*)(int);
    const struct {
        const char* option;
        const QStringList& words;
        Setter set;
    } choices[] = {{"vpp", kVppWords, &ProgParamsModel::setVpp},
                   {"vcc", kVccWords, &ProgParamsModel::setVcc},
                   {"alg", kAlgWords, &ProgParamsModel::setAlg}};
    for (const auto& ch : choices) {
        const QString name = QLatin1String(ch.option);
        if (!c.has(name)) continue;
        if (!(m.*ch.set)(int(ch.words.indexOf(c.opt(name)))))
            return c.usage(QStringLiteral("%1 has fixed voltages and algorithm: --%2 is refused")
                               .arg(chip, name));
    }
    // A listed step is switched on, an unlisted one off; a step the chip does not offer
    // can be neither.
    for (const StepWord& w : kStepWords) {
        const QString option = QLatin1String(w.option);
        if (!c.has(option)) continue;
        const bool on = c.opt(option).split(QLatin1Char(',')).contains(QLatin1String(w.word));
        if (m.setStep(w.step, on) || (!on && !m.stepEnabled(w.step))) continue;
        return c.usage(QStringLiteral("%1 %2: --%3 %4 is refused")
                           .arg(chip, QLatin1String(w.lacks), option, QLatin1String(w.word)));
    }
    return acceptProgParams(c.s, m) == 0 ? Ok : Failed;
}

} // namespace zelvor::cli
