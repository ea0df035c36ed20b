#include "buffer/AddressWindow.h"
#include "app/HexText.h"
#include "catalogue/ChipParams.h"

namespace zelvor {

namespace {

struct Units {
    bool paged = false;    // page Flash, in page numbers
    qint64 pageLen = 0;    // bytes a page of page Flash
    bool page2048 = false; // large-page NAND without spare: pages of 2048 bytes
    bool page512 = false;  // pages of 512 bytes
    bool block2k = false;  // blocks of 2 KiB
    qint64 count = 0;      // values the start may take
};

Units unitsOf(const RomParams& rom) {
    Units u;
    u.paged = pageAddressed(rom);
    u.pageLen = qint64(264) << (rom.optC & 7);
    u.page2048 = nandPages2048(rom);
    u.page512 = flashPages512(rom);
    u.block2k = norBlocks2k(rom);
    u.count = u.paged ? rom.romLen / u.pageLen : rom.romLen;
    return u;
}

QString unitText(const Session& s, const Units& u) {
    if (u.paged) return s.text(msg::UnitPages);
    if (u.page2048) return s.text(msg::UnitPage2048);
    if (u.page512) return s.text(msg::UnitPage512);
    if (u.block2k) return s.text(msg::UnitBlock2k);
    return QString();
}

QString rangeText(const Units& u) {
    return QStringLiteral(" - ") + Hex_str(quint32(u.count - 1), 7) + QStringLiteral(" )");
}

} // namespace

QString windowStartPrompt(const Session& s) {
    const Units u = unitsOf(s.rom);
    return s.text(msg::StartPrompt) + unitText(s, u) + QStringLiteral(" : ") +
           QStringLiteral("( ") + Hex_str(0, 7) + rangeText(u);
}

QString windowEndPrompt(const Session& s, quint32 start) {
    const Units u = unitsOf(s.rom);
    QString head;
    if (u.page512)
        head = s.text(msg::EndPrompt512);
    else if (u.block2k)
        head = s.text(msg::EndPrompt58);
    else
        head = s.text(msg::EndPrompt) + unitText(s, u) + QStringLiteral(": ");
    return head + QStringLiteral("( ") + Hex_str(start, 7) + rangeText(u);
}

bool windowStartAccepted(const RomParams& rom, quint32 start) {
    const Units u = unitsOf(rom);
    if (u.paged) return qint64(start) < u.count;
    if (u.block2k || u.page2048) return start % 2048 == 0;
    if (u.page512) return start % 512 == 0;
    return qint64(start) < rom.romLen;
}

bool windowEndAccepted(const RomParams& rom, qint64 startAddr, quint32 end) {
    const Units u = unitsOf(rom);
    const qint64 e = end;
    if (u.paged) return e < u.count && e >= startAddr / u.pageLen;
    if (e >= rom.romLen || e < startAddr) return false;
    if (rom.algCode == 49 && (e - startAddr) % 2 == 0) return false;
    if (u.page512 && (e + 1) % 512 != 0) return false;
    if (u.page2048 && (e + 1) % 2048 != 0) return false;
    return true;
}

qint64 windowStartAddress(const RomParams& rom, quint32 start) {
    const Units u = unitsOf(rom);
    return u.paged ? qint64(start) * u.pageLen : qint64(start);
}

qint64 windowEndAddress(const RomParams& rom, quint32 end) {
    const Units u = unitsOf(rom);
    return u.paged ? (qint64(end) + 1) * u.pageLen - 1 : qint64(end);
}

quint32 windowStartValue(const RomParams& rom, qint64 startAddr) {
    const Units u = unitsOf(rom);
    return quint32(u.paged ? startAddr / u.pageLen : startAddr);
}

quint32 windowEndValue(const RomParams& rom, qint64 endAddr) {
    const Units u = unitsOf(rom);
    return quint32(u.paged ? (endAddr + 1) / u.pageLen - 1 : endAddr);
}

int checkAddressWindow(const Session& s, quint32 start, quint32 end, qint32& outStart,
                       qint32& outEnd) {
    if (!windowStartAccepted(s.rom, start)) return WindowBadStart;
    const qint64 startAddr = windowStartAddress(s.rom, start);
    if (!windowEndAccepted(s.rom, startAddr, end)) return WindowBadEnd;
    outStart = qint32(startAddr);
    outEnd = qint32(windowEndAddress(s.rom, end));
    return WindowOk;
}

} // namespace zelvor
