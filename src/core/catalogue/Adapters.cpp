#include "catalogue/Adapters.h"

#include "app/TextFile.h"

#include <QDir>

#include <algorithm>

namespace zelvor {

int AdapterRead(Session& s, const QString& path) {
    s.adapterLines.clear();
    const auto lines = readTextLines(path, 1024 * 1024);
    if (!lines) return -1;
    s.adapterLines = lines->mid(0, kAdapterCodes);
    return int(s.adapterLines.size());
}

void loadAdapters(Session& s, const QString& dir) {
    (void)AdapterRead(s, QDir(dir).filePath(QLatin1String(kAdapterFile)));
}

QStringList AdapterSet(const QString& line) {
    QStringList items;
    QString rest = line.left(45);
    for (qsizetype semi; (semi = rest.indexOf(u';')) >= 0;) {
        items << rest.left(semi);
        rest = rest.mid(semi + 1);
    }
    // The last item needs a blank after it; one that runs to the end is dropped.
    const qsizetype blank = rest.indexOf(u' ');
    if (blank > 0) items << rest.left(blank);
    return items;
}

QStringList adapterItems(const Session& s, int code) {
    if (code < 0 || code >= kAdapterCodes || code >= s.adapterLines.size()) return {};
    return AdapterSet(s.adapterLines[code]);
}

QStringList AdapterShow(const Session& s) {
    QStringList items = adapterItems(s, s.rom.adapter);
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return items;
}

std::array<QString, 3> AdapterSetV(const Session& s, int baseIndex) {
    std::array<QString, 3> labels;
    if (!s.base.valid(baseIndex)) return labels;
    const QStringList items = adapterItems(s, s.base.at(baseIndex).baseAdapter());
    for (int i = 0; i < 3 && i < items.size(); ++i)
        labels[size_t(i)] = items[i];
    return labels;
}

} // namespace zelvor
