// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_history: the history of radio memories, newest first, each entry with
// a line on how it differs from the image being edited. Open puts an entry
// into the image (one undo step), Compare lists the differences in the words of
// the editors (as zt790ctl diff does), Delete removes an entry after asking.

#include <QWidget>
#include <functional>
#include <vector>

#include "transfer/radio_history.h"
#include "ui/window_support.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace zt {

struct AppState;
class MessagePresenter;

class HistoryWindow : public QWidget, public ActivationRefresh {
    Q_OBJECT
  public:
    HistoryWindow(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);

    // True while a read or write runs: the image must not change under it.
    std::function<bool()> exchangeRunning = [] { return false; };

    void openEntry();
    void compareEntry();
    void deleteEntry();
    // The list again, against the image as it is now.
    void windowActivated() override;

    [[nodiscard]] QTableWidget* table() const { return table_; }
    [[nodiscard]] QTreeWidget* differences() const { return tree_; }

  signals:
    // The image was replaced by an entry.
    void imageOpened();

  private:
    // The selected entry and its image; false (having said why) when there is
    // none or its file cannot be read.
    bool selected(HistoryEntry& entry, Image& image);

    AppState& state_;
    MessagePresenter& presenter_;
    RadioHistory history_;
    std::vector<HistoryEntry> entries_;
    QLabel* empty_;
    QTableWidget* table_;
    QTreeWidget* tree_;
};

}  // namespace zt
