// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the channel and undo commands of the Edit menu (and of the grid's
// context menu and their shortcuts), and File -> Import CSV... and Export
// CSV...: cut, copy and paste channels (exactly within the program, as CSV
// with other tools), empty, move, insert, delete and sort them, set fields on
// many at once, undo and redo. Every change to the channels goes through the
// channel row operations and the CSV importer; afterwards every open window
// shows the image again.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "files/channel_csv.h"
#include "model/bitext.h"
#include "model/channel_commands.h"
#include "ui/edit_commands.h"

namespace zt {

class BulkEditDialog;
class MainWindow;
class ImageRecorder;

class EditCommandRunner : public QObject {
    Q_OBJECT
  public:
    EditCommandRunner(MainWindow& main, ImageRecorder& recorder);

    void run(EditCommand command);
    void importCsv();
    void exportCsv();

    // The desktop's standard file dialogs and the import options dialog; tests
    // answer them. An empty path or no options cancels.
    std::function<QString(const QString& title, const QString& filter)> chooseFileToOpen;
    std::function<QString(const QString& title, const QString& filter)> chooseFileToSave;
    std::function<std::optional<CsvImportOptions>(const QString& fileName)> askImportOptions;
    // Runs the Set Fields dialog until it is closed (modally); tests fill it in.
    std::function<void(BulkEditDialog&)> runFieldsDialog;

  private:
    // The grid's selection with its editor committed (as its own step), or
    // nothing when the grid is not open or the radio is being read or written.
    std::optional<ChannelSelection> takeSelection();
    void copy(const ChannelSelection& selection);
    void paste(const ChannelSelection& selection);
    // Asks before a paste replaces channels in use; true to go on.
    [[nodiscard]] bool mayReplace(int used) const;
    void channelCommand(ChannelCommand command, const ChannelSelection& selection);
    void setFields(const ChannelSelection& selection);
    void undo(bool redo);
    // Refuses a change while an exchange with the radio uses the image.
    [[nodiscard]] bool imageInUse() const;
    void show(const BiString& message) const;

    MainWindow& main_;
    ImageRecorder& recorder_;
};

}  // namespace zt
