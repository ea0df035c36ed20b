#include "CliProcess.h"

#include <QProcess>

namespace zelvor::test {

void copyCliStartFiles(const TestDir& dir) {
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        dir.copyData(f);
}

int runCli(const TestDir& dir, const std::string& port, const QStringList& args, QString* out) {
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(ZELVOR_BINARY_DIR "/src/cli/zelvor-cli"),
            QStringList{"--port", QString::fromStdString(port), "--dir", dir.path(), "--quiet"} +
                args);
    if (!p.waitForFinished(60000)) return -1;
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitCode();
}

} // namespace zelvor::test
