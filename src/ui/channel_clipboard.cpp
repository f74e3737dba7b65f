// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "files/channel_paste_plan.h"
#include "files/channel_records_text.h"

namespace zt {

namespace {

constexpr const char* kCsvMime = "text/csv";

}  // namespace

void PutChannelsOnClipboard(const std::string& csv, const std::string& records) {
    auto* data = new QMimeData;
    const QByteArray bytes = QByteArray::fromStdString(csv);
    data->setText(QString::fromUtf8(bytes));
    data->setData(QString::fromLatin1(kCsvMime), bytes);
    data->setData(QString::fromLatin1(kChannelRecordsMime), QByteArray::fromStdString(records));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> ChannelRecordsOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString mime = QString::fromLatin1(kChannelRecordsMime);
    if (!data || !data->hasFormat(mime)) return std::nullopt;
    return data->data(mime).toStdString();
}

std::optional<std::string> CsvOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return std::nullopt;
    const std::string text = data->hasFormat(QString::fromLatin1(kCsvMime))
                                 ? data->data(QString::fromLatin1(kCsvMime)).toStdString()
                                 : data->text().toStdString();
    if (!CsvHeaderSeparator(text)) return std::nullopt;
    return text;
}

}  // namespace zt
