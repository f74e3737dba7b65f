// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo and redo over whole-image snapshots, and whether the image holds changes
// not yet saved to a file or sent to the radio.
//
// The history knows nothing of who changed the image. Its owner calls record()
// whenever the program comes to rest (after each user action has run to its
// end), so whatever one action stored, a grid cell, a dialog field, a sort, a
// loaded file or a completed read, becomes one step without any editor taking
// part. Changes the program makes by itself while it only shows the image (a
// window that tidies an empty record as it draws it) are absorb()ed into the
// current step instead, so opening and closing a window records nothing.
//
// A snapshot is 4 KB; the default depth of 256 steps keeps about 1 MB.

#include <cstddef>
#include <deque>

#include "model/radio_image.h"

namespace zt {

inline constexpr std::size_t kUndoSteps = 256;

class ImageHistory {
  public:
    // Starts with `image` as the only snapshot and as the saved state.
    explicit ImageHistory(const Image& image, std::size_t steps = kUndoSteps);

    // Forgets every step: `image` becomes the only snapshot and the saved state.
    void reset(const Image& image);

    // Makes `image` a new step when it differs from the current snapshot; the
    // steps that could be redone are dropped and, beyond the depth, the oldest
    // one. True when a step was recorded.
    bool record(const Image& image);

    // Takes `image` as the current snapshot without making a step; call it
    // after record(), around the work that is not an edit. When the current
    // snapshot was the saved state, `image` becomes the saved state too.
    void absorb(const Image& image);

    [[nodiscard]] bool canUndo() const { return current_ > 0; }
    [[nodiscard]] bool canRedo() const { return current_ + 1 < snapshots_.size(); }
    [[nodiscard]] std::size_t undoSteps() const { return current_; }
    [[nodiscard]] std::size_t redoSteps() const { return snapshots_.size() - current_ - 1; }

    // Records a change still pending in `image`, then puts the snapshot before
    // the current one into it. False (image untouched apart from recording) when
    // there is nothing to undo.
    bool undo(Image& image);
    // Puts the snapshot after the current one into `image`; a pending change
    // makes a new step first, which leaves nothing to redo (false).
    bool redo(Image& image);

    // The image now matches a file or the radio: loaded, saved, read, written.
    void markSaved(const Image& image) { saved_ = image; }
    // One row of the image now matches what the radio holds (the power row,
    // which the power window sends as it changes); the rest keeps its mark.
    void markRowSaved(std::size_t row, const Image& image) { saved_.at(row) = image.at(row); }
    // The image differs from the one last loaded, saved, read or written.
    [[nodiscard]] bool modified(const Image& image) const { return image != saved_; }

  private:
    std::size_t depth_;
    std::deque<Image> snapshots_;
    std::size_t current_ = 0;
    Image saved_;
};

}  // namespace zt
