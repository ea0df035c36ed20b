#include "catalogue/ProgParamsModel.h"

#include "app/HexText.h"
#include "catalogue/ChipDisplay.h"

namespace zelvor {

namespace {

// The loader-ROM microcontroller keeps its LDROM behind the code; the PICs keep data
// memory and configuration words at fixed places of the buffer.
constexpr int kLdromAlg = 32;
constexpr int kPic16Alg = 27;
constexpr int kPicClass = 5;
constexpr int kSectorAlg = 53;

const QStringList& orDefault(const QStringList& texts, const QStringList& fallback) {
    return texts.isEmpty() ? fallback : texts;
}

} // namespace

ProgParamsModel::ProgParamsModel(const Session& s)
    : vppTexts_(orDefault(s.run.vppTexts, vppChoiceTexts())),
      vccTexts_(orDefault(s.run.vccTexts, vccChoiceTexts())),
      algTexts_(orDefault(s.run.algTexts, algChoiceTexts())) {
    const RomParams& p = s.rom;
    voltages_ = p.canSetVpp != 0;
    vpp_ = p.vppSel;
    vcc_ = p.lowVcc == 1 ? kVcc3V : p.vccSel;
    alg_ = p.pulseAlg;

    const auto at = [](AutoStep st) { return size_t(st); };
    enabled_[at(AutoStep::Erase)] = p.canErase == 1;
    enabled_[at(AutoStep::Blank)] = p.canBlank == 1;
    enabled_[at(AutoStep::Write)] = p.canWrite == 1;
    enabled_[at(AutoStep::Compare)] = p.canCompare == 1;
    enabled_[at(AutoStep::Lock)] = p.canLock == 1;

    ldrom_ = p.algCode == kLdromAlg;
    const bool dataArea = (ldrom_ || p.devClass == kPicClass) && s.op.area == 0;
    enabled_[at(AutoStep::Data)] = dataArea;
    if (dataArea) dataOffset_ = Hex_str(quint32(s.buf.dataOfs), 6);
    const bool configArea = p.devClass == kPicClass || p.algCode == kPic16Alg;
    enabled_[at(AutoStep::Config)] = configArea;
    if (configArea) configOffset_ = Hex_str(quint32(s.buf.cfgwOfs), 6);

    sectors_ = p.algCode == kSectorAlg;
    revertSteps(s);
}

void ProgParamsModel::revertSteps(const Session& s) {
    const PrgSettings& p = s.settings;
    checked_ = {p.autoErase != 0, p.autoBlank != 0, p.autoWrite == 1, p.autoCompare == 1,
                p.autoLock != 0,  p.autoData != 0,  p.autoCfgw != 0};
}

QStringList ProgParamsModel::vppItems() const {
    return vppTexts_;
}

QStringList ProgParamsModel::vccItems() const {
    QStringList items;
    for (const QString& t : vccTexts_)
        items << t.mid(2);
    return items;
}

QStringList ProgParamsModel::algItems() const {
    return algTexts_;
}

bool ProgParamsModel::setVpp(int index) {
    if (!voltages_ || index < 0 || index >= vppTexts_.size()) return false;
    vpp_ = index;
    return true;
}

bool ProgParamsModel::setVcc(int index) {
    if (!voltages_ || index < 0 || index >= vccTexts_.size()) return false;
    vcc_ = index;
    return true;
}

bool ProgParamsModel::setAlg(int index) {
    if (!voltages_ || index < 0 || index >= algTexts_.size()) return false;
    alg_ = index;
    return true;
}

bool ProgParamsModel::setStep(AutoStep st, bool on) {
    const size_t i = size_t(st);
    if (!enabled_[i] && checked_[i] != on) return false;
    checked_[i] = on;
    return true;
}

bool ProgParamsModel::setSector(int i, bool on) {
    if (!sectors_ || i < 0 || i >= kSectorBoxes) return false;
    sector_[size_t(i)] = on;
    return true;
}

Text ProgParamsModel::dataCaption() const {
    return ldrom_ ? Text{"LDROM", "LDROM"} : Text{"Область данных", "Data area"};
}

void ProgParamsModel::store(Session& s) const {
    if (voltages_) {
        RomParams& p = s.rom;
        p.vppSel = quint8(vpp_);
        if (vcc_ == kVcc3V) {
            p.vccSel = 0;
            p.lowVcc = 1;
        } else {
            p.vccSel = quint8(vcc_);
            p.lowVcc = 0;
        }
        p.pulseAlg = quint8(alg_);
    }
    const auto bit = [this](AutoStep st) { return checked_[size_t(st)] ? 1 : 0; };
    PrgSettings& p = s.settings;
    p.autoErase = bit(AutoStep::Erase);
    p.autoBlank = bit(AutoStep::Blank);
    p.autoWrite = bit(AutoStep::Write);
    p.autoCompare = bit(AutoStep::Compare);
    p.autoLock = bit(AutoStep::Lock);
    p.autoData = bit(AutoStep::Data);
    p.autoCfgw = bit(AutoStep::Config);
}

} // namespace zelvor
