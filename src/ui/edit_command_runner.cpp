// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/edit_command_runner.h"

#include <QFileInfo>
#include <algorithm>
#include <span>

#include "files/channel_paste_plan.h"
#include "files/channel_records_text.h"
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
#include "ui/file_chooser.h"
#include "ui/image_recorder.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kImageInUse{
    "The radio is being read or written. Change the channels when it has finished.",
    "正在读写对讲机，请在完成后再修改信道。"};
constexpr BiText kReplaceButtons[] = {{"Replace", "替换"}, {"Cancel", "取消"}};
constexpr BiText kCsvFilter{"CSV files (*.csv *.CSV);;All files (*)",
                            "CSV 文件 (*.csv *.CSV);;所有文件 (*)"};

}  // namespace

EditCommandRunner::EditCommandRunner(MainWindow& main, ImageRecorder& recorder)
    : QObject(&main), main_(main), recorder_(recorder) {
    chooseFileToOpen = [this](const QString& title, const QString& filter) {
        return ChooseFile(&main_, false, title, filter);
    };
    chooseFileToSave = [this](const QString& title, const QString& filter) {
        return ChooseFile(&main_, true, title, filter);
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
    const Image& image = main_.state().ChannelTable;
    PutChannelsOnClipboard(FormatChannelCsv(image, channels),
                           FormatChannelRecords(ClipChannels(image, channels)));
    main_.channelGrid()->selectChannels(channels, selection.current);
}

void EditCommandRunner::channelCommand(ChannelCommand command, const ChannelSelection& selection) {
    const ChannelCommandResult result =
        RunChannelCommand(command, main_.state().ChannelTable, selection);
    if (result.done) main_.refreshWindows();
    main_.channelGrid()->selectChannels(result.selection.channels, result.selection.current);
    BiString message = result.refusal ? BiString(*result.refusal) : BiString();
    AddLines(message, result.notes);
    if (!message.empty()) show(message);
}

bool EditCommandRunner::mayReplace(int used) const {
    const bool chinese = main_.state().LanguageChinese;
    return main_.presenter().ask(qs(ReplaceQuestion(used).in(chinese)), qs(kOperatePrompt, chinese),
                                 qs(kReplaceButtons, chinese), 1) == 0;
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
    ClipboardChannels clipboard;
    clipboard.records = ChannelRecordsOnClipboard();
    clipboard.text = CsvOnClipboard();
    Image& image = main_.state().ChannelTable;
    const PastePlan plan = PlanPaste(image, selection, clipboard);
    if (plan.refusal) return show(*plan.refusal);
    if (plan.effect.replaced > 0 && !mayReplace(plan.effect.replaced)) return;
    const BiString told = ApplyPaste(image, plan);
    main_.refreshWindows();
    std::vector<int> selected = plan.effect.targets;
    std::sort(selected.begin(), selected.end());
    main_.channelGrid()->selectChannels(selected, plan.effect.targets.front());
    show(told);
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
