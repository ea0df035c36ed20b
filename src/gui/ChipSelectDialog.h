#pragma once
// The chip selection dialog: shows the selection model's lists and forwards clicks, the
// filter text, double click, OK and Cancel to it. It decides nothing itself.

#include "app/Session.h"
#include "catalogue/ChipSelectModel.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvor::gui {

class ChipSelectDialog : public QDialog {
    Q_OBJECT

  public:
    ChipSelectDialog(const Session& s, QWidget* parent = nullptr);

    const ChipSelectModel& model() const { return model_; }

  private:
    void typeClicked(int row);
    void makerClicked(int row);
    void filterEdited(const QString& text);
    void deviceHighlighted(int row);
    void okClicked();
    // Shows the model: group selections, device list, highlighted row, adapters, OK.
    void showModel();

    ChipSelectModel model_;
    QListWidget* types_ = nullptr;
    QListWidget* devices_ = nullptr;
    QListWidget* makers_ = nullptr;
    QLineEdit* filter_ = nullptr;
    std::array<QLabel*, 3> adapters_{};
    QPushButton* ok_ = nullptr;
    bool showing_ = false; // list signals while the model is being shown are not input
};

} // namespace zelvor::gui
