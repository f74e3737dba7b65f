// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes every change any window stores into the image one undo step, without
// the windows taking part: each time the event loop is about to wait for the
// next event, the image is compared with the last snapshot (4 KB, well under a
// microsecond), and a difference becomes a step. One user action, whatever it
// stored, from a grid cell to a loaded file or a completed read, runs to its end
// before the loop waits, so it is one step.
//
// Nested loops (a message box, a context menu) do not count as rest: a commit
// that shows a message halfway is recorded once it has finished.
//
// The windows shown again after an edit run through quietly(): whatever they
// tidy on the way becomes part of that edit's step. What a window rewrites as
// it opens or becomes active is a step of its own, so the user sees it
// ("Modified", undo). After an undo or redo the windows only show the step
// brought back: what they would tidy is not kept.

#include <QObject>
#include <functional>

#include "model/image_history.h"

namespace zt {

struct AppState;

class ImageRecorder : public QObject {
    Q_OBJECT
  public:
    explicit ImageRecorder(AppState& state, QObject* parent = nullptr);

    // Starts over from the image as it is now: nothing to undo, unmodified.
    void reset();
    // Records a change now, as coming to rest does.
    void settle();
    // Records what is pending, runs `work`, and takes what it changed into the
    // current step. Work that makes a real edit on the way calls settle()
    // after it, so the edit is a step of its own.
    void quietly(const std::function<void()>& work);

    // Undo and redo put the neighbouring snapshot into the image; `refresh`
    // then shows it in every window, and the image stays that snapshot
    // whatever the windows tidy. False when there was none.
    bool undo(const std::function<void()>& refresh);
    bool redo(const std::function<void()>& refresh);

    // The image now matches a file or the radio; or `image` is what the radio
    // holds (a write sends the image as it was when the write began).
    void markSaved();
    void markSaved(const Image& image);
    // One row now matches what the radio holds (the power row the power window
    // sends as it changes).
    void markRowSaved(std::size_t row);

    [[nodiscard]] bool canUndo() const { return history_.canUndo(); }
    [[nodiscard]] bool canRedo() const { return history_.canRedo(); }
    [[nodiscard]] bool modified() const;
    [[nodiscard]] const ImageHistory& history() const { return history_; }

  signals:
    // A step was recorded, undone or redone, or the saved state moved: what
    // can be undone and whether the image is modified may have changed.
    void changed();

  private:
    void atRest();
    void showOnly(const std::function<void()>& refresh);

    AppState& state_;
    ImageHistory history_;
    bool quiet_ = false;  // inside quietly(): a nested one only runs its work
};

}  // namespace zt
