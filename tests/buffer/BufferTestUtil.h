#pragma once
// Helpers of the buffer tests: images put straight into the buffer, pattern bytes, files.

#include "TestSession.h"

#include <QByteArray>
#include <QString>

namespace zelvor::test {

// Replaces the buffer with `bytes` the way a load leaves it (pages, size, lastLen).
void setImage(Session& s, const QByteArray& bytes);
// The first `n` bytes of the buffer (0xFF where no page exists).
QByteArray imageBytes(const Session& s, qint64 n = -1);
// Bytes with a pattern that tells positions apart.
QByteArray pattern(qint64 n, quint32 seed = 1);
// Runs a program; the exit status, or -1 when it cannot be started.
int run(const QString& program, const QStringList& args, QByteArray* output = nullptr,
        const QString& workDir = QString());
// True when the program is on the PATH.
bool haveTool(const QString& program);

} // namespace zelvor::test
