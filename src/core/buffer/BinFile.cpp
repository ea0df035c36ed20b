#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"
#include "buffer/FilePath.h"
#include "buffer/SaveTarget.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#if defined(Q_OS_UNIX)
#include <sys/uio.h>
#endif

namespace zelvor {

namespace {

// Bytes of page k that an image of `size` bytes covers.
qint64 pageBytes(qint64 size, size_t k) {
    return std::min<qint64>(RomBuf::kPage, size - qint64(k) * RomBuf::kPage);
}

// Adds the bytes from..to-1 of the pages to `sum`.
void addUp(const std::vector<RomBuf::Block>& pages, qint64 from, qint64 to, quint32& sum) {
    while (from < to) {
        const qint64 at = from % RomBuf::kPage;
        const qint64 len = std::min(to - from, RomBuf::kPage - at);
        sum += byteSum(pages[size_t(from / RomBuf::kPage)].get() + at, len);
        from += len;
    }
}

// Reads up to `want` bytes from `offset` on into the pages and adds them to `sum` while they
// are fresh in the cache. Returns the bytes read (less at the end of the file) or -1.
qint64 readInto(QFile& f, qint64 offset, std::vector<RomBuf::Block>& pages, qint64 want,
                quint32& sum) {
    qint64 done = 0;
#if defined(Q_OS_UNIX)
    // Straight into the pages, a few hundred pages a call.
    const int fd = f.handle();
    constexpr int kPagesPerCall = 256;
    iovec iov[kPagesPerCall];
    while (done < want) {
        const size_t first = size_t(done / RomBuf::kPage);
        const qint64 ofs = done % RomBuf::kPage;
        int n = 0;
        for (size_t k = first; k < pages.size() && n < kPagesPerCall; ++k, ++n) {
            const qint64 skip = k == first ? ofs : 0;
            iov[n].iov_base = pages[k].get() + skip;
            iov[n].iov_len = size_t(pageBytes(want, k) - skip);
        }
        const ssize_t r = ::preadv(fd, iov, n, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (r == 0) break;
        addUp(pages, done, done + r, sum);
        done += r;
    }
    return done;
#else
    if (!f.seek(offset)) return -1;
    while (done < want) {
        const size_t k = size_t(done / RomBuf::kPage);
        const qint64 ofs = done % RomBuf::kPage;
        const qint64 r =
            f.read(reinterpret_cast<char*>(pages[k].get() + ofs), pageBytes(want, k) - ofs);
        if (r < 0) return -1;
        if (r == 0) break;
        addUp(pages, done, done + r, sum);
        done += r;
    }
    return done;
#endif
}

// Gives the image the `got` bytes read into `pages`; the rest of the last page is erased.
int finishImage(std::vector<RomBuf::Block>& pages, qint64 got, LoadedImage& out) {
    if (got == 0) return FileEmpty;
    pages.resize(size_t((got + RomBuf::kPage - 1) / RomBuf::kPage));
    // Only the bytes the file does not cover are erased.
    for (size_t k = 0; k < pages.size(); ++k) {
        quint8* b = pages[k].get();
        std::fill(b + pageBytes(got, k), b + RomBuf::kAlloc, quint8(0xFF));
    }
    out.blocks = std::move(pages);
    out.size = got;
    return FileOk;
}

// A pipe or a device has no size beforehand: it is read to its end, a page at a time,
// after skipping `offset` bytes.
int readStream(QFile& f, qint64 offset, LoadedImage& out) {
    char sink[RomBuf::kPage];
    for (qint64 skipped = 0; skipped < offset;) {
        const qint64 r = f.read(sink, std::min<qint64>(RomBuf::kPage, offset - skipped));
        if (r < 0) return FileReadFailed;
        if (r == 0) return FileEmpty;
        skipped += r;
    }
    std::vector<RomBuf::Block> pages;
    qint64 got = 0;
    for (;;) {
        const size_t k = size_t(got / RomBuf::kPage);
        if (k == pages.size()) pages.push_back(allocatePage(RomBuf::kAlloc));
        const qint64 ofs = got % RomBuf::kPage;
        const qint64 r = f.read(reinterpret_cast<char*>(pages[k].get() + ofs), RomBuf::kPage - ofs);
        if (r < 0) return FileReadFailed;
        if (r == 0) break;
        got += r;
        if (got > kMaxImageBytes) return FileTooLarge;
    }
    return finishImage(pages, got, out);
}

} // namespace

int readBinImage(const QString& path, qint64 offset, LoadedImage& out) {
    QFile f;
    const int opened = openForReading(f, path, QIODevice::Unbuffered);
    if (opened != FileOk) return opened;
    offset = std::max<qint64>(offset, 0);
    if (!isRegularFile(f)) return readStream(f, offset, out);
    const qint64 avail = f.size() - offset;
    if (avail <= 0) return FileEmpty;
    if (avail > kMaxImageBytes) return FileTooLarge;

    // The image takes the size the file has now; pages for all of it come in one run where
    // possible, and the file is read straight into them.
    const size_t count = size_t((avail + RomBuf::kPage - 1) / RomBuf::kPage);
    std::vector<RomBuf::Block> pages = allocatePageRun(count, RomBuf::kAlloc);
    if (pages.empty()) {
        pages.reserve(count);
        for (size_t k = 0; k < count; ++k)
            pages.push_back(allocatePage(RomBuf::kAlloc));
    }
    quint32 sum = 0;
    const qint64 got = readInto(f, offset, pages, avail, sum);
    if (got < 0) return FileReadFailed;
    // A file that shrank while being read gives what it still had.
    const int code = finishImage(pages, got, out);
    out.summed = code == FileOk;
    out.sum = sum;
    return code;
}

int LoadBin(Session& s, const QString& path) {
    LoadedImage img;
    const int code = readBinImage(path, s.buf.fileOffset, img);
    if (code != FileOk) {
        reportLoadError(s, code, path);
        return code;
    }
    installImage(s, std::move(img), path);
    return FileOk;
}

int SaveBin(const Session& s, const QString& path) {
    SaveTarget target(path);
    if (target.open() != FileOk) return FileCreateFailed;
    QIODevice& f = target.device();
    const RomBuf& buf = s.buf;
    const bool swap = swapsWords(s);
    quint8 tmp[RomBuf::kPage];
    const int n = buf.pageCount();
    for (int k = 0; k < n; ++k) {
        const qint64 len = k + 1 < n
                               ? RomBuf::kPage
                               : std::clamp<qint64>(qint64(buf.size) - qint64(k) * RomBuf::kPage, 0,
                                                    RomBuf::kPage);
        const quint8* src = buf.blocks[size_t(k)].get();
        if (swap) {
            std::memcpy(tmp, src, RomBuf::kPage);
            swapPairs(tmp, swapBytesOfPage(s, k));
            src = tmp;
        }
        if (len > 0 && f.write(reinterpret_cast<const char*>(src), len) != len)
            return FileWriteFailed; // the target drops what was written
    }
    return target.commit();
}

} // namespace zelvor
