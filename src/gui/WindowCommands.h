#pragma once
// The commands the window does itself before one core call: the file dialogs, the chip and
// parameter dialogs, printing, the help, About and journal windows, model, port and speed.

#include "BufferPrinter.h"
#include "CommandTable.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace zelvor::gui {

class AboutBox;
class HelpWindow;
class JournalViewer;

class WindowCommands {
  public:
    // Asks for a file to load (save = false) or to save to; an empty text when cancelled.
    using FileChooser = std::function<QString(bool save)>;

    WindowCommands(Session& s, QWidget& window);

    // Runs one window command; returns the core's result code (0 when nothing was run).
    [[nodiscard]] int run(WindowCommand c, int arg);

    // Loads a file dropped on the window or named on the command line.
    [[nodiscard]] int openFile(const QString& path);

    // Replace the file dialogs and the print dialog (tests, scripts).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setPrintSetup(PrintSetup setup) { printSetup_ = std::move(setup); }

  private:
    QString askFile(bool save);
    void showHelp();
    void showAbout();
    void showJournal();

    Session& s_;
    QWidget& window_;
    FileChooser chooseFile_;
    PrintSetup printSetup_;
    QPointer<HelpWindow> help_;
    QPointer<AboutBox> about_;
    QPointer<JournalViewer> journal_;
};

} // namespace zelvor::gui
