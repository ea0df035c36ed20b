#pragma once
// zelvor-cli run as a program in a test folder, against a virtual programmer's port.

#include "TestDir.h"

#include <QStringList>

#include <string>

namespace zelvor::test {

// Copies the list files the CLI starts with (prgplus.lst, prgadapt.lst, prgpic16.lst,
// prgatmel.lst) into `dir`.
void copyCliStartFiles(const TestDir& dir);

// Runs zelvor-cli in `dir` with --port `port`, --dir and --quiet before `args`; returns
// the exit status (-1 when it does not end within a minute), stdout in `out`.
int runCli(const TestDir& dir, const std::string& port, const QStringList& args,
           QString* out = nullptr);

} // namespace zelvor::test
