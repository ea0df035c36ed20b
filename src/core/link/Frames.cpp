#include "link/Frames.h"

#include "link/Port.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace zelvor {

namespace {

// Longest bulk block the programmer can announce: 65536 addresses of two bytes.
constexpr qint64 kMaxBulk = 2 * 65536;

quint8 sum8(std::span<const quint8> bytes) {
    return quint8(std::accumulate(bytes.begin(), bytes.end(), 0u) & 0xFF);
}

// The stretches of memory that `count` bytes at (index, offset) occupy: one for an
// auxiliary buffer, one per page touched for the buffer. Empty when they do not all exist.
std::vector<std::span<quint8>> locate(Session& s, int index, qint64 offset, qint64 count) {
    std::vector<std::span<quint8>> parts;
    if (count <= 0 || offset < 0) return parts;
    if (index < 0) {
        std::vector<quint8>* aux = index == kAuxIndex    ? &s.link.auxBuf
                                   : index == kAux2Index ? &s.link.auxBuf2
                                                         : nullptr;
        if (aux && quint64(offset + count) <= aux->size())
            parts.emplace_back(aux->data() + offset, size_t(count));
        return parts;
    }
    qint64 page = index + offset / RomBuf::kPage;
    qint64 at = offset % RomBuf::kPage;
    for (qint64 left = count; left > 0; ++page, at = 0) {
        if (page >= s.buf.pageCount() || !s.buf.blocks[size_t(page)]) return {};
        const qint64 n = std::min<qint64>(left, RomBuf::kPage - at);
        parts.emplace_back(s.buf.page(int(page)) + at, size_t(n));
        left -= n;
    }
    return parts;
}

} // namespace

int bulkBytesPerAddress(const RomParams& rom) {
    switch (rom.algCode) {
    case 19:
    case 20:
    case 24:
    case 38:
    case 47:
    case 58:
        return 2;
    case 23:
        return rom.dataWidth == 16 ? 2 : 1;
    case 27:
        return rom.dataWidth > 8 ? 2 : 1;
    case 26:
    case 28:
    case 41:
    case 42:
    case 45:
    case 52:
    case 55:
        return rom.dataWidth == 16 ? 2 : 1;
    default:
        return 1;
    }
}

int Wr_block(Session& s, int index, int offset, int count) {
    if (count < 1 || count > 256) return 1;
    const auto parts = locate(s, index, offset, count);
    if (parts.empty()) return 1;
    allocLinkBuffers(s);
    s.link.xferBuf[0] = quint8(count - 1);
    if (Write_com(s, s.link.xferBuf, 1, 0) != 0) return 1;
    quint8 sum = 0;
    for (const auto& part : parts) {
        if (Write_com(s, part, int(part.size()), 0) != 0) return 1;
        sum = quint8(sum + sum8(part));
    }
    s.link.xferBuf[0] = sum;
    if (Write_com(s, s.link.xferBuf, 1, 0) != 0) return 1;
    return Wait_ack(s) == 0 ? 0 : 1;
}

int Wr_block_r(Session& s, int index, int offset, int count) {
    return linkExchange(
        s, 2, [] { return 0; }, [&] { return Wr_block(s, index, offset, count); });
}

int Rd_reply(Session& s, std::span<quint8> dest, int& length) {
    allocLinkBuffers(s);
    if (Read_com(s, s.link.xferBuf, 1, 0) != 0) return 7;
    const int n = s.link.xferBuf[0] + 1;
    std::array<quint8, 257> data{};
    if (Read_com(s, data, n, 0) != 0) return 3;
    if (Read_com(s, data, 1, n) != 0) return 4;
    const auto body = std::span<const quint8>(data).first(size_t(n));
    if (sum8(body) != data[size_t(n)]) {
        (void)Send_byte(s, kNak);
        return 1;
    }
    (void)Send_byte(s, kAck);
    const size_t kept = std::min(dest.size(), size_t(n));
    std::copy_n(body.begin(), kept, dest.begin());
    length = int(kept);
    return 0;
}

int Rd_reply_r(Session& s, std::span<quint8> dest, int& length, int tries) {
    length = 0;
    return linkExchange(
        s, tries <= 0 ? 2 : tries,
        [&] {
            if (!dest.empty()) dest[0] = kAck;
            length = 1;
            return 0;
        },
        [&] { return Rd_reply(s, dest, length); });
}

int Rd_reply_r(Session& s, int tries) {
    return Rd_reply_r(s, s.link.ansBuf, s.link.ansLen, tries);
}

int Rd_block(Session& s, int index, int offset) {
    const qint64 addresses = qint64(s.op.opEnd) - qint64(s.op.opStart) + 1;
    const qint64 n = addresses * bulkBytesPerAddress(s.rom);
    if (n <= 0) return -1;
    if (n > kMaxBulk) return kBlockTooLarge;
    // The whole frame is taken off the line even when it cannot be stored, so that the
    // exchange stays in step; it lands in the buffer only once its sum is right.
    std::vector<quint8> frame(size_t(n) + 1);
    int rc = Read_com(s, frame, int(n), 0);
    if (rc != 0) return rc;
    rc = Read_com(s, frame, 1, int(n));
    if (rc != 0) return rc;
    const auto data = std::span<const quint8>(frame).first(size_t(n));
    if (sum8(data) != frame[size_t(n)]) {
        (void)Send_byte(s, kNak);
        return 55;
    }
    (void)Send_byte(s, kAck);
    const auto parts = locate(s, index, offset, n);
    if (parts.empty()) return kBlockTooLarge;
    auto from = data.begin();
    for (const auto& part : parts) {
        std::copy_n(from, part.size(), part.begin());
        from += qint64(part.size());
    }
    return 0;
}

int Rd_block_r(Session& s, int index, int offset) {
    return linkExchange(
        s, 2, [] { return 0; }, [&] { return Rd_block(s, index, offset); });
}

} // namespace zelvor
