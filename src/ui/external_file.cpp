// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/external_file.h"

#include <QFileInfo>

#include "files/csv_import_report.h"
#include "files/text_file.h"
#include "ui/channel_file_window.h"
#include "ui/qt_text.h"

namespace zt {

FileResult ImportCsvFile(const QString& path, Image& image, const CsvImportOptions& options) {
    const std::string name = utf8(QFileInfo(path).fileName());
    std::string error;
    const auto text = ReadTextFile(path.toStdU16String(), error);
    if (!text) {
        return {
            false,
            {"The CSV file cannot be read: " + error + ".", "无法读取 CSV 文件：" + error + " ！"}};
    }
    const CsvImportResult result = ImportChannelCsv(*text, image, options);
    const BiString hint =
        options.renumberFrom
            ? BiString{}
            : BiString{
                  "File > Import CSV... can place the rows in file order from channel 1, "
                  "whatever their Location (\"Number the rows in file order\").",
                  "“文件 > 导入CSV...”可按文件中的顺序从信道 1 起依次存放各行，不管其 "
                  "Location（“按文件顺序编号”）。"};
    return {result.ok,
            CsvImportMessage(result, FileImportWording(name, result.channels.size(), hint))};
}

bool IsCsvFile(const QString& path) {
    const QString suffix = QFileInfo(path).fileName().trimmed().right(4);
    return suffix == QLatin1String(".csv") || suffix == QLatin1String(".CSV");
}

FileResult LoadExternalFile(const QString& path, Image& image) {
    if (IsCsvFile(path)) return ImportCsvFile(path, image);
    const QString name = QFileInfo(path).fileName().trimmed();
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
