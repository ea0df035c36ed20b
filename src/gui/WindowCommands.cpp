#include "WindowCommands.h"

#include "AboutBox.h"
#include "BufferOpsDialog.h"
#include "DialogLaunchers.h"
#include "HelpWindow.h"
#include "JournalViewer.h"
#include "buffer/FileFormat.h"
#include "program/FileCommands.h"

#include <QFileDialog>
#include <QWidget>

namespace zelvor::gui {

namespace {

template <typename W> void raiseWindow(W* w) {
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

WindowCommands::WindowCommands(Session& s, QWidget& window) : s_(s), window_(window) {
    startFileHistory(s_);
}

QString WindowCommands::askFile(bool save) {
    if (chooseFile_) return chooseFile_(save);
    const bool hexFirst = s_.settings.fileFmt == FormatHex;
    const QString bin = QStringLiteral("BIN (*.bin *.BIN)");
    const QString hex = QStringLiteral("HEX (*.hex *.HEX *.ihx *.ihex)");
    const QString all =
        s_.settings.english ? QStringLiteral("All files (*)") : QStringLiteral("Все файлы (*)");
    QFileDialog dialog(&window_, QString(), fileDialogFolder(s_));
    dialog.setObjectName(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    dialog.setNameFilters(hexFirst ? QStringList{hex, bin, all} : QStringList{bin, hex, all});
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(hexFirst ? QStringLiteral("hex") : QStringLiteral("bin"));
        // The core asks before it replaces a file; the dialog must not ask as well.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!s_.run.files.current.isEmpty()) dialog.selectFile(s_.run.files.current);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

int WindowCommands::openFile(const QString& path) {
    return openNamedFile(s_, path);
}

int WindowCommands::run(WindowCommand c, int arg) {
    switch (c) {
    case WindowCommand::None:
        return 0;
    case WindowCommand::SelectChip:
        return openChipSelection(s_, &window_) ? 0 : 1;
    case WindowCommand::ProgrammingParameters:
        return openProgrammingParameters(s_, &window_) ? 0 : 1;
    case WindowCommand::LoadFile: {
        const QString path = askFile(false);
        return path.isEmpty() ? 0 : openChosenFile(s_, path);
    }
    case WindowCommand::SaveFile: {
        const QString path = askFile(true);
        return path.isEmpty() ? 0 : saveChosenFile(s_, path);
    }
    case WindowCommand::Print:
        return printBuffer(s_, &window_, printSetup_);
    case WindowCommand::ViewBuffer:
        return openBufferOps(s_, &window_);
    case WindowCommand::RecentFile:
        return openRecentFile(s_, arg);
    case WindowCommand::ViewLog:
        showJournal();
        return 0;
    case WindowCommand::Help:
        showHelp();
        return 0;
    case WindowCommand::About:
        showAbout();
        return 0;
    case WindowCommand::Exit:
        window_.close();
        return 0;
    case WindowCommand::Model:
        return chooseModel(s_, arg);
    case WindowCommand::Port:
        return choosePort(s_, arg);
    case WindowCommand::Speed:
        return chooseSpeed(s_, arg);
    case WindowCommand::Undo:
    case WindowCommand::Redo:
    case WindowCommand::GoToAddress:
    case WindowCommand::Find:
    case WindowCommand::FindNext:
    case WindowCommand::WindowCrc:
    case WindowCommand::CompareFile:
        return 0; // not yet wired
    }
    return 0;
}

void WindowCommands::showHelp() {
    if (!help_) help_ = new HelpWindow(s_.settings.english == 1, &window_);
    raiseWindow(help_.data());
}

void WindowCommands::showAbout() {
    if (!about_) about_ = new AboutBox(s_.settings.english == 1, &window_);
    raiseWindow(about_.data());
}

void WindowCommands::showJournal() {
    if (!journal_) journal_ = new JournalViewer(s_, &window_);
    journal_->reload();
    raiseWindow(journal_.data());
}

} // namespace zelvor::gui
