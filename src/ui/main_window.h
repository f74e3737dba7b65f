// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MDImain: the frame every other window opens in. It owns the menu bar, the
// toolbar, the eight-panel status bar and the multiple-document area, runs the
// start-up steps, and is the one place where a command opens its window (each
// window is described in the window table, ui/window_table.h). It also takes
// files from outside (the command line, a drop) and opens the manual.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <vector>

#include "ui/exchange_support.h"
#include "ui/menu_item.h"
#include "ui/window_id.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace zt {

struct AppState;
class MessagePresenter;
class ChannelGridWindow;
class EditCommandRunner;
class HelpWindow;
class ImageRecorder;

inline constexpr int kStatusPanels = 8;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: the program-wide settings, the blank image, the window's size,
    // captions and status panels, then the channel grid.
    void load();

    // Every menu and toolbar command that names a window: unload it if it is
    // loaded, then load it afresh. A window whose unloading is refused stays.
    void reopen(WindowId id);
    // Unloads a window if it is loaded; false when the window refused to close.
    bool unload(WindowId id);
    // The loaded window, or nullptr.
    [[nodiscard]] QWidget* window(WindowId id) const;
    [[nodiscard]] ChannelGridWindow* channelGrid() const;

    // Writes every caption of the main window (menus, title, status panels 1, 3,
    // 4, 6 and 8) in the language in force.
    void applyCaptions();
    // The language menu's two items: the flag, every caption of the main window
    // (check marks included), then every open window reloaded in its language.
    // Choosing the language in force reloads them all the same.
    void switchLanguage(bool chinese);
    // For the language switch: unloads and loads again every open window that
    // records its open flag, in the documented order.
    void reloadOpenWindows();

    // Shows the entries hidden in a normal run (Key Assignment, Scan
    // Information, Embedded Message and the Language menu), or hides them again.
    void setAdvanced(bool advanced);
    [[nodiscard]] bool advanced() const { return advanced_; }

    // A file from outside the program (the command line, a drop): a channel file
    // is loaded with the checks and messages of the open window, a CSV file is
    // imported into the image. False, with the image unchanged, when refused.
    bool openFile(const QString& path);
    // The image was replaced as a whole: the grid shows it again (the other
    // editors when they are next activated).
    void imageReplaced();
    // A channel file was loaded into the image (`file`), or the radio read
    // into it (no file): what the image now matches. Its band edges come into
    // force, and empty channels lose leftover bytes as a step of their own.
    void imageLoaded(const QString& file = {});
    // The image was saved to a channel file.
    void imageSaved(const QString& file = {});
    // The channel file the image was last loaded from or saved to; empty when
    // none, or when a read has replaced the image since.
    [[nodiscard]] QString imageFile() const { return imageFile_; }
    void setImageFile(const QString& file) { imageFile_ = file; }

    // Every open editor shows the image again; what showing it tidies is no
    // edit of its own (ImageRecorder::quietly).
    void refreshWindows();
    // The same without the recorder, for its undo and redo.
    void showImageInWindows();

    // Records the changes of the image as undo steps and knows whether it holds
    // changes not saved to a file or written to the radio.
    [[nodiscard]] ImageRecorder& recorder() const { return *recorder_; }
    // The Edit menu's channel and undo commands and the CSV commands of the
    // File menu.
    [[nodiscard]] EditCommandRunner& editCommands() const { return *editCommands_; }
    // Gives a freshly built channel grid the channel commands: their shortcuts
    // work while it has the focus, and its context menu lists them.
    void attachEditCommands(ChannelGridWindow* grid);

    // Opens the user manual in the language in force at a section (its anchor).
    void showHelp(const QString& section);
    // The manual section of the window `widget` belongs to: a window of the
    // window table, else the main window's.
    [[nodiscard]] QString helpSection(const QWidget* widget) const;
    [[nodiscard]] HelpWindow* helpWindow() const;

    // Ends the program: Exit in the File menu, the top-level Exit, the toolbar's
    // Exit, Ctrl+Q and the window's close box all come here.
    void quit();

    // The read and write windows open with a name still being typed in the grid
    // stored first, and the write window also with a frequency being typed; the
    // grid is loaded for this when it is not.
    void commitPendingGridEdit(bool frequencyToo);

    void setStatusPanel(int panel, const QString& text);  // panel 1..8
    [[nodiscard]] QString statusPanel(int panel) const;
    // Panel 3: "COM" and the port number, or the device chosen by path.
    void showPortPanel();
    // Panel 7: the band edges in force.
    void showBandPanel();

    // The menu or toolbar action of a control name ("File_Open", "open", ...).
    [[nodiscard]] QAction* action(const QString& name) const;
    [[nodiscard]] QMdiArea* mdiArea() const { return mdi_; }
    [[nodiscard]] AppState& state() const { return state_; }
    [[nodiscard]] MessagePresenter& presenter() const { return presenter_; }

    // Set by the read and write windows: true while an exchange with the radio
    // runs, during which the channel grid refuses to close.
    std::function<bool()> exchangeRunning = [] { return false; };

    // Makes the serial port and timers of each read, write and power window; tests
    // put the simulated radio here.
    LinkDevicesFactory linkDevices = SerialLinkDevices;
    // Keeps what the program remembers between runs (the write window's
    // safeguards) once it has changed; tests keep nothing.
    std::function<void()> rememberSettings;

  signals:
    // CurrentChannel changed (the grid's caption follows it).
    void currentChannelChanged();
    // A freshly loaded window is on screen.
    void windowShown(QWidget* window);
    // The language menu chose a language (the program follows with Qt's own texts).
    void languageChanged(bool chinese);

  protected:
    // Every way of ending the program arrives here; see mayQuit.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Whether the program may end now. Refused while a read or write runs:
    // ending the program then would leave the radio half-written. With changes
    // not saved or written, asks: Save opens the save window and the program
    // ends once it has saved, Discard ends it, Cancel stays.
    bool mayQuit();
    // Panel 2 and the enabled state of the edit commands, after every step,
    // undo, save and window change.
    void updateEditState();
    // Puts a freshly built window on screen: dialogs over the main window, the
    // editors into the multiple-document area.
    void showWindow(WindowId id, QWidget* window);
    // F1 in `window` (the main window or a dialog) opens the manual at the
    // section of the window that has the focus.
    void addHelpKey(QWidget* window);
    // The window's Help button, when it has one, opens its section.
    void connectHelpButton(WindowId id, QWidget* window);
    void buildMenus();
    void addMenuItem(const MenuItem& item, std::map<QString, QWidget*>& menus);
    void buildToolbar();
    void buildStatusBar();
    void toolbarClicked(const QString& key);
    void subWindowActivated(QMdiSubWindow* sub);
    // Ctrl+F4 and Escape close an editor's frame with the editor, from
    // anywhere inside it. The frame's own keyboard close is taken off: it
    // includes Ctrl+W on this desktop, which would make the write command's
    // shortcut ambiguous, so neither would run.
    void addCloseKeys(QMdiSubWindow* sub);

    AppState& state_;
    MessagePresenter& presenter_;
    QMdiArea* mdi_;
    std::array<QLabel*, kStatusPanels> panels_{};
    std::map<QString, QAction*> actions_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    QPointer<QMdiSubWindow> lastActive_;
    std::vector<QAction*> advancedItems_;
    bool advanced_ = false;
    QPointer<HelpWindow> help_;
    ImageRecorder* recorder_;
    EditCommandRunner* editCommands_;
    bool quitAfterSave_ = false;  // the closing question was answered Save
    QString imageFile_;
    // Off while start-up and the language switch write the status panels: only
    // a change the user made or caused is spoken.
    bool speakPanels_ = false;
};

}  // namespace zt
