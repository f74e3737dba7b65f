// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The browser page's program: one radio image with its undo history, the
// grid's texts, the model, the files and the serial exchanges, all through the
// same core as the desktop program. The page only draws what this returns and
// forwards what the user does; every rule, refusal and message comes from here.
//
// Messages reach the page as { text, title } in the language in force.

#include <emscripten/val.h>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "link/exchange_observer.h"
#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/channel.h"
#include "model/channel_grid.h"
#include "model/image_history.h"
#include "transfer/write_job.h"
#include "web/bindings/web_port.h"
#include "web/bindings/web_timers.h"

namespace zt::web {

using emscripten::val;

class PageSession : private ExchangeObserver, private WriteJobView {
  public:
    // `line` writes bytes to the user's port (WebPort); `page` is told what an
    // exchange shows: onProgress(percent), onPhase(text), onStatus(text),
    // onMessage(message), onFinished(outcome) after a read, onBackup() once a
    // write has kept the radio's memory, onEnded(done, repair) after a write,
    // onCloseDue(), and asked confirmModel(question).
    PageSession(val line, val page);
    ~PageSession() override;
    PageSession(const PageSession&) = delete;
    PageSession& operator=(const PageSession&) = delete;

    void SetChinese(bool chinese) { state_.LanguageChinese = chinese; }
    [[nodiscard]] bool Chinese() const { return state_.LanguageChinese; }

    // The grid. Rows() shows every channel again and returns 128 rows of 8
    // texts; what showing them tidies is a step of its own, as when a desktop
    // window shows the image. ShownRows() returns them as last shown.
    [[nodiscard]] val Rows();
    [[nodiscard]] val ShownRows() const;
    [[nodiscard]] val Row(int c) const;
    [[nodiscard]] val HeaderTitles() const;
    // The grid's caption for channel c, which becomes the current channel.
    [[nodiscard]] std::string Caption(int c);
    // 0 no editor, 1 a text box, 2 a list.
    [[nodiscard]] int CellEditor(int c, int column) const;
    [[nodiscard]] val Choices(int column) const;
    [[nodiscard]] bool TextBoxTakes(int column, const std::string& text) const;
    // A list item chosen, or a text box's text committed (only when the user
    // changed it); the message to show, or null.
    void Choose(int c, int column, int position);
    [[nodiscard]] val CommitText(int c, int column, const std::string& text);
    // Where Enter moves: { channel, column }.
    [[nodiscard]] val EnterTarget(int c, int column) const;

    // Undo and redo show the step brought back without tidying it; the page
    // then draws ShownRows().
    bool Undo() { return Step(false); }
    bool Redo() { return Step(true); }
    [[nodiscard]] bool CanUndo() const { return history_.canUndo(); }
    [[nodiscard]] bool CanRedo() const { return history_.canRedo(); }
    [[nodiscard]] bool Modified() const { return history_.modified(state_.ChannelTable); }

    // The model catalogue: names, the one in force, and choosing one.
    [[nodiscard]] val Models() const;
    [[nodiscard]] int ModelIndex() const { return state_.ModelIndex; }
    void SelectModel(int index);
    // " 400-- 470 MHZ", the band in force.
    [[nodiscard]] std::string BandText() const;

    // Channel files: the text of a file the user opened (its message, with
    // `ok`; a refused file changes nothing), the text to save and the message
    // once it is saved.
    [[nodiscard]] val OpenChannelFile(const std::string& text);
    [[nodiscard]] std::string ChannelFileText() const;
    [[nodiscard]] val ChannelFileSaved();
    // CSV: import the rows of a file named `name` into the image; export the
    // used channels.
    [[nodiscard]] val ImportCsv(const std::string& text, const std::string& name, bool skipInvalid,
                                bool renumber, bool replace);
    [[nodiscard]] std::string ExportCsv() const;
    // The whole image, 4096 bytes, as a channel file holds it.
    [[nodiscard]] val ImageBytes() const;

    // A note for the status bar about what the program did by itself (the
    // leftover bytes of empty channels it cleared after a load or a read), once;
    // "" when there is none.
    [[nodiscard]] std::string TakeNote() { return std::exchange(note_, {}); }

    // The serial line: how to open it ({ baudRate, bufferSize }), the page's
    // port coming and going, and its bytes.
    [[nodiscard]] static val LineSettings();
    void PortConnected(bool connected, const std::string& reason);
    void PortReceive(const std::string& bytes) { port_.Receive(bytes); }
    // Read as the read window's button does; the result is StartResult as a
    // number (0 started, 1 busy, 2 port failed).
    int StartRead();
    // Write as the write window does with both safeguards on: a backup of the
    // radio first, the write, a read-back; then, when the radio may need it,
    // Write Again (keeping the backup) or Restore Backup.
    void StartWrite() { StartJob(WriteJob::Kind::Write); }
    void WriteAgain() { StartJob(WriteJob::Kind::WriteAgain); }
    void RestoreBackup() { StartJob(WriteJob::Kind::Restore); }
    // The backup the last write kept, as a channel file ("" when none).
    [[nodiscard]] std::string BackupFileText() const;
    // The Cancel button: refused (false, with its message) while busy.
    bool Cancel();
    [[nodiscard]] bool InProgress() const {
        return (link_ && link_->InProgress()) || job_.Running();
    }

  private:
    void StartJob(WriteJob::Kind kind);
    void ShowBusy(LinkMessageKind kind, const BiText& text);
    bool Step(bool redo);
    // Shows every row; with `keep` false the image stays as it was.
    void ShowRows(bool keep);
    // The image was replaced by a file or a read: it is what was saved, its
    // band edges come into force, and the leftover bytes of empty channels
    // are cleared as a step of their own.
    void Loaded();
    // Records what an action stored as one undo step.
    void Settle() { history_.record(state_.ChannelTable); }
    [[nodiscard]] val Message(const std::string& text, BiText title) const;
    [[nodiscard]] val Message(const BiString& text, BiText title = kOperatePrompt) const {
        return Message(text.in(state_.LanguageChinese), title);
    }

    void OnProgress(int percent) override;
    void OnStatus(const LinkText& label) override;
    void OnMessage(const LinkMessage& message) override;
    void OnFinished(ExchangeOutcome outcome) override;
    void OnCloseDue() override;

    void ProgressChanged(int percent) override { OnProgress(percent); }
    void PhaseChanged(const BiString& phase) override;
    void StatusChanged(const BiString& text) override { OnStatus(text); }
    void ShowLinkMessage(const LinkMessage& message) override { OnMessage(message); }
    void ShowMessage(const BiString& text) override;
    bool ConfirmModel(const BiString& question) override;
    void ImageWritten(const Image& image) override { history_.markSaved(image); }
    void BackupKept(const Image& memory) override;
    void Ended(bool done, bool repair) override;
    void CloseDue() override { OnCloseDue(); }
    void StepLater() override;

    AppState state_;
    ImageHistory history_;
    std::array<GridRow, kChannelCount + 1> rows_{};  // rows_[c], c = 1..128
    val page_;
    WebPort port_;
    WebTimers timers_;
    std::unique_ptr<SerialLink> link_;  // a read
    WriteJob job_;                      // a write
    std::string note_;
};

}  // namespace zt::web
