#pragma once
// What the programming parameters dialog shows and stores: the Vpp, Vcc and algorithm
// choices, the steps of automatic programming, the extra areas with their buffer offsets
// and the sector-protection boxes, each with the rule that enables it for the current chip.
// The dialog and the command line both change the values only through the setters, so a
// choice the dialog greys out is refused everywhere.

#include "app/Messages.h"
#include "app/Session.h"

#include <QString>
#include <QStringList>

#include <array>

namespace zelvor {

// The check boxes of automatic programming, in the dialog's order.
enum class AutoStep { Erase, Blank, Write, Compare, Lock, Data, Config };
inline constexpr int kAutoSteps = 7;
inline constexpr int kSectorBoxes = 8;
// Vcc choice 2 stands for a 3.00 V part (lowVcc).
inline constexpr int kVcc3V = 2;

class ProgParamsModel {
  public:
    // The dialog as it opens for the current chip: the choices from RomParams (3.00 V when
    // lowVcc is set), the steps from the settings, every box enabled by its rule.
    explicit ProgParamsModel(const Session& s);

    // Radio items: the choice texts (Vcc without its leading ", ").
    QStringList vppItems() const;
    QStringList vccItems() const;
    QStringList algItems() const;

    // Vpp, Vcc and algorithm may be changed only for chips that allow it.
    bool voltagesEnabled() const { return voltages_; }
    int vpp() const { return vpp_; }
    int vcc() const { return vcc_; }
    int alg() const { return alg_; }
    // False (nothing changed) when the group is disabled or the index names no item.
    [[nodiscard]] bool setVpp(int index);
    [[nodiscard]] bool setVcc(int index);
    [[nodiscard]] bool setAlg(int index);

    bool stepEnabled(AutoStep step) const { return enabled_[size_t(step)]; }
    bool step(AutoStep step) const { return checked_[size_t(step)]; }
    // False (nothing changed) when the box is disabled and the value would change.
    [[nodiscard]] bool setStep(AutoStep step, bool on);

    // The data-area box caption ("LDROM" for the chip with a loader ROM) and the buffer
    // offsets of the two extra areas, 6 hex digits, empty where the area is not offered.
    Text dataCaption() const;
    QString dataOffset() const { return dataOffset_; }
    QString configOffset() const { return configOffset_; }

    // The sector-protection boxes: shown checked, usable for one algorithm only.
    bool sectorsEnabled() const { return sectors_; }
    bool sector(int i) const { return sector_[size_t(i)]; }
    [[nodiscard]] bool setSector(int i, bool on);

    // Cancel: the step boxes go back to the stored settings.
    void revertSteps(const Session& s);
    // OK: the choices into RomParams (only when they may be changed; Vcc 3.00 V sets lowVcc
    // with the 5 V item) and the seven steps into the settings as 1 or 0.
    void store(Session& s) const;

  private:
    const QStringList& vppTexts_;
    const QStringList& vccTexts_;
    const QStringList& algTexts_;
    bool voltages_ = false;
    bool ldrom_ = false;
    int vpp_ = 0;
    int vcc_ = 0;
    int alg_ = 0;
    std::array<bool, kAutoSteps> enabled_{};
    std::array<bool, kAutoSteps> checked_{};
    QString dataOffset_;
    QString configOffset_;
    bool sectors_ = false;
    std::array<bool, kSectorBoxes> sector_{true, true, true, true, true, true, true, true};
};

} // namespace zelvor
