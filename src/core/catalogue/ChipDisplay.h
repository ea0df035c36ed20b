#pragma once
// The texts that describe the current chip: the chip label with its area suffix, the
// voltage and algorithm labels, the size label and the choice texts of the programming
// parameters.

#include "app/Session.h"

#include <QString>
#include <QStringList>

namespace zelvor {

// The choice texts of the programming parameters (indexed by vppSel, vccSel, pulseAlg).
const QStringList& vppChoiceTexts();
const QStringList& vccChoiceTexts();
const QStringList& algChoiceTexts();
// Start-up: copies them into s.run.
void setChoiceTexts(Session& s);

// "/CODE", "/DATA", "/LDROM", "/BOOT", "/SB&BV" or empty, for the chip and area.
QString areaSuffix(const RomParams& p, qint32 area);
// romName followed by the area suffix.
QString chipLabel(const Session& s);
// "512 x 8", "64K x 8", or pages "4096 x 264" for page-addressed Flash.
QString sizeLabel(const RomParams& p);

struct VoltageLabels {
    QString vpp; // LbRomPgg_s
    QString vcc; // LbRomVcc_s
    QString alg; // LbRomAlg_s
};
VoltageLabels voltageLabels(const RomParams& p);

} // namespace zelvor
