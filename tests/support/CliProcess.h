#pragma once
// Runs the built zelvor-cli in a test folder against a programmer on `port` (quietly: no
// progress on stderr).

#include <QProcess>
#include <QString>
#include <QStringList>

namespace zelvor::test {

// The exit status (-1 when it did not finish within a minute); stdout and stderr when asked.
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
