#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <memory>

namespace zelvor {

int readBinImage(const QString& path, qint64 offset, LoadedImage& out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return FileNotFound;
    const qint64 total = f.size();
    const qint64 avail = total - std::max<qint64>(offset, 0);
    if (avail <= 0) return FileEmpty;
    if (avail > kMaxImageBytes) return FileTooLarge;
    if (offset > 0 && !f.seek(offset)) return FileReadFailed;

    LoadedImage img;
    img.blocks.reserve(size_t((avail + RomBuf::kPage - 1) / RomBuf::kPage));
    qint64 got = 0;
    // The file is read in large pieces and spread over the pages, so a big image costs a few
    // hundred read calls rather than one a page.
    constexpr int kPagesPerRead = 128;
    bool end = false;
    constexpr qint64 kChunk = kPagesPerRead * RomBuf::kPage;
    std::unique_ptr<char[]> chunk(new char[kChunk]);
    while (!end) {
        qint64 have = 0;
        while (have < kChunk) {
            const qint64 r = f.read(chunk.get() + have, kChunk - have);
            if (r < 0) return FileReadFailed;
            if (r == 0) {
                end = true;
                break;
            }
            have += r;
        }
        got += have;
        if (got > kMaxImageBytes) return FileTooLarge; // the file grew while being read
        for (qint64 pos = 0; pos < have; pos += RomBuf::kPage) {
            const qint64 n = std::min<qint64>(RomBuf::kPage, have - pos);
            RomBuf::Block b(new quint8[RomBuf::kAlloc]);
            std::memcpy(b.get(), chunk.get() + pos, size_t(n));
            // Only the bytes the file does not cover are erased.
            std::fill(b.get() + n, b.get() + RomBuf::kAlloc, quint8(0xFF));
            img.blocks.push_back(std::move(b));
        }
    }
    if (got == 0) return FileEmpty;
    img.size = got;
    out = std::move(img);
    return FileOk;
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
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return FileCreateFailed;
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
        if (len > 0 && f.write(reinterpret_cast<const char*>(src), len) != len) {
            f.cancelWriting();
            return FileWriteFailed;
        }
    }
    return f.commit() ? FileOk : FileWriteFailed;
}

} // namespace zelvor
