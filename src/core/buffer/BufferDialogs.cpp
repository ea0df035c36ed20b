#include "buffer/BufferDialogs.h"
#include "app/HexText.h"
#include "buffer/BufferInit.h"
#include "catalogue/ChipParams.h"

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
    const bool paged = pageAddressed(rom);
    const qint64 pageLen = qint64(264) << (rom.optC & 7);
    const bool page2048 = rom.algCode == 62 && rom.variant == 1;
    const bool page512 = rom.algCode == 46 && rom.optC == 1;
    const bool block2k = rom.algCode == 58;

    QString unit;
    if (paged)
        unit = s.text(msg::UnitPages);
    else if (page2048)
        unit = s.text(msg::UnitPage2048);
    else if (page512)
        unit = s.text(msg::UnitPage512);
    else if (block2k)
        unit = s.text(msg::UnitBlock2k);

    const qint32 oldStart = s.buf.addrStart;
    const qint64 units = paged ? rom.romLen / pageLen : rom.romLen;
    const QString high = Hex_str(quint32(units - 1), 7);
    const QString range = QStringLiteral(" - ") + high + QStringLiteral(" )");

    const QString startPrompt = s.text(msg::StartPrompt) + unit + QStringLiteral(" : ") +
                                QStringLiteral("( ") + Hex_str(0, 7) + range;
    const auto start = askHex(s, startPrompt, [&](quint32 v) {
        if (paged) return qint64(v) < units;
        if (block2k || page2048) return v % 2048 == 0;
        if (page512) return v % 512 == 0;
        return qint64(v) < rom.romLen;
    });
    if (!start) return DialogCancelled;
    s.buf.addrStart = qint32(paged ? qint64(*start) * pageLen : qint64(*start));

    QString head;
    if (page512)
        head = s.text(msg::EndPrompt512);
    else if (block2k)
        head = s.text(msg::EndPrompt58);
    else
        head = s.text(msg::EndPrompt) + unit + QStringLiteral(": ");
    const QString endPrompt = head + QStringLiteral("( ") + Hex_str(*start, 7) + range;
    const qint64 addrStart = s.buf.addrStart;
    const auto end = askHex(s, endPrompt, [&](quint32 v) {
        const qint64 e = v;
        if (paged) return e < units && e >= addrStart / pageLen;
        if (e >= rom.romLen || e < addrStart) return false;
        if (rom.algCode == 49 && (e - addrStart) % 2 == 0) return false;
        if (page512 && (e + 1) % 512 != 0) return false;
        if (page2048 && (e + 1) % 2048 != 0) return false;
        return true;
    });
    if (!end) {
        s.buf.addrStart = oldStart;
        return DialogCancelled;
    }
    s.buf.addrEnd = qint32(paged ? (qint64(*end) + 1) * pageLen - 1 : qint64(*end));
    s.fe.changed(ChangeBufferLabels);
    return DialogDone;
}

int SetOfBufClick(Session& s) {
    const auto v =
        askHex(s, s.text(msg::BufOffsetPrompt), [&](quint32 x) { return qint64(x) < s.buf.size; });
    if (!v) return DialogCancelled;
    const int k = std::max(0, std::min(int(*v / RomBuf::kPage), s.buf.pageCount() - 1));
    s.buf.bufOffset = k * RomBuf::kPage;
    if (k > 0) {
        s.buf.blocks.erase(s.buf.blocks.begin(), s.buf.blocks.begin() + k);
        s.buf.size -= k * RomBuf::kPage;
    }
    Cnt_sizeb(s);
    s.fe.changed(ChangeBufferReplaced | ChangeBufferLabels);
    return DialogDone;
}

int ChcDispClick(Session& s) {
    const auto v = askHex(s, s.text(msg::FileOffsetPrompt), [](quint32) { return true; });
    if (!v) return DialogCancelled;
    s.buf.fileOffset = qint32(*v);
    return DialogDone;
}

} // namespace zelvor
