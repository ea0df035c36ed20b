#include "buffer/BufferFiles.h"
#include "buffer/BufferInit.h"
#include "buffer/FilePath.h"
#include "buffer/ImageBuilder.h"
#include "buffer/IntelHexParser.h"
#include "buffer/IntelHexWriter.h"
#include "buffer/SaveTarget.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace zelvor {

namespace {

// The PIC data EEPROM comes as one word per cell from word address 0x2100 (byte dataOfs):
// the PIC assembler writes each cell as (value, 0x00), this program's writer as
// (0x00, value). Either way the buffer keeps one byte per cell from dataOfs.
void packPicData(ImageBuilder& img, long long dataOfs) {
    const long long pairs = (img.extent() - dataOfs + 1) / 2;
    bool valueSecond = true;
    for (long long i = 0; i < pairs && valueSecond; ++i) {
        const quint8 a = img.at(dataOfs + 2 * i);
        const quint8 b = img.at(dataOfs + 2 * i + 1);
        if (a == 0xFF && b == 0xFF) continue; // a cell the file leaves out
        if (a != 0x00) valueSecond = false;
    }
    for (long long i = 0; i < pairs; ++i)
        img.set(dataOfs + i, img.at(dataOfs + 2 * i + (valueSecond ? 1 : 0)));
    img.truncate(dataOfs + pairs);
}

} // namespace

int readHexImage(const Session& s, const QString& path, LoadedImage& out, long long& line) {
    line = 0;
    QFile f;
    const int opened = openForReading(f, path, QIODevice::Unbuffered);
    if (opened != FileOk) return opened;
    ImageBuilder img(kMaxImageBytes);
    IntelHexParser parser(img);
    constexpr qint64 kChunk = 1 << 16;
    const std::unique_ptr<char[]> chunk(new char[kChunk]);
    for (;;) {
        const qint64 r = f.read(chunk.get(), kChunk);
        if (r < 0) return FileReadFailed;
        if (r == 0) break;
        if (!parser.feed(chunk.get(), size_t(r))) break;
    }
    if (!parser.finish()) {
        line = parser.errorLine();
        return parser.error() == IntelHexParser::TooLarge ? FileTooLarge : FileBadFormat;
    }
    if (picDataArea(s) && img.extent() > s.buf.dataOfs) packPicData(img, s.buf.dataOfs);
    // The image starts at address 0; a file without data gives one erased byte.
    const long long size = std::max<long long>(img.extent(), 1);
    out.blocks = img.take(size);
    out.size = size;
    return FileOk;
}

int LoadHex(Session& s, const QString& path) {
    LoadedImage img;
    long long line = 0;
    const int code = readHexImage(s, path, img, line);
    if (code != FileOk) {
        reportLoadError(s, code, path, line);
        return code;
    }
    installImage(s, std::move(img), path);
    return FileOk;
}

int SaveHex(const Session& s, const QString& path) {
    SaveTarget target(path);
    if (target.open() != FileOk) return FileCreateFailed;
    IntelHexWriter w(target.device());
    const RomBuf& buf = s.buf;
    const int n = buf.pageCount();
    const bool swap = swapsWords(s);
    const long long lastStart = qint64(n - 1) * RomBuf::kPage;
    // The data cells are written apart only when the buffer holds them in its last page.
    const bool picForm = n > 0 && picDataArea(s) && buf.dataOfs >= lastStart &&
                         buf.dataOfs < lastStart + RomBuf::kPage && buf.size > buf.dataOfs;
    quint8 tmp[RomBuf::kPage];
    for (int k = 0; k < n && w.ok(); ++k) {
        const quint8* src = buf.blocks[size_t(k)].get();
        if (swap) {
            std::memcpy(tmp, src, RomBuf::kPage);
            swapPairs(tmp, swapBytesOfPage(s, k));
            src = tmp;
        }
        const long long base = qint64(k) * RomBuf::kPage;
        if (k + 1 == n && picForm) {
            const int head = int(buf.dataOfs - base) / 16;
            for (int r = 0; r < head; ++r)
                w.record16(base + 16 * r, src + 16 * r);
            const long long cells =
                std::min<long long>(buf.size, base + RomBuf::kPage) - buf.dataOfs;
            const quint8* cell = src + (buf.dataOfs - base);
            for (long long g = 0; g + 8 <= cells; g += 8) {
                quint8 rec[16];
                for (int i = 0; i < 8; ++i) {
                    rec[2 * i] = 0x00;
                    rec[2 * i + 1] = cell[g + i];
                }
                w.record16(buf.dataOfs + 2 * g, rec);
            }
        } else {
            for (int r = 0; r < RomBuf::kPage / 16; ++r)
                w.record16(base + 16 * r, src + 16 * r);
        }
    }
    w.end();
    if (!w.ok()) return FileWriteFailed; // the target drops what was written
    return target.commit();
}

} // namespace zelvor
