#include "catalogue/ChipParams.h"

#include "catalogue/Features.h"

#include "app/AlgSet.h"
#include "app/Messenger.h"

#include <algorithm>

namespace zelvor {

namespace {

// Algorithms whose columns 4..6 carry options instead of voltages and pulse algorithm.
bool optionAlgorithm(int alg) {
    return AlgSet{15, 16, 30, 36, 37, 46, 47, 48, 49, 50, 51, 57, 60, 61, 62}.contains(alg);
}

// The forced values of the paged and serial algorithms.
void applyOptions(RomParams& p) {
    if (optionAlgorithm(p.algCode)) {
        p.optA = p.vppSel;
        p.vppSel = 3;
        p.optB = p.pulseAlg;
        p.pulseAlg = 3;
        p.optC = p.vccSel;
        p.vccSel = 0;
        if (p.algCode == 30) p.optC = p.hasSdp; // column 19 picks the page size
    } else if (p.algCode == 17 || p.algCode == 38) {
        p.optA = p.vppSel;
        p.vppSel = 0;
        p.optB = p.pulseAlg;
        p.pulseAlg = 3;
        p.optC = p.vccSel;
        p.vccSel = 0;
    }
}

struct SizeCode {
    char code;
    qint32 div;
    qint32 low;
};
constexpr SizeCode kSizeCodes[] = {{'0', 1, 0}, {'1', 1, 1}, {'2', 2, 0}, {'3', 2, 1},
                                   {'4', 4, 0}, {'5', 4, 1}, {'8', 8, 0}, {'9', 8, 1}};

} // namespace

void Calc_prmult(Session& s) {
    const PrgSettings& st = s.settings;
    RomParams& p = s.rom;
    if (st.byMaker == 1 && s.cat.valid(st.catIdx)) {
        const CatEntry& e = s.cat.at(st.catIdx);
        p.romName = e.name.left(12);
        for (const SizeCode& c : kSizeCodes) {
            if (e.mult == QLatin1Char(c.code)) {
                p.sizeDiv = c.div;
                p.lowVcc = c.low;
            }
        }
        return;
    }
    p.sizeDiv = 1;
    const int alg = s.base.valid(st.romIdx) ? s.base.at(st.romIdx).col[2] : p.algCode;
    p.lowVcc = (alg == 33 || alg == 34) ? 1 : 0;
}

qint32 mainLength(const BaseRow& row, const RomParams& p) {
    // The catalogue's divisor lets a smaller part use a larger family's row; it applies to
    // every organisation, so the divided size feeds each rule.
    const qint64 size = qint64(row.size) / std::max<qint32>(1, p.sizeDiv);
    qint64 len;
    if (p.devClass == 4) {
        len = p.dataWidth > 0 ? size / p.dataWidth : 0; // column 3 counts kilobits
    } else if (pageAddressed(p)) {
        if (p.optC == 3)
            len = size / 2048 * 2112;
        else if (p.optC == 1)
            len = size / 512 * 528;
        else
            len = size / 256 * 264;
    } else if ((p.devClass == 5 && picMidRange(p)) || p.devClass == 6) {
        len = size / 2; // 16-bit words
    } else {
        len = size;
    }
    return qint32(std::min<qint64>(len, 0x7FFFFFFF));
}

void deriveChip(Session& s) {
    if (!s.base.valid(s.settings.romIdx)) return;
    const BaseRow& row = s.base.at(s.settings.romIdx);
    RomParams& p = s.rom;

    p.algCode = row.col[2];
    p.devClass = row.baseClass;
    p.romName = row.key();
    p.dataWidth = row.col[7];
    p.baseWidth = row.col[7];
    // Every derivation starts from the same values, so the chip chosen before leaves
    // nothing behind (the options feed packet flags).
    p.optA = p.optB = p.optC = 0;
    p.sizeDiv = 1;
    p.lowVcc = 0;
    Calc_prmult(s);
    p.extraBits = quint8(p.dataWidth - 8);
    p.adapter = row.col[17];
    p.canWrite = row.col[8];
    p.canErase = row.col[9];
    p.canCompare = row.col[10];
    p.canLock = row.col[11];
    p.canTestRam = row.col[12];
    p.canSetVpp = row.col[13];
    p.canRead = row.col[14];
    p.canBlank = row.col[15];
    p.canReadId = row.col[16];
    p.slowOnly = row.col[18];
    p.hasSdp = row.col[19];
    p.hasBblSet = row.col[20];
    p.opt21 = row.col[21];
    p.verifyBlock = row.col[22];
    p.hasBblRead = row.col[23];
    p.variant = row.col[25];
    p.subType = row.col[26];
    p.vppSel = row.col[4];
    p.vccSel = row.col[6];
    p.pulseAlg = row.col[5];
    applyOptions(p);
    p.romLen = mainLength(row, p);
    s.feat = chipFeatures(p);
}

qint32 pieceLength(const RomParams& p, qint32 area) {
    const int a = p.algCode;
    const int v = p.variant;
    if (p.devClass == 4) {
        static constexpr qint32 kSerial[] = {80, 4, 8, 16, 32, 64, 128};
        // An organisation code outside the table takes the smallest piece, which fits
        // every serial page, rather than the length left by the chip before.
        return p.pulseAlg <= 6 ? kSerial[p.pulseAlg] : 4;
    }
    if (a == 16) return v == 1 ? 128 : 256;
    if (AlgSet{48, 49, 50, 51}.contains(a)) return 128;
    if (pageAddressed(p)) return 132;
    if (nandPages2048(p)) return 128;
    if (a == 30) return v == 1 ? 160 : 64;
    if (a == 46) return flashPages512(p) ? 128 : 32;
    if (a == 0) return 80;
    if (((a == 45 || a == 26) && p.romLen == 1024 && v == 0) || a == 52 || a == 55)
        return area == 1 ? 4 : 32;
    if (a == 26 || (a == 41 && v == 1) || (a == 45 && v == 0)) return area == 1 ? 4 : 64;
    if (pic18(p)) return 8;
    if (mcs51ParallelFuses(p)) return 32;
    return 160;
}

void restoreChip(Session& s) {
    s.op.area = 0;
    deriveChip(s);
}

} // namespace zelvor
