#include "buffer/BufferDialogs.h"
#include "app/HexText.h"
#include "buffer/AddressWindow.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageHistory.h"

#include <algorithm>

namespace zelvor {

std::optional<quint32> askHex(Session& s, const QString& prompt,
                              const std::function<bool(quint32)>& accept) {
    for (;;) {
        const std::optional<QString> text = s.fe.inputText(s.text(msg::Enter), prompt, QString());
        if (!text) return std::nullopt;
        const QString t = text->trimmed();
        if (t.size() > 7) continue; // more digits than any address has
        const HexValue v = Str_hex(t);
        if (v.error == 0 && accept(v.value)) return v.value;
    }
}

int SetAddrClick(Session& s) {
    const RomParams& rom = s.rom;
    const auto start =
        askHex(s, windowStartPrompt(s), [&](quint32 v) { return windowStartAccepted(rom, v); });
    if (!start) return DialogCancelled;
    const qint64 startAddr = windowStartAddress(rom, *start);
    const auto end = askHex(s, windowEndPrompt(s, *start),
                            [&](quint32 v) { return windowEndAccepted(rom, startAddr, v); });
    if (!end) return DialogCancelled;
    s.buf.addrStart = qint32(startAddr);
    s.buf.addrEnd = qint32(windowEndAddress(rom, *end));
    s.fe.changed(ChangeBufferLabels);
    return DialogDone;
}

int setBufferOffset(Session& s, quint32 offset) {
    if (qint64(offset) >= s.buf.size) return DialogRefused;
    const int k = std::max(0, std::min(int(offset / RomBuf::kPage), s.buf.pageCount() - 1));
    s.buf.bufOffset = k * RomBuf::kPage;
    if (k > 0) {
        s.buf.blocks.erase(s.buf.blocks.begin(), s.buf.blocks.begin() + k);
        s.buf.size -= k * RomBuf::kPage;
        imageReplaced(s.buf); // every offset moved
    }
    Cnt_sizeb(s);
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels);
    return DialogDone;
}

int SetOfBufClick(Session& s) {
    const auto v =
        askHex(s, s.text(msg::BufOffsetPrompt), [&](quint32 x) { return qint64(x) < s.buf.size; });
    if (!v) return DialogCancelled;
    return setBufferOffset(s, *v);
}

int ChcDispClick(Session& s) {
    const auto v = askHex(s, s.text(msg::FileOffsetPrompt), [](quint32) { return true; });
    if (!v) return DialogCancelled;
    s.buf.fileOffset = qint32(*v);
    return DialogDone;
}

} // namespace zelvor
