// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/external_file.h"

#include <QFileInfo>

#include "files/channel_csv.h"
#include "files/text_file.h"
#include "ui/channel_file_window.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// A message box holds this many refused rows; the CSV file has the rest.
constexpr std::size_t kShownProblems = 10;

std::string LineText(const CsvLineMessage& m) {
    return m.line > 0 ? "line " + std::to_string(m.line) + ": " + m.text : m.text;
}

FileResult ImportCsvFile(const QString& path, Image& image) {
    const std::string name = utf8(QFileInfo(path).fileName());
    std::string error;
    const auto text = ReadTextFile(path.toStdU16String(), error);
    if (!text) {
        return {
            false,
            {"The CSV file cannot be read: " + error + ".", "无法读取 CSV 文件：" + error + " ！"}};
    }
    const CsvImportResult result = ImportChannelCsv(*text, image);
    std::string details;
    const auto& lines = result.ok ? result.notes : result.problems;
    for (std::size_t i = 0; i < lines.size() && i < kShownProblems; ++i) {
        details += "\n" + LineText(lines[i]);
    }
    if (lines.size() > kShownProblems) {
        details += "\n... " + std::to_string(lines.size() - kShownProblems) + " more";
    }
    if (!result.ok) {
        return {false,
                {name + " was not imported; the channels are unchanged." + details,
                 name + " 未导入，信道保持不变。" + details}};
    }
    const std::string count = std::to_string(result.channels.size());
    return {true,
            {"Imported " + count + (result.channels.size() == 1 ? " channel" : " channels") +
                 " from " + name + "." + details,
             "已从 " + name + " 导入 " + count + " 个信道。" + details}};
}

}  // namespace

FileResult LoadExternalFile(const QString& path, Image& image) {
    const QString name = QFileInfo(path).fileName().trimmed();
    const QString suffix = name.right(4);
    if (suffix == QLatin1String(".csv") || suffix == QLatin1String(".CSV")) {
        return ImportCsvFile(path, image);
    }
    switch (CheckChannelFileName(name)) {
        case ChannelFileNameCheck::BadCharacter:
            return {false, BiString(kOpenBadCharacter)};
        case ChannelFileNameCheck::BadSuffix:
            return {false, BiString(kOpenBadSuffix)};
        case ChannelFileNameCheck::Ok:
            break;
    }
    return LoadChannelFile(path.toStdU16String(), image);
}

}  // namespace zt
