#pragma once
// The verbs of zelvor-cli. Each lives in its own Verb*.cpp; the table is in VerbTable.cpp.

#include "CliContext.h"

namespace zelvor::cli {

struct Verb {
    const char* name;
    int (*run)(CliContext&);
    bool needsLink;      // talks to the programmer: the port is opened
    const char* options; // the options it takes besides the global ones, blank-separated
    const char* help;    // its synopsis and one line of what it does, for --help
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
int verbEdit(CliContext& c);
int verbListing(CliContext& c);
int verbFind(CliContext& c);
int verbCrc(CliContext& c);
int verbCompare(CliContext& c);
int verbChips(CliContext& c);
int verbSupportLists(CliContext& c);
int verbId(CliContext& c);
int verbLock(CliContext& c);
int verbX2(CliContext& c);
int verbFuses(CliContext& c);
int verbConfig(CliContext& c);
int verbAuto(CliContext& c);
int verbRepeat(CliContext& c);
int verbBbl(CliContext& c);
int verbSdp(CliContext& c);
int verbRamtest(CliContext& c);
int verbBadblocks(CliContext& c);
int verbFwVersion(CliContext& c);
int verbFwUpdate(CliContext& c);
int verbProgramSwitch(CliContext& c);
int verbSelfTest(CliContext& c);

} // namespace zelvor::cli
