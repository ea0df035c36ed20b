#include "catalogue/ChipDisplay.h"

#include "app/HexText.h"
#include "buffer/BufferInit.h"
#include "catalogue/Adapters.h"
#include "catalogue/ChipParams.h"

#include <algorithm>
#include <initializer_list>

namespace zelvor {

namespace {

bool oneOf(int v, std::initializer_list<int> set) {
    return std::find(set.begin(), set.end(), v) != set.end();
}

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
    const int a = p.algCode;
    const char* second = nullptr;
    if ((a == 27 && p.variant == 1) || a == 43 || ((a == 28 || a == 41) && p.devClass != 1) ||
        oneOf(a, {26, 42, 52, 55, 45}))
        second = "/DATA";
    else if (a == 32)
        second = "/LDROM";
    else if (a == 54)
        second = "/BOOT";
    else if (a == 44 && p.variant == 1)
        second = "/SB&BV";
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
    v.vcc = (oneOf(a, {33, 34, 48, 49, 50, 51, 53, 57, 60, 61, 62}) || p.lowVcc == 1)
                ? kVcc3
                : pick(vccChoiceTexts(), p.vccSel);
    v.alg = pick(algChoiceTexts(), p.pulseAlg);
    if (a == 37 || (a == 47 && p.optC == 1) || a == 58) v.alg += QStringLiteral(" /Fast");
    return v;
}

bool hasConfiguration(const RomParams& p) {
    const int a = p.algCode;
    return oneOf(a, {27, 43, 45, 42, 52, 55, 26}) || (a == 41 && p.variant == 1) ||
           (a == 28 && p.devClass == 1) || (a == 10 && p.subType == 3);
}

ToolbarFlags toolbarFlags(const RomParams& p) {
    ToolbarFlags f;
    f.program = p.canWrite == 1;
    f.erase = p.canErase == 1;
    f.compare = p.canCompare == 1;
    f.lock = p.canLock == 1;
    f.read = p.canRead == 1;
    f.blank = p.canBlank == 1;
    f.readId = p.canReadId == 1;
    f.config = hasConfiguration(p);
    return f;
}

WindowTexts ShowWindow(Session& s) {
    const RomParams& p = s.rom;
    RomBuf& b = s.buf;
    WindowTexts w;
    w.fileFormat = s.settings.fileFmt == 1 ? QStringLiteral("BIN") : QStringLiteral("HEX");
    w.chip = chipLabel(s);
    w.volt = voltageLabels(p);
    w.bufSize = Hex_str(quint32(b.size), 7);
    Cnt_sizeb(b);
    w.checkSum = Hex_str(b.checkSum, 4);
    w.addrStart = Hex_str(quint32(b.addrStart), 7);
    w.addrEnd = Hex_str(quint32(b.addrEnd), 7);
    w.bufOffset = Hex_str(quint32(b.bufOffset), 6);
    w.romSize = sizeLabel(p);
    w.romSizeUnit = QStringLiteral("x 8");
    w.buttons = toolbarFlags(p);
    if (s.settings.autoData == 1)
        w.dataCaption = p.algCode == 32 ? QStringLiteral("+ LDROM") : QStringLiteral("+ DATA");
    if (s.settings.autoCfgw == 1)
        w.cfgwCaption = p.devClass == 5 ? QStringLiteral("+ CFGW") : QStringLiteral("+ Fuse Bits");
    return w;
}

MenuVisibility SetVisible(const RomParams& p) {
    const int a = p.algCode;
    MenuVisibility m;
    m.setX2 = a == 44 || a == 54 || (a == 32 && p.variant == 0);
    m.setCfg = a == 43 || a == 27 || a == 45;
    m.testRam = p.devClass == 3;
    m.flash1 = p.devClass == 9;
    m.setBit = p.devClass == 1;
    m.readId = p.canReadId == 1;
    m.setBbl = a == 16;
    m.modeSdp = a == 16 || a == 30 || a == 15;
    m.readBbl = a == 16 || a == 15;
    m.badBlock = a == 61 || a == 62;
    return m;
}

PicShowData PicShow(const Session& s) {
    const RomParams& p = s.rom;
    const int a = p.algCode;
    PicShowData d;
    AreaList& l = d.area;
    const QString code = QStringLiteral("Code");
    if (p.devClass == 6 || p.devClass == 5) {
        l.items = {code, QStringLiteral("Data")};
        l.shown = true;
        l.enabled = p.devClass == 6 || p.variant == 1;
    } else {
        QString second;
        if (a == 32)
            second = QStringLiteral("LDROM");
        else if (a == 54)
            second = QStringLiteral("BOOT");
        else if (a == 56)
            second = QStringLiteral("XAF");
        else if (a == 23 && p.variant == 1)
            second = QStringLiteral("Protect Register");
        else if (a == 44 && p.variant == 1) // the variant that has the SB&BV area
            second = QStringLiteral("SB&BV");
        if (!second.isEmpty()) {
            l.items = {code, second};
            l.shown = true;
            l.enabled = true;
        }
    }
    l.selected = (s.op.area >= 0 && s.op.area < l.items.size()) ? s.op.area : -1;

    if (p.devClass == 5) {
        d.panels.pic18 = a == 43;
        d.panels.pic16 = a != 43;
    }
    d.panels.fuse = oneOf(a, {45, 42, 52, 55, 26}) || (a == 41 && p.variant == 1) ||
                    (a == 28 && p.devClass == 1) || (a == 10 && p.subType == 3);
    d.adapters = AdapterShow(s);
    return d;
}

} // namespace zelvor
