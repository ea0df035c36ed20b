#pragma once
// The verbs of zelvor-cli. Each lives in its own Verb*.cpp; the table is in VerbTable.cpp.

#include "CliContext.h"

namespace zelvor::cli {

struct Verb {
    const char* name;
    int (*run)(CliContext&);
    bool needsLink;    // talks to the programmer: the port is opened
    const char* help;  // one line for --help
};

// The table of verbs, ended by an entry with a null name.
const Verb* verbTable();

// Declarations, one per verb.
int verbInfo(CliContext& c);
int verbPorts(CliContext& c);
int verbRead(CliContext& c);
int verbWrite(CliContext& c);
int verbVerify(CliContext& c);
int verbErase(CliContext& c);
int verbBlank(CliContext& c);
int verbConvert(CliContext& c);
int verbChecksum(CliContext& c);

} // namespace zelvor::cli
