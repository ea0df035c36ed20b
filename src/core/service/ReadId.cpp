#include "service/ReadId.h"

#include "app/AlgSet.h"
#include "app/HexText.h"
#include "app/Messenger.h"
#include "catalogue/AlgFamilies.h"
#include "ops/Engine.h"
#include "protect/ConfigCommands.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

namespace {

// The small-page Flash and the NAND: four reads of two bytes from address 0.
constexpr AlgSet kNandIds{46, 60, 61, 62};

} // namespace

IdPlan idPlan(const Session& s) {
    const RomParams& r = s.rom;
    const int a = r.algCode;
    IdPlan p;
    if (r.devClass == 0 || r.devClass == 2) {
        if (AlgSet{48, 49, 50, 51}.contains(a))
            p.addr = {0, 1};
        else if (kNandIds.contains(a))
            p.addr = {0, 1, 2, 3};
        else if (a == 53)
            p.addr = {0, 1, 0xFFF2};
        else if ((a == 15 && r.optC == 1 && r.variant == 1) || a == 37 ||
                 (a == 36 && r.optC == 1 && r.variant == 1) ||
                 (a == 17 && r.optA == 1 && r.optB == 0))
            p.addr = {0, 2};
        else
            p.addr = {s.buf.addrStart, s.buf.addrStart + 1};
    } else {
        if (AlgSet{54, 56}.contains(a)) {
            p.addr = {0x30, 0x31, 0x60, 0x61};
        } else if (a == 44 && r.variant != 0) {
            p.addr = {0x5000, 0x6000, 0x4000, 0x3000, 0x2000, 0, 0x1000};
        } else if (a == 44) {
            p.addr = {5, 6, 4, 3, 2};
        } else if (a == 45) {
            p.addr = {0, 1, 2};
        } else if (AlgSet{41, 42, 52, 55, 26}.contains(a)) {
            p.addr = {0, 1, 2};
            p.cmd = {0x30, 0x30, 0x30};
        } else if (mcs51SerialFuses(r)) {
            p.addr = {0, 1, 2};
            p.cmd = {0x28, 0x28, 0x28};
        } else if (mcs51ParallelFuses(r)) {
            p.addr = {0x20, 0x21};
        } else if (AlgSet{32, 59, 40}.contains(a) ||
                   (a == 10 && r.variant == 0 && r.adapter == 5)) {
            p.addr = {0, 1};
        } else {
            p.addr = {0x30, 0x31, 0x32};
        }
    }
    p.twoByteReads = kNandIds.contains(a);
    p.wordPairs = AlgSet{38, 47, 58}.contains(a);
    if (AlgSet{47, 58, 38, 33, 34, 53}.contains(a)) p.opCode = 11;
    return p;
}

QString idText(const IdPlan& plan, const std::vector<std::array<quint8, 2>>& bytes) {
    QString t;
    auto add = [&t](quint8 b) { t += Hex_str(b, 2) + QLatin1Char(' '); };
    const int n = int(bytes.size());
    if (plan.twoByteReads) {
        // The first byte of every read, then the second byte of the last.
        for (int i = 0; i < n; ++i)
            add(bytes[size_t(i)][0]);
        if (n > 0) add(bytes[size_t(n - 1)][1]);
    } else if (plan.wordPairs) {
        for (const auto& b : bytes) {
            add(b[0]);
            add(b[1]);
        }
    } else {
        for (const auto& b : bytes)
            add(b[0]);
    }
    return t;
}

int findCatalogueEntry(const Catalogue& cat, int idCount, const QString& text) {
    const QString sp = QStringLiteral(" ");
    for (int i = 1; i <= cat.catCount(); ++i) {
        const CatEntry& e = cat.at(i);
        const QString candidate =
            idCount == 3 ? e.id0 + sp + e.id1 + sp + e.id2 + sp : e.id0 + sp + e.id1 + sp;
        if (candidate == text) return i;
    }
    return 0;
}

int ReadIdClick(Session& s, int* found, QString* textOut) {
    if (found) *found = 0;
    ShowMessageS(s, QString());
    s.op.opCode = 7;
    if (s.rom.canReadId != 1) {
        ShowMessageS(s, msg::NoReadId);
        s.op.opState = kRefused;
        return s.op.opState;
    }
    const IdPlan plan = idPlan(s);
    std::vector<std::array<quint8, 2>> bytes;
    s.op.opState = 0;
    for (int i = 0; i < plan.count() && s.op.opState == 0; ++i) {
        s.op.opCode = plan.opCode;
        s.op.opStart = plan.addr[size_t(i)];
        s.op.opEnd = plan.twoByteReads ? s.op.opStart + 1 : s.op.opStart;
        if (!plan.cmd.empty()) s.op.cmdArg = quint8(plan.cmd[size_t(i)]);
        Read_bt(s);
        if (s.op.opState == 0) bytes.push_back({s.link.auxBuf[0], s.link.auxBuf[1]});
    }
    if (s.op.opState != 0) {
        reportLinkError(s, false);
        return s.op.opState;
    }
    redrawConfigPanels(s);
    const QString text = idText(plan, bytes);
    if (textOut) *textOut = text;
    const int entry = findCatalogueEntry(s.cat, plan.count(), text);
    if (found) *found = entry;
    if (entry > 0)
        s.fe.messageBox(s.cat.at(entry).name, FrontEnd::Icon::Information);
    else
        s.fe.messageBox(s.text(msg::IdNotFound) + text, FrontEnd::Icon::Information);
    return 0;
}

} // namespace zelvor
