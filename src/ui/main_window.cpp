// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <utility>

#include "link/link_texts.h"
#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/catalogue.h"
#include "model/channel_rows.h"
#include "model/startup.h"
#include "ui/access_keys.h"
#include "ui/announcer.h"
#include "ui/card_commands.h"
#include "ui/channel_grid_window.h"
#include "ui/comm_window.h"
#include "ui/edit_command_runner.h"
#include "ui/edit_commands.h"
#include "ui/editor_placement.h"
#include "ui/external_file.h"
#include "ui/help_window.h"
#include "ui/image_recorder.h"
#include "ui/message_presenter.h"
#include "ui/port_panel.h"
#include "ui/qt_text.h"
#include "ui/unsaved_changes.h"
#include "ui/window_support.h"
#include "ui/window_table.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Merivon ZT790 C1.0 series program software ",
                        "Merivon  ZT790 C1.0 系列对讲机编程软件 "};
constexpr BiText kPanelState{"State", "状态"};
constexpr BiText kPanelVersion{"  Version", "软件版本"};
constexpr BiText kPanelBand{"Band", "频段"};
constexpr BiText kPanelMaker{"Merivon ", "Merivon"};

// Shares of the main window's width, in hundredths, of the eight status panels.
constexpr std::array<int, kStatusPanels> kPanelShares{5, 15, 6, 8, 10, 5, 16, 35};

// Ends the program from anywhere in it, as desktops do.
constexpr const char* kQuitShortcut = "Ctrl+Q";

// Toolbar buttons by key, with the menu command each stands for and its icon;
// `keys` for a command whose shortcut is not its menu item's.
struct ToolButton {
    const char* key;
    const char* command;
    QStyle::StandardPixmap icon;
    const char* keys = nullptr;
};
constexpr ToolButton kToolButtons[] = {
    {"open", "File_Open", QStyle::SP_DialogOpenButton},
    {"save", "File_save", QStyle::SP_DialogSaveButton},
    {"edit_chann", "Channel_edit", QStyle::SP_FileDialogDetailedView},
    {"read", "Prog_read", QStyle::SP_ArrowDown},
    {"write", "Prog_write", QStyle::SP_ArrowUp},
    {"Exit", "File_exit", QStyle::SP_DialogCloseButton, kQuitShortcut},
};

// How long a note stands in the status bar.
constexpr int kStatusNoteMs = 15000;

// The local file a drag carries, when it carries exactly one.
QString DraggedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

}  // namespace

MainWindow::MainWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      presenter_(presenter),
      mdi_(new QMdiArea(this)),
      recorder_(new ImageRecorder(state, this)),
      editCommands_(new EditCommandRunner(*this, *recorder_)) {
    setObjectName("MDImain");
    mdi_->setObjectName("mdi");
    setCentralWidget(mdi_);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
    setAcceptDrops(true);
    showFocusInEveryWindow(this);
    addHelpKey(this);
    auto* quitKey = new QAction(this);
    quitKey->setObjectName("quit_key");
    quitKey->setShortcut(QKeySequence(QString::fromLatin1(kQuitShortcut)));
    quitKey->setShortcutContext(Qt::ApplicationShortcut);  // from the manual's window too
    connect(quitKey, &QAction::triggered, this, &MainWindow::quit);
    addAction(quitKey);
    connect(recorder_, &ImageRecorder::changed, this, &MainWindow::updateEditState);
    exchangeRunning = [this] {
        for (WindowId id : {WindowId::CommRead, WindowId::CommWrite}) {
            auto* comm = qobject_cast<CommWindow*>(window(id));
            if (comm && comm->exchangeRunning()) return true;
        }
        return false;
    };
}

MainWindow::~MainWindow() {
    // Unload the windows while the state their open flags live in still exists.
    for (auto& [id, window] : windows_) {
        if (!window) continue;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
            delete sub;
        } else {
            delete window.data();
        }
    }
}

void MainWindow::buildMenus() {
    std::map<QString, QWidget*> menus{{QString(), menuBar()}};
    std::vector<QString> placed;
    for (const MenuItem& item : MenuLayout()) {
        if (item.kind == MenuKind::WindowCommand) {
            const WindowSpec* spec = WindowOfCommand(QString::fromLatin1(item.name));
            if (!spec) continue;
            addMenuItem(spec->command, menus);
        } else {
            addMenuItem(item, menus);
        }
        placed.push_back(QString::fromLatin1(item.name));
    }
    // Windows added after the layout was drawn go after the items of their menu.
    for (const WindowSpec& spec : Windows()) {
        if (!spec.command.name) continue;
        if (std::find(placed.begin(), placed.end(), QLatin1String(spec.command.name)) ==
            placed.end()) {
            addMenuItem(spec.command, menus);
        }
    }

    // Save As opens the same window as Save.
    connect(actions_.at("File_saveas"), &QAction::triggered, actions_.at("File_save"),
            &QAction::trigger);
    for (const char* exit : {"File_exit", "Menu_exit"})
        connect(actions_.at(exit), &QAction::triggered, this, &MainWindow::quit);
    for (const EditCommandEntry& e : kEditCommands) {
        QAction* a = actions_.at(e.name);
        const EditCommand id = e.id;
        connect(a, &QAction::triggered, editCommands_, [this, id] { editCommands_->run(id); });
        // Undo and redo work in every editor; the channel commands only while
        // the grid has the focus (their keys mean other things elsewhere).
        if (id != EditCommand::Undo && id != EditCommand::Redo)
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    connect(actions_.at("File_importcsv"), &QAction::triggered, editCommands_,
            &EditCommandRunner::importCsv);
    connect(actions_.at("File_exportcsv"), &QAction::triggered, editCommands_,
            &EditCommandRunner::exportCsv);
    auto* cards = new CardCommands(*this);
    connect(actions_.at("File_printcard"), &QAction::triggered, cards, &CardCommands::print);
    connect(actions_.at("File_exportcard"), &QAction::triggered, cards, &CardCommands::exportPdf);
    auto* languages = new QActionGroup(this);
    for (const char* name : {"Language_chn", "Language_eng"}) {
        QAction* a = actions_.at(name);
        a->setCheckable(true);
        languages->addAction(a);
        const bool chinese = qstrcmp(name, "Language_chn") == 0;
        connect(a, &QAction::triggered, this, [this, chinese] { switchLanguage(chinese); });
    }
    actions_.at("Language_eng")->setChecked(true);
}

void MainWindow::addMenuItem(const MenuItem& item, std::map<QString, QWidget*>& menus) {
    const QString name = QString::fromLatin1(item.name);
    QWidget* parent = menus.at(QString::fromLatin1(item.parent));
    QAction* a = nullptr;
    switch (item.kind) {
        case MenuKind::Submenu: {
            auto* menu = new QMenu(parent);
            menu->setObjectName(name);
            a = menu->menuAction();
            parent->addAction(a);
            menus[name] = menu;
            HandleAccessKeys(menu);
            // Its Chinese shortcut opens it as its English mnemonic does.
            connect(a, &QAction::triggered, this, [this, a] { menuBar()->setActiveAction(a); });
            break;
        }
        case MenuKind::Divider:
            a = new QAction(this);
            a->setSeparator(true);
            parent->addAction(a);
            break;
        case MenuKind::Command:
        case MenuKind::WindowCommand:
            a = new QAction(this);
            if (item.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            parent->addAction(a);
            break;
    }
    a->setObjectName(name);
    actions_[name] = a;
    if (const WindowSpec* spec = WindowOfCommand(name)) {
        const WindowId id = spec->id;
        connect(a, &QAction::triggered, this, [this, id] { reopen(id); });
    }
    switch (item.shown) {
        case Shown::Yes:
            break;
        case Shown::Inert:
            a->setEnabled(false);
            break;
        case Shown::Advanced:
            advancedItems_.push_back(a);
            [[fallthrough]];
        case Shown::Never:
            a->setVisible(false);
            a->setEnabled(false);
            break;
    }
}

void MainWindow::setAdvanced(bool advanced) {
    advanced_ = advanced;
    for (QAction* a : advancedItems_) {
        a->setVisible(advanced);
        a->setEnabled(advanced);
    }
}

void MainWindow::buildToolbar() {
    auto* toolbar = addToolBar(QString());
    toolbar->setObjectName("Toolbar1");
    toolbar->setMovable(false);
    for (const ToolButton& b : kToolButtons) {
        auto* a = toolbar->addAction(style()->standardIcon(b.icon), QString());
        a->setObjectName(b.key);
        const QString key = QString::fromLatin1(b.key);
        actions_[key] = a;
        connect(a, &QAction::triggered, this, [this, key] { toolbarClicked(key); });
    }
}

void MainWindow::toolbarClicked(const QString& key) {
    for (const ToolButton& b : kToolButtons) {
        if (key == QLatin1String(b.key)) {
            actions_.at(QString::fromLatin1(b.command))->trigger();
            return;
        }
    }
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    // Its notes ("Cleared the leftover bytes ...") are spoken too.
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& note) {
        if (speakPanels_) announce(this, note);
    });
    for (int i = 0; i < kStatusPanels; ++i) {
        // Panel 3 keeps a port's whole name in view.
        auto* label = i == 2 ? new PortPanel(bar) : new QLabel(bar);
        label->setObjectName(QString("panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Ignored size hints let the stretch factors alone share out the width.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        label->setMinimumWidth(1);
        bar->addWidget(label, kPanelShares[static_cast<std::size_t>(i)]);
        panels_[static_cast<std::size_t>(i)] = label;
    }
}

void MainWindow::load() {
    StartUp(state_);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(static_cast<int>(screen.width() / 1.5), static_cast<int>(screen.height() / 1.5));
    move(screen.left() + (screen.width() - width()) / 2,
         screen.top() + (screen.height() - height()) / 2);

    applyCaptions();
    setStatusPanel(2, QString());
    setStatusPanel(5, qs(state_.SoftwareVersion));
    showBandPanel();
    // Shown with its status texts, so the work area has its final height when
    // the grid is sized to fill it (empty panels make a lower status bar).
    show();
    reopen(WindowId::Chann);
    // The start-up image is where undo ends and what counts as unchanged.
    recorder_->reset();
    speakPanels_ = true;
}

void MainWindow::applyCaptions() {
    const QScopedValueRollback quiet(speakPanels_, false);
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kTitle, chinese));
    const auto setCaption = [this, chinese](const MenuItem& item) {
        QAction* a = actions_.at(QString::fromLatin1(item.name));
        const QString caption = qs(item.caption, chinese);
        const char key = AccessKey(item.name);
        if (*item.parent == '\0') {
            SetMenuBarCaption(a, caption, key, chinese);
        } else {
            a->setText(chinese ? WithAccessKey(caption, 0) : WithAccessKey(caption, key));
        }
    };
    for (const MenuItem& item : MenuLayout()) {
        if (item.kind == MenuKind::Submenu || item.kind == MenuKind::Command) setCaption(item);
    }
    for (const WindowSpec& spec : Windows()) {
        if (spec.command.name) setCaption(spec.command);
    }
    for (const ToolButton& b : kToolButtons) {
        QAction* command = action(QString::fromLatin1(b.command));
        QAction* button = action(QString::fromLatin1(b.key));
        const QString caption = ShownText(command->text()).trimmed();
        // The button's name for a screen reader; the toolbar shows only icons.
        button->setText(caption);
        const QKeySequence keys =
            b.keys ? QKeySequence(QString::fromLatin1(b.keys)) : command->shortcut();
        button->setToolTip(keys.isEmpty()
                               ? caption
                               : caption + " (" + keys.toString(QKeySequence::NativeText) + ")");
    }
    actions_.at("Language_chn")->setChecked(chinese);
    actions_.at("Language_eng")->setChecked(!chinese);
    setStatusPanel(1, qs(kPanelState, chinese));
    showPortPanel();
    setStatusPanel(4, qs(kPanelVersion, chinese));
    setStatusPanel(6, qs(kPanelBand, chinese));
    setStatusPanel(8, qs(kPanelMaker, chinese));
    updateEditState();
}

void MainWindow::updateEditState() {
    const bool grid = channelGrid() != nullptr;
    for (const EditCommandEntry& e : kEditCommands) {
        QAction* a = actions_.at(e.name);
        switch (e.id) {
            case EditCommand::Undo:
                a->setEnabled(recorder_->canUndo());
                break;
            case EditCommand::Redo:
                a->setEnabled(recorder_->canRedo());
                break;
            default:
                a->setEnabled(grid);
                break;
        }
    }
    setStatusPanel(2,
                   recorder_->modified() ? qs(kModifiedPanel, state_.LanguageChinese) : QString());
}

void MainWindow::switchLanguage(bool chinese) {
    // The about box builds its texts from the flag when it loads, so setting the
    // flag is all its texts need.
    state_.LanguageChinese = chinese;
    emit languageChanged(chinese);
    applyCaptions();
    reloadOpenWindows();
    // The manual, when it is open, follows at the same place.
    if (help_ && help_->isVisible()) help_->showSection(chinese, help_->section());
}

void MainWindow::reloadOpenWindows() {
    for (const WindowSpec& spec : Windows()) {
        if (spec.openFlag && state_.Windows.*spec.openFlag) reopen(spec.id);
    }
}

void MainWindow::setStatusPanel(int panel, const QString& text) {
    QLabel* label = panels_.at(static_cast<std::size_t>(panel - 1));
    const bool changed = label->text() != text;
    label->setText(text);
    // Modified, and the band with its caption.
    if (changed && speakPanels_ && (panel == 2 || panel == 7))
        announce(this, panel == 2 ? text : statusPanel(6).trimmed() + ' ' + text.trimmed());
}

QString MainWindow::statusPanel(int panel) const {
    return panels_.at(static_cast<std::size_t>(panel - 1))->text();
}

void MainWindow::showPortPanel() {
    auto* panel = static_cast<PortPanel*>(panels_[2]);
    const QString port =
        state_.ComDevice.empty() ? QString("COM%1").arg(state_.ComPort) : qs(state_.ComDevice);
    if (speakPanels_ && port != panel->port()) announce(this, port);
    panel->setPort(port);
}

void MainWindow::showBandPanel() {
    setStatusPanel(7, qs(BandPanelText(state_.BandLowMHz, state_.BandHighMHz)));
}

QAction* MainWindow::action(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

ChannelGridWindow* MainWindow::channelGrid() const {
    return qobject_cast<ChannelGridWindow*>(window(WindowId::Chann));
}

QWidget* MainWindow::window(WindowId id) const {
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.data();
}

bool MainWindow::unload(WindowId id) {
    QWidget* w = window(id);
    if (!w) return true;
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : w;
    // A command reopening an exchange window stops its exchange rather than wait.
    if (auto* forced = dynamic_cast<ForcedUnload*>(w)) forced->prepareForcedUnload();
    if (!frame->close()) return false;
    // Deleted at once rather than later, so the window's unload handler has run
    // before its successor loads.
    delete frame;
    windows_.erase(id);
    updateEditState();
    return true;
}

void MainWindow::reopen(WindowId id) {
    if (!unload(id)) return;
    // What a window rewrites as it shows the image (the rules of its refresh,
    // such as Optional Features clearing "VOX Inhibit on Receive") is a step
    // of its own: marked "Modified" and undone like an edit, so a save never
    // writes a change the user was not shown.
    recorder_->settle();
    if (QWidget* w = Window(id).create(*this)) {
        windows_[id] = w;
        showWindow(id, w);
    }
    recorder_->settle();
    updateEditState();
}

void MainWindow::showWindow(WindowId id, QWidget* w) {
    const Placement& placement = Window(id).placement;
    tabInReadingOrder(w);
    if (auto* dialog = qobject_cast<QDialog*>(w)) {
        dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::ApplicationModal);
        addHelpKey(dialog);
        connectHelpButton(id, dialog);
        placeWindow(placement, dialog, this, mdi_);
        dialog->show();
        emit windowShown(w);
        return;
    }
    QMdiSubWindow* sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    addCloseKeys(sub);
    pressButtonsWithEnter(w);
    connectHelpButton(id, w);
    sub->setWindowIcon(QApplication::windowIcon());
    w->show();
    placeWindow(placement, sub, this, mdi_);
    sub->show();
    mdi_->setActiveSubWindow(sub);
    emit windowShown(w);
}

void MainWindow::commitPendingGridEdit(bool frequencyToo) {
    if (!channelGrid()) reopen(WindowId::Chann);
    ChannelGridWindow* grid = channelGrid();
    if (!grid) return;
    if (frequencyToo) {
        grid->commitPendingEdit();
    } else {
        grid->commitPendingName();
    }
    recorder_->settle();  // an edit, not part of opening the window
}

void MainWindow::addCloseKeys(QMdiSubWindow* sub) {
    const QList<QKeySequence> closeKeys{QKeySequence(Qt::CTRL | Qt::Key_F4),
                                        QKeySequence(Qt::Key_Escape)};
    if (sub->systemMenu()) {
        for (QAction* a : sub->systemMenu()->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            bool taken = keys.removeAll(QKeySequence(QStringLiteral("Ctrl+W"))) > 0;
            for (const QKeySequence& k : closeKeys) taken = keys.removeAll(k) > 0 || taken;
            if (taken) a->setShortcuts(keys);
        }
    }
    auto* close = new QAction(sub);
    close->setObjectName("close_key");
    close->setShortcuts(closeKeys);
    close->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QAction::triggered, sub, &QWidget::close);
    sub->addAction(close);
}

void MainWindow::quit() { close(); }

bool MainWindow::mayQuit() {
    if (exchangeRunning()) {
        presenter_.show(link_text::kDontClose, state_.LanguageChinese);
        return false;
    }
    // What is being typed in the grid counts as a change.
    if (ChannelGridWindow* grid = channelGrid()) grid->commitPendingEdit();
    recorder_->settle();
    if (!recorder_->modified()) return true;
    switch (AskSaveBeforeClosing(presenter_, state_.LanguageChinese)) {
        case CloseAnswer::Discard:
            return true;
        case CloseAnswer::Cancel:
            return false;
        case CloseAnswer::Save:
            break;
    }
    // The program ends once the save window has saved; closing that window
    // without saving keeps the program open.
    reopen(WindowId::SaveChann);
    if (QWidget* save = window(WindowId::SaveChann)) {
        quitAfterSave_ = true;
        connect(save, &QObject::destroyed, this, [this] { quitAfterSave_ = false; });
    }
    return false;
}

void MainWindow::imageReplaced() {
    recorder_->quietly([this] {
        if (ChannelGridWindow* grid = channelGrid()) grid->showAllRows();
    });
}

void MainWindow::imageLoaded(const QString& file) {
    imageFile_ = file;
    recorder_->markSaved();
    recorder_->settle();
    // The radio's band is the file's (or the radio's): its own channels can be
    // entered.
    RecomputeBandEdges(state_);
    showBandPanel();
    // Empty channels are shown, and kept, without the bytes a file or a radio
    // may have left in them: one step after the load, said in the status bar.
    const int cleared = ClearEmptyChannels(state_.ChannelTable);
    imageReplaced();
    recorder_->settle();
    if (cleared > 0) {
        statusBar()->showMessage(qs(ClearedEmptyChannelsNote(cleared).in(state_.LanguageChinese)),
                                 kStatusNoteMs);
    }
}

void MainWindow::imageSaved(const QString& file) {
    imageFile_ = file;
    recorder_->markSaved();
    if (std::exchange(quitAfterSave_, false)) {
        // After the save window has finished its own handler.
        QMetaObject::invokeMethod(this, &MainWindow::quit, Qt::QueuedConnection);
    }
}

void MainWindow::refreshWindows() {
    recorder_->quietly([this] { showImageInWindows(); });
}

void MainWindow::showImageInWindows() {
    for (const auto& [id, window] : windows_) {
        if (auto* editor = dynamic_cast<ActivationRefresh*>(window.data()))
            editor->windowActivated();
    }
}

void MainWindow::attachEditCommands(ChannelGridWindow* grid) {
    QList<QAction*> menu;
    for (const EditCommandEntry& e : kEditCommands) {
        QAction* a = actions_.at(e.name);
        grid->addAction(a);
        if (!e.inContextMenu) continue;
        if (e.divider && !menu.isEmpty()) menu << nullptr;
        menu << a;
    }
    grid->setContextActions(menu);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayQuit()) {
        event->ignore();
        return;
    }
    // The manual's window is a window of its own; it goes with the program.
    if (help_) help_->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    // Not while the radio is being read or written: the image is in use.
    if (!DraggedFile(event->mimeData()).isEmpty() && !exchangeRunning())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DraggedFile(event->mimeData());
    if (path.isEmpty() || exchangeRunning()) return;
    event->acceptProposedAction();
    // The message box of the result must not hold up the program the file was
    // dragged from.
    QMetaObject::invokeMethod(
        this, [this, path] { openFile(path); }, Qt::QueuedConnection);
}

bool MainWindow::openFile(const QString& path) {
    const FileResult result = LoadExternalFile(path, state_.ChannelTable);
    presenter_.show(qs(result.message.in(state_.LanguageChinese)),
                    qs(kOperatePrompt, state_.LanguageChinese));
    if (!result.ok) return false;
    // A channel file is what the image now matches; imported channels are an
    // edit still to be saved.
    if (IsCsvFile(path)) {
        imageReplaced();
    } else {
        imageLoaded(path);
    }
    return true;
}

void MainWindow::addHelpKey(QWidget* window) {
    auto* key = new QAction(window);
    key->setObjectName("help_key");
    key->setShortcut(QKeySequence::HelpContents);
    connect(key, &QAction::triggered, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || focus == mdi_ || (!mdi_->isAncestorOf(focus) && focus->window() == this)) {
            // Nothing of an editor has the focus: the active editor's section.
            QMdiSubWindow* active = mdi_->activeSubWindow();
            focus = active ? active->widget() : nullptr;
        }
        showHelp(helpSection(focus));
    });
    window->addAction(key);
}

void MainWindow::connectHelpButton(WindowId id, QWidget* window) {
    // The windows name their help button as the others' controls; each shows
    // the window's own section.
    auto* button = window->findChild<QAbstractButton*>("Command_Help");
    if (!button) return;
    const QString section = QString::fromLatin1(Window(id).manualSection);
    connect(button, &QAbstractButton::clicked, this, [this, section] { showHelp(section); });
}

QString MainWindow::helpSection(const QWidget* widget) const {
    for (const auto& [id, window] : windows_) {
        if (window && widget && (window == widget || window->isAncestorOf(widget)))
            return QString::fromLatin1(Window(id).manualSection);
    }
    return QString::fromLatin1(kMainWindowSection);
}

void MainWindow::showHelp(const QString& section) {
    if (!help_) {
        help_ = new HelpWindow(this);
        // At the right edge of the screen, where it covers least of the windows
        // it explains.
        const QRect screen = this->screen()->availableGeometry();
        const int width = std::min(screen.width(), std::max(560, screen.width() * 2 / 5));
        const int height = screen.height() * 9 / 10;
        help_->resize(width, height);
        help_->move(screen.right() + 1 - width, screen.top() + (screen.height() - height) / 2);
    }
    // Opened from a modal dialog, the manual stays usable beside it.
    help_->setTransientParent(QApplication::activeModalWidget());
    help_->showSection(state_.LanguageChinese, section);
}

HelpWindow* MainWindow::helpWindow() const { return help_; }

void MainWindow::subWindowActivated(QMdiSubWindow* sub) {
    // Activation also arrives when the whole program regains the focus, for
    // example after a message box; only a change of editor rebuilds a view.
    if (!sub || sub == lastActive_) return;
    lastActive_ = sub;
    if (auto* editor = dynamic_cast<ActivationRefresh*>(sub->widget())) {
        recorder_->settle();
        editor->windowActivated();
        recorder_->settle();  // what the refresh rewrote, as on opening
    }
}

}  // namespace zt
