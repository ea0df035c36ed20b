#pragma once
// The programming parameters dialog: shows the parameters model (radio groups, step boxes,
// extra areas, sector boxes) with each control enabled as the model says, and forwards
// every change to it. Cancel puts the step boxes back.

#include "app/Session.h"
#include "catalogue/ProgParamsModel.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace zelvor::gui {

class ProgParamsDialog : public QDialog {
    Q_OBJECT

  public:
    ProgParamsDialog(const Session& s, QWidget* parent = nullptr);

    const ProgParamsModel& model() const { return model_; }

  private:
    QGroupBox* radioGroup(const char* name, const QString& caption, const QStringList& items,
                          QButtonGroup*& group);
    void cancelClicked();
    // Shows the model's values in the controls.
    void showModel();

    const Session& s_;
    ProgParamsModel model_;
    QGroupBox* vppBox_ = nullptr;
    QGroupBox* vccBox_ = nullptr;
    QGroupBox* algBox_ = nullptr;
    QButtonGroup* vpp_ = nullptr;
    QButtonGroup* vcc_ = nullptr;
    QButtonGroup* alg_ = nullptr;
    std::array<QCheckBox*, kAutoSteps> steps_{};
    std::array<QCheckBox*, kSectorBoxes> sectors_{};
    QLineEdit* dataOffset_ = nullptr;
    QLineEdit* configOffset_ = nullptr;
};

} // namespace zelvor::gui
