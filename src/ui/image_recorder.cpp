// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/image_recorder.h"

#include <QAbstractEventDispatcher>
#include <QThread>

#include "model/app_state.h"

namespace zt {

ImageRecorder::ImageRecorder(AppState& state, QObject* parent)
    : QObject(parent), state_(state), history_(state.ChannelTable) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &ImageRecorder::atRest);
    }
}

void ImageRecorder::atRest() {
    // The program's own loop is level 1; a message box or menu runs a deeper one.
    if (QThread::currentThread()->loopLevel() > 1) return;
    settle();
}

void ImageRecorder::reset() {
    history_.reset(state_.ChannelTable);
    emit changed();
}

void ImageRecorder::settle() {
    if (history_.record(state_.ChannelTable)) emit changed();
}

void ImageRecorder::quietly(const std::function<void()>& work) {
    if (quiet_) {
        work();
        return;
    }
    settle();
    quiet_ = true;
    work();
    quiet_ = false;
    const bool wasModified = modified();
    history_.absorb(state_.ChannelTable);
    if (modified() != wasModified) emit changed();
}

bool ImageRecorder::undo(const std::function<void()>& refresh) {
    settle();
    if (!history_.undo(state_.ChannelTable)) return false;
    showOnly(refresh);
    return true;
}

bool ImageRecorder::redo(const std::function<void()>& refresh) {
    settle();
    if (!history_.redo(state_.ChannelTable)) return false;
    showOnly(refresh);
    return true;
}

void ImageRecorder::showOnly(const std::function<void()>& refresh) {
    // A window that tidies what it shows would otherwise rewrite the step
    // just brought back: the image stays exactly that step.
    const Image restored = state_.ChannelTable;
    quiet_ = true;
    refresh();
    quiet_ = false;
    state_.ChannelTable = restored;
    emit changed();
}

void ImageRecorder::markSaved() { markSaved(state_.ChannelTable); }

void ImageRecorder::markSaved(const Image& image) {
    history_.markSaved(image);
    emit changed();
}

void ImageRecorder::markRowSaved(std::size_t row) {
    history_.markRowSaved(row, state_.ChannelTable);
    emit changed();
}

bool ImageRecorder::modified() const { return history_.modified(state_.ChannelTable); }

}  // namespace zt
