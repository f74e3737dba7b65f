// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/edit_command_runner.h"

#include <QFileInfo>
#include <algorithm>
#include <span>

#include "files/channel_records_text.h"
#include "files/csv_import_report.h"
#include "files/text_file.h"
#include "model/app_state.h"
#include "model/band_edges.h"
#include "model/bulk_edit.h"
#include "model/channel_paste.h"
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
constexpr BiText kNoChannelRows{
    "The clipboard holds no channel rows. Copy channels in the grid, or CSV rows with their "
    "header line (Location, Name, Frequency, ...) from a spreadsheet or a text file.",
    "剪贴板中没有信道行。请在表格中复制信道，或从电子表格或文本文件中复制带标题行（Location, "
    "Name, Frequency, ...）的 CSV 行。"};
constexpr BiText kNothingPasted{"Nothing was pasted; the channels are unchanged.",
                                "未粘贴任何信道，信道保持不变。"};
constexpr BiText kReplaceButtons[] = {{"Replace", "替换"}, {"Cancel", "取消"}};
constexpr BiText kCsvFilter{"CSV files (*.csv *.CSV);;All files (*)",
                            "CSV 文件 (*.csv *.CSV);;所有文件 (*)"};

std::string ChannelRange(const std::vector<int>& channels, bool chinese) {
    const std::string first = std::to_string(channels.front());
    const std::string last = std::to_string(channels.back());
    if (channels.size() == 1) return (chinese ? "信道 " : "channel ") + first;
    return chinese ? "信道 " + first + " 至 " + last : "channels " + first + " to " + last;
}

// "channel 41" or "channels 41, 42 and 60".
BiString ChannelList(const std::vector<int>& channels) {
    std::string list;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        if (i > 0) list += i + 1 == channels.size() ? " and " : ", ";
        list += std::to_string(channels[i]);
    }
    std::string zh;
    for (int c : channels) zh += (zh.empty() ? "" : "、") + std::to_string(c);
    return {(channels.size() == 1 ? "channel " : "channels ") + list, "信道 " + zh};
}

// Pasted channels a write to the radio would refuse: stored all the same,
// since the clipboard form carries them exactly, but the user should know.
BiString OutsideLimitsWarning(const std::vector<int>& channels, BandEdges limits) {
    const BiString list = ChannelList(channels);
    const bool one = channels.size() == 1;
    const std::string band =
        std::to_string(limits.lowMHz) + ".." + std::to_string(limits.highMHz) + " MHz";
    std::string en = list.english;
    en[0] = 'C';
    return {
        en + (one ? " is" : " are") + " outside the frequency limits " + band +
            (one ? ": it is stored as it is, and a write to the radio refuses it until it "
                   "is changed."
                 : ": they are stored as they are, and a write to the radio refuses them "
                   "until they are changed."),
        list.chinese + " 超出频率限制 " + band + "：已按原样保存，修改之前写入对讲机时会被拒绝。"};
}

void AddLines(BiString& message, const std::vector<BiString>& lines) {
    for (const BiString& line : lines) {
        message.english += (message.english.empty() ? "" : "\n") + line.english;
        message.chinese += (message.chinese.empty() ? "" : "\n") + line.chinese;
    }
}

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
    const std::string n = std::to_string(used);
    const BiString question{"Replace " + n + (used == 1 ? " used channel?" : " used channels?"),
                            "替换 " + n + " 个已使用的信道？"};
    return main_.presenter().ask(qs(question.in(chinese)), qs(kOperatePrompt, chinese),
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
    // From the first selected row on, or from the current one.
    const int first = selection.channels.empty() ? selection.current : selection.channels.front();
    Image& image = main_.state().ChannelTable;
    std::optional<std::vector<ClipChannel>> clip;
    if (const auto records = ChannelRecordsOnClipboard()) clip = ParseChannelRecords(*records);
    std::optional<Image> after;
    std::vector<int> targets;
    BiString stored;
    if (clip && !clip->empty()) {
        // The program's own form: every byte as it was copied.
        after = LayChannels(image, first, *clip);
        if (!after) {
            const std::string n = std::to_string(clip->size());
            const std::string fit = std::to_string(kChannelCount - first + 1);
            const std::string at = std::to_string(first);
            show({"The clipboard holds " + n + " channels; from channel " + at + " on only " + fit +
                      " fit. Nothing was pasted; select an earlier channel.",
                  "剪贴板中有 " + n + " 个信道，从信道 " + at + " 起只能放下 " + fit +
                      " 个。未粘贴任何信道，请选择更靠前的信道。"});
            return;
        }
        for (int c = first; c < first + static_cast<int>(clip->size()); ++c) targets.push_back(c);
        const BiString count = ChannelCountText(targets.size());
        stored = {"Pasted " + count.english + " into " + ChannelRange(targets, false) + ".",
                  "已粘贴 " + count.chinese + "到" + ChannelRange(targets, true) + "。"};
        const std::vector<int> outside = ChannelsOutsideLimits(*after, targets);
        if (!outside.empty())
            AddLines(stored, {OutsideLimitsWarning(outside, ReadBandEdges(image))});
    } else {
        clip.reset();
        const auto csv = CsvOnClipboard();
        if (!csv) {
            show(BiString(kNoChannelRows));
            return;
        }
        CsvImportOptions options;
        options.skipInvalid = true;
        options.renumberFrom = first;
        options.separator = csv->separator;
        Image scratch = image;
        const CsvImportResult result = ImportChannelCsv(csv->text, scratch, options);
        CsvImportWording wording;
        wording.refused = BiString(kNothingPasted);
        if (result.ok) {
            const BiString count = ChannelCountText(result.channels.size());
            wording.stored = {
                "Pasted " + count.english + " into " + ChannelRange(result.channels, false),
                "已粘贴 " + count.chinese + "到" + ChannelRange(result.channels, true)};
        }
        stored = CsvImportMessage(result, wording);
        if (!result.ok) {
            show(stored);
            return;
        }
        after = scratch;
        targets = result.channels;
    }
    const PasteEffect effect = ComparePaste(image, *after, targets);
    if (effect.changed.empty()) {
        show({"Nothing changed: " + ChannelRange(targets, false) + " already hold what was pasted.",
              ChannelRange(targets, true) + " 已与粘贴的内容相同，未作任何更改。"});
        return;
    }
    if (effect.replaced > 0 && !mayReplace(effect.replaced)) return;
    const std::vector<BiString> notes =
        CommitPaste(image, *after, effect, first,
                    clip ? std::span<const ClipChannel>(*clip) : std::span<const ClipChannel>());
    AddLines(stored, notes);
    main_.refreshWindows();
    std::vector<int> selected = targets;
    std::sort(selected.begin(), selected.end());
    main_.channelGrid()->selectChannels(selected, targets.front());
    show(stored);
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
