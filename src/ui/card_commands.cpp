// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/card_commands.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "card/card_painter.h"
#include "card/card_pdf.h"
#include "model/app_state.h"
#include "model/channel_card.h"
#include "ui/accessible_names.h"
#include "ui/channel_grid_window.h"
#include "ui/file_chooser.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kPdfFilter{"PDF files (*.pdf *.PDF);;All files (*)",
                            "PDF 文件 (*.pdf *.PDF);;所有文件 (*)"};
// Qt's preview leaves these controls without a name a screen reader can read.
constexpr BiText kZoom{"Zoom", "缩放"};
constexpr BiText kPage{"Page", "页码"};
constexpr BiText kPreview{"Preview", "预览"};
constexpr BiText kPages{"Pages", "页面"};

void NamePreviewControls(QPrintPreviewDialog& preview, bool chinese) {
    if (auto* zoom = preview.findChild<QComboBox*>()) {
        nameControls({{zoom, nullptr, qs(kZoom, chinese)}});
        if (zoom->lineEdit()) zoom->lineEdit()->setAccessibleName(qs(kZoom, chinese));
    }
    for (auto* page : preview.findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(page->parentWidget()))
            page->setAccessibleName(qs(kPage, chinese));
    }
    auto* area = preview.findChild<QPrintPreviewWidget*>();
    if (auto* view = area ? area->findChild<QAbstractScrollArea*>() : nullptr) {
        view->setAccessibleName(qs(kPreview, chinese));
        view->viewport()->setAccessibleName(qs(kPages, chinese));
    }
}

}  // namespace

CardCommands::CardCommands(MainWindow& main) : QObject(&main), main_(main) {
    chooseFileToSave = [this](const QString& title, const QString& filter) {
        return ChooseFile(&main_, true, title, filter);
    };
    runPreview = [](QPrintPreviewDialog& preview) { preview.exec(); };
}

void CardCommands::show(const BiString& message) const {
    const bool chinese = main_.state().LanguageChinese;
    main_.presenter().show(qs(message.in(chinese)), qs(kOperatePrompt, chinese));
}

bool CardCommands::makeCard(ChannelCard& card) const {
    const AppState& state = main_.state();
    CardRequest request;
    if (ChannelGridWindow* grid = main_.channelGrid()) {
        grid->commitPendingName();  // a name still being typed goes on the card too
        request.channels = grid->selectedChannels();
    }
    request.fileName = utf8(QFileInfo(main_.imageFile()).fileName());
    request.date = utf8(QDate::currentDate().toString(Qt::ISODate));
    request.chinese = state.LanguageChinese;
    card = MakeChannelCard(state.ChannelTable, request);
    if (!card.rows.empty()) return true;
    show(BiString(kCardNoChannels));
    return false;
}

void CardCommands::print() {
    ChannelCard card;
    if (!makeCard(card)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(CardPageSize(LocalCardPaper()));
    printer.setDocName(qs(card.title));
    QPrintPreviewDialog preview(&printer, &main_);
    preview.setWindowTitle(qs(kPrintCardCaption, card.chinese).remove("..."));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&card](QPrinter* target) { PaintChannelCard(card, *target); });
    NamePreviewControls(preview, card.chinese);
    runPreview(preview);
}

void CardCommands::exportPdf() {
    ChannelCard card;
    if (!makeCard(card)) return;
    const bool chinese = card.chinese;
    QString path =
        chooseFileToSave(qs(kExportCardCaption, chinese).remove("..."), qs(kPdfFilter, chinese));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    const std::string name = utf8(QFileInfo(path).fileName());
    const bool existed = QFileInfo::exists(path);
    const CardPdfResult result = WriteChannelCardPdf(card, LocalCardPaper(), path);
    if (!result.ok) {
        const std::string why = utf8(result.error);
        show({"The PDF file cannot be written: " + why + ". " + name +
                  (existed ? " is unchanged." : " was not written."),
              "无法写入 PDF 文件：" + why + "。" + name + (existed ? " 保持不变。" : " 未写入。")});
        return;
    }
    const std::string count = std::to_string(card.rows.size());
    const std::string pages = std::to_string(result.pages);
    show({"Exported the channel card of " + count +
              (card.rows.size() == 1 ? " channel" : " channels") + " (" + pages +
              (result.pages == 1 ? " page" : " pages") + ") to " + name + ".",
          "已将 " + count + " 个信道的信道卡（" + pages + " 页）导出到 " + name + "。"});
}

}  // namespace zt
