#include "buffer/SaveTarget.h"
#include "buffer/FileCodes.h"
#include "buffer/FilePath.h"

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelvor {

#if defined(Q_OS_UNIX)

namespace {

// The name a link finally points to; the name itself when it is no link. A dangling link
// gives the name it points to, so the save creates that file.
QByteArray resolveLinks(const QByteArray& name) {
    QByteArray cur = name;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(cur.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return cur;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(cur.constData(), target, sizeof target - 1);
        if (n <= 0) return cur;
        QByteArray next(target, n);
        if (!next.startsWith('/')) {
            const qsizetype slash = cur.lastIndexOf('/');
            if (slash >= 0) next.prepend(cur.left(slash + 1));
        }
        cur = next;
    }
    return cur;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

int SaveTarget::open() {
    final_ = resolveLinks(nativePath(path_));
    struct stat st;
    const bool exists = ::stat(final_.constData(), &st) == 0;
    int fd = -1;
    if (exists && !S_ISREG(st.st_mode)) {
        // A device or a FIFO: written into, never replaced. A FIFO nobody reads is refused
        // at once instead of waiting for a reader.
        direct_ = true;
        fd = ::open(final_.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return FileCreateFailed;
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags != -1) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    } else {
        const qsizetype slash = final_.lastIndexOf('/');
        temp_ = final_.left(slash + 1) + '.' + final_.mid(slash + 1) + ".XXXXXX";
        fd = ::mkstemp(temp_.data());
        if (fd < 0) {
            temp_.clear();
            return FileCreateFailed;
        }
        (void)::fchmod(fd, exists ? (st.st_mode & 07777) : newFileMode());
    }
    if (!file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        cancel();
        return FileCreateFailed;
    }
    return FileOk;
}

int SaveTarget::commit() {
    if (!file_.isOpen()) return FileWriteFailed;
    bool ok = file_.error() == QFileDevice::NoError;
    if (!direct_ && ok) ok = ::fsync(file_.handle()) == 0;
    file_.close();
    if (direct_) return ok ? FileOk : FileWriteFailed;
    if (ok) ok = ::rename(temp_.constData(), final_.constData()) == 0;
    if (!ok) ::unlink(temp_.constData());
    temp_.clear();
    return ok ? FileOk : FileWriteFailed;
}

void SaveTarget::cancel() {
    if (file_.isOpen()) file_.close();
    if (!temp_.isEmpty()) ::unlink(temp_.constData());
    temp_.clear();
}

#else

// Elsewhere QSaveFile writes a temporary file and replaces the target once complete.
int SaveTarget::open() {
    save_.setFileName(path_);
    return save_.open(QIODevice::WriteOnly) ? FileOk : FileCreateFailed;
}

int SaveTarget::commit() {
    return save_.commit() ? FileOk : FileWriteFailed;
}

void SaveTarget::cancel() {
    if (save_.isOpen()) save_.cancelWriting();
}

#endif

} // namespace zelvor
