// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "files/channel_records_text.h"
#include "files/csv_numbers.h"
#include "files/csv_text.h"

namespace zt {

namespace {

constexpr const char* kCsvMime = "text/csv";
// A title line or two may stand above the header, as in published lists.
constexpr int kHeaderSearchLines = 5;

}  // namespace

std::optional<char> CsvHeaderSeparator(std::string_view text) {
    // Only the first lines matter; a long list is not parsed three times.
    std::size_t end = 0;
    for (int lines = 0; lines < kHeaderSearchLines; ++lines) {
        const std::size_t next = text.find('\n', end);
        if (next == std::string_view::npos) {
            end = text.size();
            break;
        }
        end = next + 1;
    }
    const std::string_view head = text.substr(0, end);
    for (const char separator : {'\t', ',', ';'}) {
        for (const CsvRecord& record : ParseCsvText(head, separator).records) {
            for (const std::string& field : record.fields) {
                if (LowerWord(field) == "frequency") return separator;
            }
        }
    }
    return std::nullopt;
}

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

std::optional<CsvClipboardText> CsvOnClipboard() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return std::nullopt;
    const std::string text = data->hasFormat(QString::fromLatin1(kCsvMime))
                                 ? data->data(QString::fromLatin1(kCsvMime)).toStdString()
                                 : data->text().toStdString();
    const auto separator = CsvHeaderSeparator(text);
    if (!separator) return std::nullopt;
    return CsvClipboardText{text, *separator};
}

}  // namespace zt
