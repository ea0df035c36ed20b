#pragma once
// The options zelvor-cli knows: their kind and what their value looks like. Which verb takes
// which option is said in the verb table.

#include <QString>

namespace zelvor::cli {

enum class OptKind {
    Flag,   // no value
    Text,   // any value (a file, a folder, a port)
    Hex,    // hexadecimal digits, at most `digits`
    Number, // a decimal number
    Choice, // one of the words of `arg` ("bin|hex"), any case
    List,   // words of `arg` ("data,config") joined by commas, any case
};

struct OptionSpec {
    const char* name; // without the dashes; -o is "o"
    OptKind kind;
    const char* arg;     // the value as --help shows it
    int digits = 0;      // Hex: the most digits
    bool global = false; // taken by every verb
};

// The option of that name (aliases resolved: --out is -o), or nullptr.
const OptionSpec* findOption(const QString& name);

// Checks a value against its option; the value in lower case for Choice and List, or an
// empty QString with `error` set.
QString checkOptionValue(const OptionSpec& spec, const QString& value, QString& error);

// "--name ARG" or "-o FILE" as --help shows it.
QString optionSynopsis(const OptionSpec& spec);

} // namespace zelvor::cli
