#include "program/FileCommands.h"
#include "app/Messenger.h"
#include "buffer/BufferFiles.h"
#include "buffer/FileFormat.h"
#include "buffer/FilePath.h"
#include "buffer/RecentFiles.h"
#include "program/Commands.h"

#include <QDir>
#include <QFileInfo>

namespace zelvor {

namespace {

void keepHistory(Session& s) {
    FileHistory& h = s.run.files;
    if (writeFileHistory(fileHistoryPath(s), h) != RecentOk) {
        // Said once; the list still works for this run.
        h.kept = false;
        ShowMessageS(s, s.text(msg::FileWriteError).arg(fileHistoryPath(s)));
    }
}

// After a load or save that succeeded: the file is the buffer's and the newest recent one.
void fileUsed(Session& s, const QString& path) {
    rememberFile(s.run.files, path);
    s.run.files.current = s.run.files.recent.value(0, QFileInfo(path).absoluteFilePath());
    keepHistory(s);
    s.fe.changed(ChangeBufferLabels);
}

// After a load or save that ran: a file loaded or saved is remembered; else its folder.
[[nodiscard]] int fileCommandDone(Session& s, int rc, const QString& path) {
    if (rc == kCommandRefused) return rc;
    if (rc == FileOk)
        fileUsed(s, path);
    else {
        rememberFolder(s.run.files, path);
        keepHistory(s);
    }
    return rc;
}

} // namespace

QString fileHistoryPath(const Session& s) {
    return QDir(s.run.startDir).filePath(QStringLiteral("zelvor.recent"));
}

void startFileHistory(Session& s) {
    int line = 0;
    const QString path = fileHistoryPath(s);
    const int rc = readFileHistory(path, s.run.files, line);
    if (rc == RecentDamaged)
        ShowMessageS(s, s.text(msg::RecentDamaged).arg(path).arg(line));
    else if (rc == RecentUnreadable)
        ShowMessageS(s, s.text(msg::RecentUnreadable).arg(path));
}

QString fileDialogFolder(const Session& s) {
    const QString& folder = s.run.files.folder;
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : s.run.startDir;
}

int openChosenFile(Session& s, const QString& path) {
    return fileCommandDone(s, loadFile(s, path), path);
}

int openNamedFile(Session& s, const QString& path) {
    if (s.op.busy) return loadFile(s, path); // refused with its message
    const int format = formatByName(path);
    if (format == FormatBin && s.settings.fileFmt != FormatBin) chooseBinFormat(s);
    if (format == FormatHex && s.settings.fileFmt != FormatHex) chooseHexFormat(s);
    return openChosenFile(s, path);
}

int openRecentFile(Session& s, int index) {
    FileHistory& h = s.run.files;
    if (index < 0 || index >= h.recent.size()) return 0;
    const QString path = h.recent[index];
    if (!s.op.busy && !pathExists(path)) {
        forgetRecentFile(h, index);
        keepHistory(s);
        ShowMessageS(s, s.text(msg::FileNotFound).arg(path) + s.text(msg::RecentDropped));
        return FileNotFound;
    }
    return openNamedFile(s, path);
}

int saveChosenFile(Session& s, const QString& path) {
    return fileCommandDone(s, saveFileAs(s, path), path);
}

void followImageChange(Session& s, unsigned what) {
    if (what & ChangeBufferReplaced) s.run.files.current.clear();
}

QString windowCaption(const Session& s) {
    const QString& file = s.run.files.current;
    if (file.isEmpty()) return QStringLiteral("Zelvor");
    return QFileInfo(file).fileName() + QStringLiteral(" - Zelvor");
}

} // namespace zelvor
