#include "catalogue/ChipDisplay.h"

#include "app/AlgSet.h"
#include "app/HexText.h"
#include "catalogue/AlgFamilies.h"
#include "catalogue/ChipParams.h"

namespace zelvor {

namespace {

QString pick(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list[index] : QString();
}

const QString kNoVpp = QStringLiteral("Vpp=      ");
const QString kVcc5 = QStringLiteral(", Vcc=5.00V");
const QString kVcc3 = QStringLiteral(", Vcc=3.00V");
const QString kSpi = QStringLiteral("Serial SPI");
const QString kI2c = QStringLiteral("Serial Ix2 C");

} // namespace

const QStringList& vppChoiceTexts() {
    static const QStringList t{QStringLiteral("Vpp=12.50V"), QStringLiteral("Vpp=21.00V"),
                               QStringLiteral("Vpp=25.00V"), kNoVpp};
    return t;
}

const QStringList& vccChoiceTexts() {
    static const QStringList t{kVcc5, QStringLiteral(", Vcc=6.00V"), kVcc3};
    return t;
}

const QStringList& algChoiceTexts() {
    static const QStringList t{QStringLiteral("STANDARD 50ms"),
                               QStringLiteral("INTELLIGENT 1ms 3X"), QStringLiteral("QUICK PULSE"),
                               QStringLiteral("DATA POLLING")};
    return t;
}

void setChoiceTexts(Session& s) {
    s.run.vppTexts = vppChoiceTexts();
    s.run.vccTexts = vccChoiceTexts();
    s.run.algTexts = algChoiceTexts();
}

QString areaSuffix(const RomParams& p, qint32 area) {
    if (area != 0 && area != 1) return {};
    const char* second = secondArea(p).suffix;
    if (!second) return {};
    return area == 0 ? QStringLiteral("/CODE") : QString::fromLatin1(second);
}

QString chipLabel(const Session& s) {
    return s.rom.romName + areaSuffix(s.rom, s.op.area);
}

QString sizeLabel(const RomParams& p) {
    if (p.romLen < 1024) return QStringLiteral("%1 x %2").arg(p.romLen).arg(p.dataWidth);
    if (pageAddressed(p)) {
        const qint32 page = pageLength(p);
        return QStringLiteral("%1 x %2").arg(p.romLen / page).arg(page);
    }
    return QStringLiteral("%1K x %2").arg(p.romLen / 1024).arg(p.dataWidth);
}

VoltageLabels voltageLabels(const RomParams& p) {
    const int a = p.algCode;
    switch (p.devClass) {
    case 3:
    case 4:
        return {kNoVpp, p.lowVcc == 1 ? kVcc3 : kVcc5,
                p.devClass == 4 ? (a == 21 ? kI2c : kSpi) : QString()};
    case 5:
        return {QStringLiteral("Vpp=12.50V"), kVcc5, kI2c};
    case 6:
        return {kNoVpp, kVcc5,
                a == 45   ? QStringLiteral("Data Polling")
                : a == 55 ? QStringLiteral("High-Voltage SPI")
                          : kSpi};
    default:
        break; // classes 0..2, and 7..9 shown the same way
    }
    if (a == 41 || a == 28) return {kNoVpp, kVcc5, kSpi};
    VoltageLabels v;
    v.vpp = pick(vppChoiceTexts(), p.vppSel);
    v.vcc = (AlgSet{33, 34, 48, 49, 50, 51, 53, 57, 60, 61, 62}.contains(a) || p.lowVcc == 1)
                ? kVcc3
                : pick(vccChoiceTexts(), p.vccSel);
    v.alg = pick(algChoiceTexts(), p.pulseAlg);
    if (a == 37 || (a == 47 && p.optC == 1) || a == 58) v.alg += QStringLiteral(" /Fast");
    return v;
}

} // namespace zelvor
