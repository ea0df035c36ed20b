#pragma once
// What the window benchmarks share: the median of their runs, the offscreen platform unless
// another is set, and a start folder with the shipped lists.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace zelvor::bench {

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Sets the platform to offscreen unless one is set, then copies the lists into `dir`.
inline void prepareWindowRun(const QTemporaryDir& dir) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
        QFile::copy(QStringLiteral(ZELVOR_SOURCE_DIR "/data/") + QLatin1String(f),
                    dir.filePath(QLatin1String(f)));
}

} // namespace zelvor::bench
