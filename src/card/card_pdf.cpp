// SPDX-License-Identifier: GPL-3.0-or-later
#include "card/card_pdf.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

#include "card/card_painter.h"
#include "model/channel_card.h"

namespace zt {

namespace {

constexpr double kMarginMm = 10;
constexpr int kPdfDpi = 600;

}  // namespace

QPageSize CardPageSize(CardPaper paper) {
    return QPageSize(paper == CardPaper::Letter ? QPageSize::Letter : QPageSize::A4);
}

CardPaper LocalCardPaper() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? CardPaper::Letter
                                                                              : CardPaper::A4;
}

CardPdfResult WriteChannelCardPdf(const ChannelCard& card, CardPaper paper, const QString& path) {
    CardPdfResult result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(QPageLayout(CardPageSize(paper), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QString::fromStdString(card.title));
        writer.setCreator(QStringLiteral("zt790prog"));
        result.pages = PaintChannelCard(card, writer);
    }
    if (result.pages == 0) {
        file.cancelWriting();
        result.error = QStringLiteral("the PDF could not be drawn");
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        result.pages = 0;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace zt
