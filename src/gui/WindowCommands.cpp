#include "WindowCommands.h"

#include "AboutBox.h"
#include "BufferOpsDialog.h"
#include "BufferViewCommands.h"
#include "CompareWorkspace.h"
#include "DialogLaunchers.h"
#include "HelpWindow.h"
#include "JournalViewer.h"
#include "buffer/FileFormat.h"
#include "ops/Engine.h"
#include "program/Comparisons.h"
#include "program/FileCommands.h"

#include <QFileDialog>
#include <QFileInfo>
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

WindowCommands::~WindowCommands() = default;

void WindowCommands::attachBufferPanel(BufferPanel& panel) {
    view_ = std::make_unique<BufferViewCommands>(s_, panel, window_);
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
    case WindowCommand::CompareFile:
        return compareWithFile();
    case WindowCommand::Undo:
    case WindowCommand::Redo:
    case WindowCommand::GoToAddress:
    case WindowCommand::Find:
    case WindowCommand::FindNext:
    case WindowCommand::WindowCrc:
        return view_ ? view_->run(c) : 0;
    }
    return 0;
}

int WindowCommands::compareWithFile() {
    const QString path = askFile(false);
    if (path.isEmpty()) return 0;
    RomBuf other;
    const int rc = loadComparisonFile(s_, path, other);
    if (rc != 0) return rc;
    const qint64 bytes = other.size;
    openCompareWorkspace().compare(s_.text(msg::CompareWithFile), QFileInfo(path).fileName(),
                                   std::move(other), bytes);
    return 0;
}

int WindowCommands::afterChipCompare(int compareResult) {
    if (compareResult != opres::kBadReply) return 0;
    ChipDifferences d;
    const int rc = readChipDifferences(s_, d);
    // A difference only in the PIC data or configuration leaves the code alike.
    if (rc != 0 || d.diff.ranges.empty()) return rc;
    openCompareWorkspace().compare(s_.text(msg::CompareWithChip), s_.text(msg::CompareChipSide),
                                   std::move(d.chip), d.bytes, d.highMask, d.bytes);
    return 0;
}

void WindowCommands::refresh(unsigned what) {
    if (compare_) compare_->refresh(what);
}

CompareWorkspace* WindowCommands::compareWorkspace() const {
    return compare_.data();
}

CompareWorkspace& WindowCommands::openCompareWorkspace() {
    if (!compare_) compare_ = new CompareWorkspace(s_, &window_);
    raiseWindow(compare_.data());
    return *compare_;
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
