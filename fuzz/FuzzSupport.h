#pragma once
// What the fuzz targets share: a session with a silent front end, and the split of raw
// bytes into text lines as the program's list readers do it.

#include "app/Session.h"
#include "app/TextFile.h"

#include <QByteArray>
#include <QStringList>

namespace zelvor::fuzz {

class SilentFrontEnd : public FrontEnd {
  public:
    void statusMessage(const QString&) override {}
    void messageBox(const QString&, Icon) override {}
    Answer question(const QString&) override { return Answer::No; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class StillClock : public Clock {
  public:
    qint64 nowMs() override { return 0; }
    void sleepMs(int) override {}
};

struct FuzzSession {
    SilentFrontEnd fe;
    StillClock clock;
    Session s{fe, clock};
};

inline QStringList splitLines(const uint8_t* data, size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const char c = all[i];
        if (c == '\r' || c == '\n') {
            lines << fromCp1251(all.mid(start, i - start));
            if (c == '\r' && i + 1 < all.size() && all[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < all.size()) lines << fromCp1251(all.mid(start));
    return lines;
}

} // namespace zelvor::fuzz
