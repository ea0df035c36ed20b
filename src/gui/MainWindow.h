#pragma once
// The main window (TForm1): menus, toolbar, area selector, the middle panel, the chip,
// buffer and file groups and the status bar. It is the core's front end for the run: every
// message, question, input and progress of the core comes here.

#include "CommandTable.h"
#include "app/FrontEnd.h"
#include "program/Program.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QToolBar;

namespace zelvor::gui {

class BufferPanel;
class ChipInfoGroups;
class CommandActions;
class ConfigPanel;
class ProgressWindow;
class RecentFilesMenu;
class WindowCommands;

class MainWindow : public QMainWindow, public FrontEnd {
  public:
    explicit MainWindow(Clock& clock, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The run's start: tables, settings, port; then the widgets in the run's language.
    // Returns startProgram's code.
    [[nodiscard]] int start(const StartOptions& options);

    Session& session() { return *session_; }
    CommandActions& actions() { return *actions_; }
    WindowCommands& windowCommands() { return *commands_; }
    // Panels 0..3, or kTimingPanel.
    QString statusPanelText(int panel) const;

    // Called after every menu item, hidden item or button with its result (tests, scripts).
    std::function<void(const Target&, int rc)> afterCommand;

    // FrontEnd
    void statusMessage(const QString& text) override;
    void statusPanel(int panel, const QString& text) override;
    void messageBox(const QString& text, Icon icon) override;
    Answer question(const QString& text) override;
    std::optional<QString> inputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    void progressShow(const QString& caption) override;
    void progressSet(int position) override;
    void progressClose() override;
    bool cancelRequested() override;
    void pumpEvents() override;
    void changed(unsigned what) override;
    void mismatch(const Mismatch& m) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window is loaded.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildWidgets(bool english);
    QWidget* buildTopRow();
    void runTarget(const Target& t);
    void showMiddle(bool config);
    void refresh(unsigned what);
    void followCrc();
    void sizeStatusPanels();

    std::unique_ptr<Session> session_;
    std::array<QLabel*, 4> panels_{};
    QLabel* timing_ = nullptr;
    std::unique_ptr<CommandActions> actions_;
    std::unique_ptr<WindowCommands> commands_;
    std::unique_ptr<RecentFilesMenu> recent_;
    QToolBar* toolbar_ = nullptr;
    ChipInfoGroups* groups_ = nullptr;
    QComboBox* area_ = nullptr;
    QLabel* areaLabel_ = nullptr;
    QComboBox* adapters_ = nullptr;
    QPushButton* configButton_ = nullptr;
    BufferPanel* bufferPanel_ = nullptr;
    ConfigPanel* configPanel_ = nullptr;
    ProgressWindow* progress_ = nullptr;
    bool built_ = false;
    bool crcQueued_ = false;     // the next slice of the buffer's CRC-32 is waiting for its turn
    bool closeWhenIdle_ = false; // the operator closed the window while an operation ran
};

} // namespace zelvor::gui
