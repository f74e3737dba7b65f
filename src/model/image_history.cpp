// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/image_history.h"

#include <stdexcept>

namespace zt {

ImageHistory::ImageHistory(const Image& image, std::size_t steps) : depth_(steps), saved_(image) {
    if (steps == 0) throw std::invalid_argument("undo depth");
    snapshots_.push_back(image);
}

void ImageHistory::reset(const Image& image) {
    snapshots_.clear();
    snapshots_.push_back(image);
    current_ = 0;
    saved_ = image;
}

bool ImageHistory::record(const Image& image) {
    if (image == snapshots_[current_]) return false;
    snapshots_.resize(current_ + 1);
    snapshots_.push_back(image);
    if (snapshots_.size() > depth_ + 1) snapshots_.pop_front();
    current_ = snapshots_.size() - 1;
    return true;
}

void ImageHistory::absorb(const Image& image) {
    if (snapshots_[current_] == saved_) saved_ = image;
    snapshots_[current_] = image;
}

bool ImageHistory::undo(Image& image) {
    record(image);
    if (!canUndo()) return false;
    image = snapshots_[--current_];
    return true;
}

bool ImageHistory::redo(Image& image) {
    record(image);
    if (!canRedo()) return false;
    image = snapshots_[++current_];
    return true;
}

}  // namespace zt
