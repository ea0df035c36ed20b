#include "buffer/FilePath.h"
#include "buffer/FileCodes.h"

#include <QFileInfo>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zelvor {

namespace {

// Length of the valid UTF-8 sequence at p[0..n), or 0.
int utf8Length(const unsigned char* p, qsizetype n) {
    const unsigned c = p[0];
    const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || len > n) return 0;
    if (len == 1) return 1;
    char32_t cp = c & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

QString pathFromNative(const QByteArray& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype run = 0; // start of the valid run not yet converted
    qsizetype i = 0;
    while (i < n) {
        const int len = utf8Length(p + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QString::fromUtf8(bytes.constData() + run, i - run);
        out += QChar(char16_t(0xDC00 + p[i]));
        run = ++i;
    }
    out += QString::fromUtf8(bytes.constData() + run, n - run);
    return out;
}

QByteArray nativePath(const QString& path) {
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        const bool escaped =
            u >= 0xDC80 && u <= 0xDCFF && (i == 0 || !path[i - 1].isHighSurrogate());
        if (!escaped) continue;
        out += QStringView(path).mid(run, i - run).toUtf8();
        out += char(u - 0xDC00);
        run = i + 1;
    }
    out += QStringView(path).mid(run).toUtf8();
    return out;
}

int openForReading(QFile& f, const QString& path, QIODevice::OpenMode extra) {
#if defined(Q_OS_UNIX)
    int fd;
    do {
        fd = ::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno == EACCES || errno == EPERM ? FileUnreadable : FileNotFound;
    if (!f.open(fd, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileNotFound;
    }
    return FileOk;
#else
    f.setFileName(path);
    if (f.open(QIODevice::ReadOnly | extra)) return FileOk;
    return QFileInfo::exists(path) ? FileUnreadable : FileNotFound;
#endif
}

bool pathExists(const QString& path) {
#if defined(Q_OS_UNIX)
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
#else
    return QFileInfo::exists(path);
#endif
}

bool isRegularFile(const QFile& f) {
#if defined(Q_OS_UNIX)
    struct stat st;
    return ::fstat(f.handle(), &st) == 0 && S_ISREG(st.st_mode);
#else
    return !f.isSequential();
#endif
}

} // namespace zelvor
