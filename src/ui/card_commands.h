// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File > Print Channel Card... (a print preview, then the system's printers)
// and File > Export Channel Card (PDF)...: the card of the channels selected in
// the grid, or of every used channel, in the language in force.

#include <QObject>
#include <QString>
#include <functional>

#include "model/bitext.h"

class QPrintPreviewDialog;

namespace zt {

class MainWindow;
struct ChannelCard;

inline constexpr BiText kPrintCardCaption{"Print Channel Card...", "打印信道卡..."};
inline constexpr BiText kExportCardCaption{"Export Channel Card (PDF)...", "导出信道卡(PDF)..."};

class CardCommands : public QObject {
    Q_OBJECT
  public:
    explicit CardCommands(MainWindow& main);

    void print();
    void exportPdf();

    // The desktop's save dialog and the print preview, modal; tests answer them.
    std::function<QString(const QString& title, const QString& filter)> chooseFileToSave;
    std::function<void(QPrintPreviewDialog&)> runPreview;

  private:
    // The card of the grid's selection (every channel when none), or nothing
    // when it would list no channel (the user is told).
    bool makeCard(ChannelCard& card) const;
    void show(const BiString& message) const;

    MainWindow& main_;
};

}  // namespace zt
