// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/file_chooser.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>

namespace zt {

QString ChooseFile(QWidget* parent, bool save, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Qt's own dialog (where the desktop has none) leaves its two lists apart
    // from their labels, so a screen reader would read only the item each
    // shows: tie them.
    for (const auto& [label, list] :
         {std::pair{"lookInLabel", "lookInCombo"}, std::pair{"fileTypeLabel", "fileTypeCombo"}}) {
        auto* caption = dialog.findChild<QLabel*>(label);
        auto* combo = dialog.findChild<QComboBox*>(list);
        if (caption && combo) caption->setBuddy(combo);
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

}  // namespace zt
