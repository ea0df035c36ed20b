#include "buffer/RecentFiles.h"
#include "buffer/FilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelvor {

namespace {

const QByteArray kFolderKey = QByteArrayLiteral("folder=");
const QByteArray kFileKey = QByteArrayLiteral("file=");

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

int readFileHistory(const QString& path, FileHistory& h, int& line) {
    h = FileHistory{};
    line = 0;
    QFile f(path);
    if (!pathExists(path)) return RecentOk;
    if (!f.open(QIODevice::ReadOnly)) {
        h.kept = false;
        return RecentUnreadable;
    }
    const QByteArray all = f.read(kRecentFileBytes + 1);
    if (all.size() > kRecentFileBytes) {
        h.kept = false;
        return RecentDamaged;
    }
    FileHistory read;
    const QList<QByteArray> lines = all.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray l = lines[i];
        if (l.endsWith('\r')) l.chop(1);
        if (l.isEmpty()) continue;
        const bool folder = l.startsWith(kFolderKey);
        const bool file = l.startsWith(kFileKey);
        const QByteArray value = l.mid(folder ? kFolderKey.size() : kFileKey.size());
        if ((!folder && !file) || value.isEmpty() || value.contains('\0')) {
            h.kept = false;
            line = int(i + 1);
            return RecentDamaged;
        }
        if (folder)
            read.folder = pathFromNative(value);
        else if (read.recent.size() < kRecentFiles && !read.recent.contains(pathFromNative(value)))
            read.recent << pathFromNative(value);
    }
    h = read;
    return RecentOk;
}

int writeFileHistory(const QString& path, const FileHistory& h) {
    if (!h.kept) return RecentOk;
    QByteArray data;
    if (!h.folder.isEmpty()) data += kFolderKey + nativePath(h.folder) + "\r\n";
    for (const QString& file : h.recent)
        data += kFileKey + nativePath(file) + "\r\n";
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size()) return RecentUnwritten;
    return f.commit() ? RecentOk : RecentUnwritten;
}

void rememberFile(FileHistory& h, const QString& path) {
    const QString file = absolute(path);
    rememberFolder(h, file);
    // A name with a line break cannot be kept one to a line.
    if (file.contains(QLatin1Char('\n')) || file.contains(QLatin1Char('\r'))) return;
    h.recent.removeAll(file);
    h.recent.prepend(file);
    while (h.recent.size() > kRecentFiles)
        h.recent.removeLast();
}

void rememberFolder(FileHistory& h, const QString& path) {
    h.folder = QFileInfo(absolute(path)).path();
}

void forgetRecentFile(FileHistory& h, int index) {
    if (index >= 0 && index < h.recent.size()) h.recent.removeAt(index);
}

} // namespace zelvor
