// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/bindings/page_session.h"

#include <emscripten/eventloop.h>
#include <emscripten/val.h>
#include <variant>

#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "files/csv_import_report.h"
#include "link/link_texts.h"
#include "model/band_edges.h"
#include "model/blank_image.h"
#include "model/catalogue.h"
#include "model/channel.h"
#include "model/channel_rows.h"
#include "model/channel_texts.h"
#include "model/channel_validation.h"
#include "model/startup.h"

namespace zt::web {

namespace {

AppState StartedState() {
    AppState state;
    StartUp(state);
    return state;
}

// The page passes channel numbers from its own grid; anything else is refused
// here rather than reaching the core's range checks.
bool IsChannel(int c) { return c >= 1 && c <= kChannelCount; }

val Texts(const std::vector<std::string>& texts) {
    val list = val::array();
    for (const std::string& t : texts) list.call<void>("push", t);
    return list;
}

}  // namespace

PageSession::PageSession(val line, val page)
    : state_(StartedState()),
      history_(state_.ChannelTable),
      page_(std::move(page)),
      port_(std::move(line)),
      job_(static_cast<WriteJobView&>(*this), port_, timers_) {
    for (int c = 1; c <= kChannelCount; ++c)
        rows_[static_cast<std::size_t>(c)][kGridChannel] = std::to_string(c);
}

PageSession::~PageSession() {
    job_.Abort();
    link_.reset();
}

val PageSession::Message(const std::string& text, BiText title) const {
    val message = val::object();
    message.set("text", text);
    message.set("title", std::string(title.in(state_.LanguageChinese)));
    return message;
}

void PageSession::ShowRows(bool keep) {
    const Image before = state_.ChannelTable;
    for (int c = 1; c <= kChannelCount; ++c) {
        auto& row = rows_[static_cast<std::size_t>(c)];
        row = ShowChannelRow(state_, c, row);
    }
    if (!keep) state_.ChannelTable = before;
}

val PageSession::Rows() {
    Settle();
    ShowRows(true);
    Settle();
    return ShownRows();
}

val PageSession::ShownRows() const {
    val rows = val::array();
    for (int c = 1; c <= kChannelCount; ++c) rows.call<void>("push", Row(c));
    return rows;
}

val PageSession::Row(int c) const {
    if (!IsChannel(c)) return val::null();
    const GridRow& row = rows_.at(static_cast<std::size_t>(c));
    return Texts({row.begin(), row.end()});
}

val PageSession::HeaderTitles() const { return Texts(GridColumnTitles(state_.LanguageChinese)); }

std::string PageSession::Caption(int c) {
    if (!IsChannel(c)) return {};
    state_.CurrentChannel = static_cast<std::int16_t>(c);
    return GridCaption(state_.LanguageChinese, c);
}

int PageSession::CellEditor(int c, int column) const {
    if (!IsChannel(c)) return static_cast<int>(GridEditor::None);
    return static_cast<int>(zt::CellEditor(rows_.at(static_cast<std::size_t>(c)), column));
}

val PageSession::Choices(int column) const { return Texts(ChoiceItems(state_, column)); }

bool PageSession::TextBoxTakes(int column, const std::string& text) const {
    return zt::TextBoxTakes(column, text);
}

void PageSession::Choose(int c, int column, int position) {
    if (CellEditor(c, column) != static_cast<int>(GridEditor::List) || position < 0 ||
        position >= static_cast<int>(ChoiceItems(state_, column).size())) {
        return;
    }
    StoreChoice(state_.ChannelTable, c, column, position);
    auto& row = rows_[static_cast<std::size_t>(c)];
    row = ShowChannelRow(state_, c, row);
    Settle();
}

val PageSession::CommitText(int c, int column, const std::string& text) {
    if (CellEditor(c, column) != static_cast<int>(GridEditor::Text)) return val::null();
    state_.CurrentChannel = static_cast<std::int16_t>(c);
    auto& row = rows_[static_cast<std::size_t>(c)];
    const GridTextCommit commit = CommitGridText(state_, c, column, text, row);
    row = commit.row;
    Settle();
    if (commit.message == ChannelMessage::None) return val::null();
    return Message(BiString(ChannelMessageText(commit.message)));
}

val PageSession::EnterTarget(int c, int column) const {
    if (!IsChannel(c)) return val::null();
    const GridCell to = zt::EnterTarget(rows_.at(static_cast<std::size_t>(c)), c, column);
    val cell = val::object();
    cell.set("channel", to.channel);
    cell.set("column", to.column);
    return cell;
}

bool PageSession::Step(bool redo) {
    if (InProgress()) return false;
    const BandEdges band = ReadBandEdges(state_.ChannelTable);
    Settle();
    const bool done =
        redo ? history_.redo(state_.ChannelTable) : history_.undo(state_.ChannelTable);
    // The band edges in force follow a model choice undone or redone.
    if (done && ReadBandEdges(state_.ChannelTable) != band) RecomputeBandEdges(state_);
    ShowRows(false);
    return done;
}

void PageSession::Loaded() {
    history_.markSaved(state_.ChannelTable);
    Settle();
    RecomputeBandEdges(state_);
    const int cleared = ClearEmptyChannels(state_.ChannelTable);
    Settle();
    if (cleared > 0) note_ = ClearedEmptyChannelsNote(cleared).in(state_.LanguageChinese);
}

val PageSession::Models() const {
    std::vector<std::string> names;
    for (const ModelEntry& m : kModelCatalogue) names.emplace_back(m.name);
    return Texts(names);
}

void PageSession::SelectModel(int index) {
    if (InProgress() || index < 0 || index >= static_cast<int>(kModelCatalogue.size())) return;
    Settle();
    zt::SelectModel(state_, index);
    Settle();
}

std::string PageSession::BandText() const {
    return BandPanelText(state_.BandLowMHz, state_.BandHighMHz);
}

val PageSession::OpenChannelFile(const std::string& text) {
    auto parsed = ParseChannelFile(text);
    if (const auto* refusal = std::get_if<BiString>(&parsed)) {
        val message = Message(*refusal);
        message.set("ok", false);
        return message;
    }
    Settle();
    state_.ChannelTable = std::get<Image>(parsed);
    Loaded();
    val message = Message(BiString(kChannelFileLoaded));
    message.set("ok", true);
    return message;
}

std::string PageSession::ChannelFileText() const { return FormatChannelFile(state_.ChannelTable); }

val PageSession::ChannelFileSaved() {
    history_.markSaved(state_.ChannelTable);
    return Message(BiString(kChannelFileSaved));
}

val PageSession::ImportCsv(const std::string& text, const std::string& name, bool skipInvalid,
                           bool renumber, bool replace) {
    CsvImportOptions options;
    options.skipInvalid = skipInvalid;
    options.replace = replace;
    if (renumber) options.renumberFrom = 1;
    Settle();
    const CsvImportResult result = ImportChannelCsv(text, state_.ChannelTable, options);
    Settle();
    const BiString hint = renumber ? BiString{}
                                   : BiString{
                                         "Import CSV can place the rows in file order from "
                                         "channel 1, whatever their Location (\"Number the "
                                         "rows in file order\").",
                                         "“导入CSV”可按文件中的顺序从信道 1 起依次存放各行，"
                                         "不管其 Location（“按文件顺序编号”）。"};
    return Message(CsvImportMessage(result, FileImportWording(name, result.channels.size(), hint)));
}

std::string PageSession::ExportCsv() const { return FormatChannelCsv(state_.ChannelTable); }

val PageSession::ImageBytes() const {
    // A copy: a view into the module's memory would change under the page.
    return val(emscripten::typed_memory_view(sizeof(Image), state_.ChannelTable.data()->data()))
        .call<val>("slice");
}

val PageSession::LineSettings() {
    const PortSettings settings;
    val line = val::object();
    line.set("baudRate", settings.baud);
    line.set("bufferSize", settings.inputBufferBytes);
    return line;
}

void PageSession::PortConnected(bool connected, const std::string& reason) {
    port_.Connected(connected, reason);
}

void PageSession::ShowBusy(LinkMessageKind kind, const BiText& text) {
    OnMessage(PromptMessage(kind, text));
}

int PageSession::StartRead() {
    if (job_.Running()) {
        ShowBusy(LinkMessageKind::Busy, link_text::kBusy);
        return static_cast<int>(StartResult::Busy);
    }
    if (!InProgress()) {
        link_.reset();
        link_ = std::make_unique<SerialLink>(LinkMode::Read, state_, port_, timers_,
                                             static_cast<ExchangeObserver&>(*this));
    }
    Settle();
    return static_cast<int>(link_->Start());
}

void PageSession::StartJob(WriteJob::Kind kind) {
    if (InProgress()) {
        ShowBusy(LinkMessageKind::Busy, link_text::kBusy);
        return;
    }
    // The job runs its own links over the same port and timers.
    link_.reset();
    Settle();
    job_.Start(kind, state_, {});
    Settle();  // the derived rows a write completes
}

std::string PageSession::BackupFileText() const {
    return job_.Backup() ? FormatChannelFile(*job_.Backup()) : std::string();
}

bool PageSession::Cancel() {
    if (job_.Running()) {
        ShowBusy(LinkMessageKind::DontClose, link_text::kDontClose);
        return false;
    }
    return !link_ || link_->Cancel();
}

void PageSession::PhaseChanged(const BiString& phase) {
    page_.call<void>("onPhase", phase.in(state_.LanguageChinese));
}

void PageSession::ShowMessage(const BiString& text) {
    page_.call<void>("onMessage", Message(text));
}

bool PageSession::ConfirmModel(const BiString& question) {
    return page_.call<bool>("confirmModel", question.in(state_.LanguageChinese));
}

void PageSession::BackupKept(const Image& /*memory*/) { page_.call<void>("onBackup"); }

void PageSession::Ended(bool done, bool repair) { page_.call<void>("onEnded", done, repair); }

void PageSession::StepLater() {
    emscripten_set_timeout([](void* self) { static_cast<PageSession*>(self)->job_.Step(); }, 0,
                           this);
}

void PageSession::OnProgress(int percent) { page_.call<void>("onProgress", percent); }

void PageSession::OnStatus(const LinkText& label) {
    page_.call<void>("onStatus", label.in(state_.LanguageChinese));
}

void PageSession::OnMessage(const LinkMessage& message) {
    page_.call<void>("onMessage", Message(message.text, message.title));
}

void PageSession::OnFinished(ExchangeOutcome outcome) {
    if (outcome == ExchangeOutcome::Completed) Loaded();
    static constexpr const char* kOutcomes[] = {"completed", "failed", "portFailed", "powerEnded"};
    page_.call<void>("onFinished", std::string(kOutcomes[static_cast<int>(outcome)]));
}

void PageSession::OnCloseDue() { page_.call<void>("onCloseDue"); }

}  // namespace zt::web
