#include "journal/Journal.h"

#include "app/TextFile.h"

#include <QDir>
#include <QFile>

#include <memory>

namespace zelvor {

namespace {

// The open journal file behind the session's sink. Writes never report or throw: a full
// disk or a vanished file must not disturb the operation whose message is written.
struct JournalFile {
    QFile file;
    bool ok = false;

    void write(const QString& line) {
        if (!ok) return;
        const QByteArray bytes = toCp1251(line) + QByteArrayLiteral("\r\n");
        if (file.write(bytes) != bytes.size() || !file.flush()) ok = false;
    }
};

} // namespace

void openJournal(Session& s, const QString& dir) {
    auto jf = std::make_shared<JournalFile>();
    jf->file.setFileName(QDir(dir).filePath(QLatin1String(kJournalFile)));
    jf->ok = jf->file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    s.journalSink = [jf](const QString& line) { jf->write(line); };
    s.run.logOn = 1;
}

void closeJournal(Session& s) {
    s.run.logOn = 0;
    s.journalSink = nullptr; // the last reference: the file is closed
}

void toggleJournal(Session& s) {
    if (s.run.logOn == 1)
        closeJournal(s);
    else
        openJournal(s, QDir::currentPath());
}

QStringList journalViewLines(const Session& s, int* selected) {
    if (selected) *selected = int(s.run.msgLog.size()) - 1;
    return s.run.msgLog;
}

QString journalViewCaption(const Session& s) {
    return s.text(msg::LogViewCaption);
}

} // namespace zelvor
