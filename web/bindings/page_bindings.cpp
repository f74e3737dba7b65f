// SPDX-License-Identifier: GPL-3.0-or-later
// The page's module: PageSession under the names the page's scripts use.
#include <emscripten/bind.h>

#include "web/bindings/page_session.h"

EMSCRIPTEN_BINDINGS(zt790_page) {
    using zt::web::PageSession;
    emscripten::class_<PageSession>("PageSession")
        .constructor<emscripten::val, emscripten::val>()
        .function("setChinese", &PageSession::SetChinese)
        .function("chinese", &PageSession::Chinese)
        .function("rows", &PageSession::Rows)
        .function("shownRows", &PageSession::ShownRows)
        .function("takeNote", &PageSession::TakeNote)
        .function("row", &PageSession::Row)
        .function("headerTitles", &PageSession::HeaderTitles)
        .function("caption", &PageSession::Caption)
        .function("cellEditor", &PageSession::CellEditor)
        .function("choices", &PageSession::Choices)
        .function("textBoxTakes", &PageSession::TextBoxTakes)
        .function("choose", &PageSession::Choose)
        .function("commitText", &PageSession::CommitText)
        .function("enterTarget", &PageSession::EnterTarget)
        .function("undo", &PageSession::Undo)
        .function("redo", &PageSession::Redo)
        .function("canUndo", &PageSession::CanUndo)
        .function("canRedo", &PageSession::CanRedo)
        .function("modified", &PageSession::Modified)
        .function("models", &PageSession::Models)
        .function("modelIndex", &PageSession::ModelIndex)
        .function("selectModel", &PageSession::SelectModel)
        .function("bandText", &PageSession::BandText)
        .function("openChannelFile", &PageSession::OpenChannelFile)
        .function("channelFileText", &PageSession::ChannelFileText)
        .function("channelFileSaved", &PageSession::ChannelFileSaved)
        .function("importCsv", &PageSession::ImportCsv)
        .function("exportCsv", &PageSession::ExportCsv)
        .function("imageBytes", &PageSession::ImageBytes)
        .class_function("lineSettings", &PageSession::LineSettings)
        .function("portConnected", &PageSession::PortConnected)
        .function("portReceive", &PageSession::PortReceive)
        .function("startRead", &PageSession::StartRead)
        .function("startWrite", &PageSession::StartWrite)
        .function("writeAgain", &PageSession::WriteAgain)
        .function("restoreBackup", &PageSession::RestoreBackup)
        .function("backupFileText", &PageSession::BackupFileText)
        .function("cancel", &PageSession::Cancel)
        .function("inProgress", &PageSession::InProgress);
}
