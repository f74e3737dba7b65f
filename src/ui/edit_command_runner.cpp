// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/edit_command_runner.h"

#include <QFileDialog>
#include <QFileInfo>

#include "files/csv_import_report.h"
#include "files/text_file.h"
#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/bulk_edit.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/channel_clipboard.h"
#include "ui/channel_grid_window.h"
#include "ui/csv_import_dialog.h"
#include "ui/external_file.h"
#include "ui/image_recorder.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kImageInUse{
    "The radio is being read or written. Change the channels when it has finished.",
    "正在读写对讲机，请在完成后再修改信道。"};
constexpr BiText kNoChannelRows{
    "The clipboard holds no channel rows. Copy channels in the grid, or CSV rows with their "
    "header line (Location, Name, Frequency, ...) from a spreadsheet or a text file.",
    "剪贴板中没有信道行。请在表格中复制信道，或从电子表格或文本文件中复制带标题行（Location, "
    "Name, Frequency, ...）的 CSV 行。"};
constexpr BiText kNothingPasted{"Nothing was pasted; the channels are unchanged.",
                                "未粘贴任何信道，信道保持不变。"};
constexpr BiText kCsvFilter{"CSV files (*.csv *.CSV);;All files (*)",
                            "CSV 文件 (*.csv *.CSV);;所有文件 (*)"};

QString ChooseWithDialog(QWidget* parent, bool save, const QString& title, const QString& filter) {
    return save ? QFileDialog::getSaveFileName(parent, title, QString(), filter)
                : QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

std::string ChannelRange(const std::vector<int>& channels, bool chinese) {
    const std::string first = std::to_string(channels.front());
    const std::string last = std::to_string(channels.back());
    if (channels.size() == 1) return (chinese ? "信道 " : "channel ") + first;
    return chinese ? "信道 " + first + " 至 " + last : "channels " + first + " to " + last;
}

}  // namespace

EditCommandRunner::EditCommandRunner(MainWindow& main, ImageRecorder& recorder)
    : QObject(&main), main_(main), recorder_(recorder) {
    chooseFileToOpen = [this](const QString& title, const QString& filter) {
        return ChooseWithDialog(&main_, false, title, filter);
    };
    chooseFileToSave = [this](const QString& title, const QString& filter) {
        return ChooseWithDialog(&main_, true, title, filter);
    };
    askImportOptions = [this](const QString& fileName) -> std::optional<CsvImportOptions> {
        CsvImportDialog dialog(fileName, main_.state().LanguageChinese, &main_);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.options();
    };
    runFieldsDialog = [](BulkEditDialog& dialog) { dialog.exec(); };
}

bool EditCommandRunner::imageInUse() const {
    if (!main_.exchangeRunning()) return false;
    show(BiString(kImageInUse));
    return true;
}

void EditCommandRunner::show(const BiString& message) const {
    const bool chinese = main_.state().LanguageChinese;
    main_.presenter().show(qs(message.in(chinese)), qs(kOperatePrompt, chinese));
}

std::optional<ChannelSelection> EditCommandRunner::takeSelection() {
    ChannelGridWindow* grid = main_.channelGrid();
    if (!grid) return std::nullopt;
    grid->finishEditing();
    recorder_.settle();  // what was being typed is a step of its own
    return grid->selection();
}

void EditCommandRunner::run(EditCommand command) {
    switch (command) {
        case EditCommand::Undo:
        case EditCommand::Redo:
            undo(command == EditCommand::Redo);
            return;
        case EditCommand::SelectAll:
            if (ChannelGridWindow* grid = main_.channelGrid()) grid->selectAllChannels();
            return;
        case EditCommand::Copy:
            if (const auto selection = takeSelection()) copy(*selection);
            return;
        default:
            break;
    }
    if (imageInUse()) return;
    const auto selection = takeSelection();
    if (!selection) return;
    switch (command) {
        case EditCommand::Cut:
            copy(*selection);
            channelCommand(ChannelCommand::Empty, *selection);
            return;
        case EditCommand::Paste:
            paste(*selection);
            return;
        case EditCommand::Empty:
            return channelCommand(ChannelCommand::Empty, *selection);
        case EditCommand::MoveUp:
            return channelCommand(ChannelCommand::MoveUp, *selection);
        case EditCommand::MoveDown:
            return channelCommand(ChannelCommand::MoveDown, *selection);
        case EditCommand::Insert:
            return channelCommand(ChannelCommand::Insert, *selection);
        case EditCommand::Delete:
            return channelCommand(ChannelCommand::Delete, *selection);
        case EditCommand::SortByRx:
            return channelCommand(ChannelCommand::SortByRx, *selection);
        case EditCommand::SortByName:
            return channelCommand(ChannelCommand::SortByName, *selection);
        case EditCommand::SetFields:
            return setFields(*selection);
        default:
            return;
    }
}

void EditCommandRunner::copy(const ChannelSelection& selection) {
    const std::vector<int> channels =
        selection.channels.empty() ? std::vector<int>{selection.current} : selection.channels;
    PutCsvOnClipboard(FormatChannelCsv(main_.state().ChannelTable, channels));
    main_.channelGrid()->selectChannels(channels, selection.current);
}

void EditCommandRunner::channelCommand(ChannelCommand command, const ChannelSelection& selection) {
    const ChannelCommandResult result =
        RunChannelCommand(command, main_.state().ChannelTable, selection);
    if (result.done) main_.refreshWindows();
    main_.channelGrid()->selectChannels(result.selection.channels, result.selection.current);
    if (result.refusal) show(BiString(*result.refusal));
}

void EditCommandRunner::setFields(const ChannelSelection& selection) {
    const std::vector<int> channels =
        selection.channels.empty() ? std::vector<int>{selection.current} : selection.channels;
    AppState& state = main_.state();
    int inUse = 0;
    for (int c : channels) inUse += IsChannelEmpty(state.ChannelTable, c) ? 0 : 1;
    BulkEditDialog dialog(state.LanguageChinese, channels, inUse, &main_);
    connect(&dialog, &BulkEditDialog::helpRequested, this,
            [this] { main_.showHelp(QStringLiteral("set-fields")); });
    dialog.apply = [&](const BulkEdit& edit) {
        const BulkEditResult result =
            ApplyBulkEdit(state.ChannelTable, channels, edit, state.BandLowMHz, state.BandHighMHz);
        if (!result.done) {
            show(result.refusal);
            return false;
        }
        main_.refreshWindows();
        main_.channelGrid()->selectChannels(channels, selection.current);
        return true;
    };
    runFieldsDialog(dialog);
}

void EditCommandRunner::paste(const ChannelSelection& selection) {
    const auto clipboard = CsvOnClipboard();
    if (!clipboard) {
        show(BiString(kNoChannelRows));
        return;
    }
    // From the first selected row on, or from the current one.
    CsvImportOptions options;
    options.skipInvalid = true;
    options.renumberFrom =
        selection.channels.empty() ? selection.current : selection.channels.front();
    options.separator = clipboard->separator;
    const CsvImportResult result =
        ImportChannelCsv(clipboard->text, main_.state().ChannelTable, options);
    CsvImportWording wording;
    wording.refused = BiString(kNothingPasted);
    if (result.ok) {
        const BiString count = ChannelCountText(result.channels.size());
        wording.stored = {
            "Pasted " + count.english + " into " + ChannelRange(result.channels, false),
            "已粘贴 " + count.chinese + "到" + ChannelRange(result.channels, true)};
        main_.refreshWindows();
        main_.channelGrid()->selectChannels(result.channels, result.channels.front());
    }
    show(CsvImportMessage(result, wording));
}

void EditCommandRunner::undo(bool redo) {
    if (imageInUse()) return;
    if (ChannelGridWindow* grid = main_.channelGrid()) grid->finishEditing();
    AppState& state = main_.state();
    const BandEdges band = ReadBandEdges(state.ChannelTable);
    const auto refresh = [this] { main_.showImageInWindows(); };
    if (!(redo ? recorder_.redo(refresh) : recorder_.undo(refresh))) return;
    // The band edges in force follow a model choice undone or redone.
    if (ReadBandEdges(state.ChannelTable) != band) {
        RecomputeBandEdges(state);
        main_.showBandPanel();
    }
}

void EditCommandRunner::importCsv() {
    if (imageInUse()) return;
    const bool chinese = main_.state().LanguageChinese;
    if (ChannelGridWindow* grid = main_.channelGrid()) grid->finishEditing();
    recorder_.settle();
    const QString path =
        chooseFileToOpen(qs(kImportCsvCaption, chinese).remove("..."), qs(kCsvFilter, chinese));
    if (path.isEmpty()) return;
    const auto options = askImportOptions(QFileInfo(path).fileName());
    if (!options) return;
    const FileResult result = ImportCsvFile(path, main_.state().ChannelTable, *options);
    if (result.ok) main_.refreshWindows();
    show(result.message);
}

void EditCommandRunner::exportCsv() {
    const bool chinese = main_.state().LanguageChinese;
    // A name still being typed goes into the file too.
    if (ChannelGridWindow* grid = main_.channelGrid()) grid->commitPendingName();
    QString path =
        chooseFileToSave(qs(kExportCsvCaption, chinese).remove("..."), qs(kCsvFilter, chinese));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".csv";
    const Image& image = main_.state().ChannelTable;
    int count = 0;
    for (int c = 1; c <= kChannelCount; ++c) count += IsChannelEmpty(image, c) ? 0 : 1;
    std::string error;
    const std::string name = utf8(QFileInfo(path).fileName());
    const bool existed = QFileInfo::exists(path);
    if (!WriteTextFile(path.toStdU16String(), FormatChannelCsv(image), error)) {
        show({"The CSV file cannot be written: " + error + ". " + name +
                  (existed ? " is unchanged." : " was not written."),
              "无法写入 CSV 文件：" + error + "。" + name +
                  (existed ? " 保持不变。" : " 未写入。")});
        return;
    }
    const BiString counted = ChannelCountText(static_cast<std::size_t>(count));
    show({"Exported " + counted.english + " to " + name + ".",
          "已导出 " + counted.chinese + "到 " + name + "。"});
}

}  // namespace zt
