// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MDImain: the frame every other window opens in. It owns the menu bar, the
// toolbar, the eight-panel status bar and the multiple-document area, runs the
// start-up steps, and is the one place where a command opens its window.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <map>

#include "ui/exchange_support.h"
#include "ui/window_id.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace zt {

struct AppState;
class MessagePresenter;
class ChannelGridWindow;

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

  signals:
    // CurrentChannel changed (the grid's caption follows it).
    void currentChannelChanged();

  protected:
    // Refused while a read or write runs: ending the program then would leave
    // the radio half-written.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The one place that builds a window for a command; nullptr for a window
    // that does not exist yet.
    QWidget* createWindow(WindowId id);
    // The read and write windows open with a name still being typed in the grid
    // stored first, and the write window also with a frequency being typed; the
    // grid is loaded for this when it is not.
    void commitPendingGridEdit(bool frequencyToo);
    // Puts a freshly built window on screen: dialogs over the main window, the
    // editors into the multiple-document area.
    void showWindow(WindowId id, QWidget* window);
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void toolbarClicked(const QString& key);
    void subWindowActivated(QMdiSubWindow* sub);
    // The frame's own keyboard close (Ctrl+W on this desktop) would make the
    // write command's shortcut ambiguous, so neither would run.
    static void keepWriteShortcut(QMdiSubWindow* sub);
    QAction* addCommand(QWidget* menu, const char* name, const char* shortcut = nullptr);

    AppState& state_;
    MessagePresenter& presenter_;
    QMdiArea* mdi_;
    std::array<QLabel*, kStatusPanels> panels_{};
    std::map<QString, QAction*> actions_;
    std::map<WindowId, QPointer<QWidget>> windows_;
    QPointer<QMdiSubWindow> lastActive_;
};

}  // namespace zt
