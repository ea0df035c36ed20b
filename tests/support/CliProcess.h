#pragma once
// zelvor-cli run as a program in a test folder, against a virtual programmer's port.

#include "TestDir.h"

#include <QProcess>
#include <QString>
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

// The same with the folder and port as text; stderr too when asked.
inline int runCliOnPort(const QString& dir, const QString& port, const QStringList& args,
                        QString* out = nullptr, QString* err = nullptr) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(ZELVOR_BINARY_DIR "/src/cli/zelvor-cli"),
            QStringList{"--port", port, "--dir", dir, "--quiet"} + args);
    if (!p.waitForFinished(60000)) return -1;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err) *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

} // namespace zelvor::test
