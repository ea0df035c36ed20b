#include "MainWindow.h"

#include "BufferPanel.h"
#include "ChipInfoGroups.h"
#include "CommandActions.h"
#include "ConfigPanel.h"
#include "ProgressWindow.h"
#include "RecentFilesMenu.h"
#include "WindowCommands.h"
#include "app/Messenger.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageHistory.h"
#include "link/PortMap.h"
#include "link/SerialTransport.h"
#include "program/FileCommands.h"
#include "program/Startup.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

// The icons and help pages live in the library; the program must pull them in.
static void initResources() {
    Q_INIT_RESOURCE(zelvor);
}

namespace zelvor::gui {

MainWindow::MainWindow(Clock& clock, QWidget* parent)
    : QMainWindow(parent),
      session_(std::make_unique<Session>(static_cast<FrontEnd&>(*this), clock)) {
    initResources();
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Zelvor"));
    // The status bar exists before the start, which fills its panels.
    auto* bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        panels_[size_t(i)] = new QLabel;
        panels_[size_t(i)]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[size_t(i)]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        bar->addWidget(panels_[size_t(i)], i == 3 ? 1 : 0);
    }
    // A long message is cut at the window's edge rather than widening the window.
    panels_[3]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Beside the message: how long the operation it reports took, and how fast it went.
    timing_ = new QLabel;
    timing_->setObjectName(QStringLiteral("StatusTiming"));
    timing_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    timing_->hide();
    bar->addPermanentWidget(timing_);
    setStatusBar(bar);
}

MainWindow::~MainWindow() {
    stopProgram(*session_); // normally done at close already
}

int MainWindow::start(const StartOptions& options) {
    Session& s = *session_;
    const int rc = startProgram(s, options);
    buildWidgets(s.settings.english == 1);
    // The options may have changed the language or chosen demo mode after the panels were set.
    statusPanel(0, modelPanelText(s.settings.model, s.settings.english == 1));
    if (s.link.demoMode == 1) {
        ShowMessageC(s);
        ShowMessageT(s);
    } else if (options.openLink && s.link.portFailed == 1) {
        const auto* serial = dynamic_cast<const SerialTransport*>(s.transport.get());
        const QString device =
            s.portOverride.isEmpty() ? portDevice(s, s.settings.comPort) : s.portOverride;
        ShowMessageS(s, s.text(msg::PortNotOpened)
                            .arg(portName(s.settings.comPort), device,
                                 serial ? serial->lastError() : QString()));
    }
    if (s.run.startFailed) statusMessage(s.run.startFailure);
    return rc;
}

void MainWindow::buildWidgets(bool english) {
    toolbar_ = new QToolBar;
    toolbar_->setObjectName(QStringLiteral("Panel1"));
    toolbar_->setToolTip(QStringLiteral("Панель с кнопками")); // kept in English mode too
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    actions_ = std::make_unique<CommandActions>(*this, *toolbar_, english,
                                                [this](const Target& t) { runTarget(t); });
    commands_ = std::make_unique<WindowCommands>(*session_, *this);
    recent_ = std::make_unique<RecentFilesMenu>(*session_, *actions_);
    setAcceptDrops(true);

    auto* central = new QWidget;
    auto* v = new QVBoxLayout(central);
    v->addWidget(buildTopRow());
    bufferPanel_ = new BufferPanel(*session_);
    commands_->attachBufferPanel(*bufferPanel_);
    configPanel_ = new ConfigPanel(*session_);
    v->addWidget(bufferPanel_, 1);
    v->addWidget(configPanel_, 1);
    groups_ = new ChipInfoGroups(english);
    v->addWidget(groups_);
    setCentralWidget(central);
    showMiddle(false);

    const int em = fontMetrics().averageCharWidth();
    resize(QSize(537, 418).expandedTo(QSize(em * 90, em * 60)).expandedTo(sizeHint()));
    built_ = true;
    refresh(~0u);
}

QWidget* MainWindow::buildTopRow() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QWidget;
    buttons->setObjectName(QStringLiteral("Panel7"));
    auto* hb = new QHBoxLayout(buttons);
    hb->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QPushButton(QStringLiteral("Буфер"));
    edit->setObjectName(QStringLiteral("EditBut"));
    configButton_ = new QPushButton(QStringLiteral("Конфигурация"));
    configButton_->setObjectName(QStringLiteral("CfgwBut"));
    hb->addWidget(edit);
    hb->addWidget(configButton_);
    connect(edit, &QPushButton::clicked, this, [this] { showMiddle(false); });
    connect(configButton_, &QPushButton::clicked, this, [this] { showMiddle(true); });
    h->addWidget(buttons);
    h->addStretch(1);

    const bool en = session_->settings.english == 1;
    areaLabel_ =
        new QLabel(en ? QStringLiteral("Device area") : QStringLiteral("Область устройства"));
    areaLabel_->setObjectName(QStringLiteral("Label18"));
    area_ = new QComboBox;
    area_->setObjectName(QStringLiteral("ComboBox9"));
    area_->setMinimumContentsLength(12);
    connect(area_, &QComboBox::activated, this, [this](int index) {
        (void)chooseArea(*session_, index);
        refresh(ChangeChip | ChangeBufferLabels);
    });
    auto* adapterLabel = new QLabel(en ? QStringLiteral("Adapter") : QStringLiteral("Адаптер"));
    adapterLabel->setObjectName(QStringLiteral("Label19"));
    adapters_ = new QComboBox;
    adapters_->setObjectName(QStringLiteral("ComboBox10"));
    adapterLabel->hide();
    adapters_->hide();
    h->addWidget(areaLabel_);
    h->addWidget(area_);
    h->addWidget(adapterLabel);
    h->addWidget(adapters_);
    return row;
}

void MainWindow::showMiddle(bool config) {
    bufferPanel_->setVisible(!config);
    configPanel_->setVisible(config);
}

void MainWindow::runTarget(const Target& t) {
    // A dialog opened while an operation pumps events would hold the operation until it
    // closes: the window's own commands are refused then, as the core refuses its own.
    if (!t.core && !allowedWhileBusy(t.window) && !commandAllowed(*session_, false)) {
        if (afterCommand) afterCommand(t, kCommandRefused);
        return;
    }
    const int rc = t.core ? runCommand(*session_, t.command) : commands_->run(t.window, t.arg);
    if (t.core && t.command == Command::CompareChip) (void)commands_->afterChipCompare(rc);
    if (afterCommand) afterCommand(t, rc);
    if (closeWhenIdle_ && !session_->op.busy) close();
}

void MainWindow::followCrc() {
    // A large new image is summed in slices between events, so the window answers at once
    // and the label follows a moment later.
    constexpr qint64 kSlice = 8 << 20;
    Session& s = *session_;
    if (advanceBufferCrc(s, kSlice)) {
        groups_->showCrc(bufferCrc(s));
        return;
    }
    groups_->showCrcPending();
    if (crcQueued_) return;
    crcQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        crcQueued_ = false;
        followCrc();
    });
}

void MainWindow::refresh(unsigned what) {
    if (!built_) return;
    Session& s = *session_;
    followImageChange(s, what);
    setWindowTitle(windowCaption(s));
    groups_->display(ShowWindow(s));
    followCrc();
    bufferPanel_->refresh(what);
    if (what & (ChangeBufferReplaced | ChangeBufferEdited | ChangeBufferLabels)) {
        actions_->action(QStringLiteral("UndoEdit"))->setEnabled(canUndo(s.buf));
        actions_->action(QStringLiteral("RedoEdit"))->setEnabled(canRedo(s.buf));
    }
    configPanel_->refresh(what);
    commands_->refresh(what);
    if (what & (ChangeChip | ChangeSettings | ChangeConfigPanels)) {
        actions_->follow(s);
        configButton_->setEnabled(s.feat.configuration);
        // A chip without a configuration has nothing to show on that page.
        if (!s.feat.configuration && !configPanel_->isHidden()) showMiddle(false);
        const PicShowData d = PicShow(s);
        area_->clear();
        area_->addItems(d.area.items);
        area_->setCurrentIndex(d.area.selected);
        area_->setEnabled(d.area.enabled);
        area_->setVisible(d.area.shown);
        areaLabel_->setVisible(d.area.shown);
        adapters_->clear();
        adapters_->addItems(d.adapters);
    }
}

QString MainWindow::statusPanelText(int panel) const {
    if (panel == kTimingPanel) return timing_->text();
    return panel >= 0 && panel < 4 ? panels_[size_t(panel)]->text() : QString();
}

void MainWindow::statusMessage(const QString& text) {
    panels_[3]->setText(text);
}

void MainWindow::statusPanel(int panel, const QString& text) {
    if (panel >= 0 && panel < 4) panels_[size_t(panel)]->setText(text);
    if (panel == kTimingPanel) {
        timing_->setText(text);
        timing_->setVisible(!text.isEmpty());
    }
}

void MainWindow::messageBox(const QString& text, Icon icon) {
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                   QMessageBox::Warning, QMessageBox::Critical};
    // Over the progress window while an operation shows it, so the box is not hidden below.
    QWidget* parent = progress_ && progress_->isVisible() ? static_cast<QWidget*>(progress_) : this;
    QMessageBox box(kIcons[int(icon)], windowTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

FrontEnd::Answer MainWindow::question(const QString& text) {
    const auto b = QMessageBox::question(this, windowTitle(), text,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Cancel;
}

std::optional<QString> MainWindow::inputText(const QString& caption, const QString& prompt,
                                             const QString& initial) {
    QInputDialog dialog(this);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

void MainWindow::progressShow(const QString& caption) {
    if (!progress_) progress_ = new ProgressWindow(*session_, this);
    progress_->start(caption);
}

void MainWindow::progressSet(int position) {
    if (progress_) progress_->step(position);
}

void MainWindow::progressClose() {
    if (progress_) progress_->finish();
}

bool MainWindow::cancelRequested() {
    return progress_ && progress_->cancelRequested();
}

void MainWindow::pumpEvents() {
    QCoreApplication::processEvents();
}

void MainWindow::changed(unsigned what) {
    refresh(what);
}

void MainWindow::mismatch(const Mismatch& m) {
    if (built_) bufferPanel_->showOffset(m.offset);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Session& s = *session_;
    if (s.op.busy) {
        // An operation pumps events: the window stays until it ends. Asked to, it cancels the
        // operation, which stops after the block in hand, and closes then.
        event->ignore();
        if (!closeWhenIdle_ && question(s.text(msg::CloseWhileBusy)) == Answer::Yes) {
            closeWhenIdle_ = true;
            if (progress_) progress_->cancel();
        }
        return;
    }
    stopProgram(s);
    // The help, About and journal windows go with the main window.
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isWindow()) w->close();
    event->accept();
}

namespace {
// The first local file of a drag, or an empty text.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}
} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (built_ && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!built_ || path.isEmpty()) return;
    event->acceptProposedAction();
    (void)commands_->openFile(path);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    sizeStatusPanels();
}

void MainWindow::sizeStatusPanels() {
    const int w = width();
    panels_[0]->setFixedWidth(w / 7);
    panels_[1]->setFixedWidth(w / 12);
    panels_[2]->setFixedWidth(w / 10);
}

} // namespace zelvor::gui
