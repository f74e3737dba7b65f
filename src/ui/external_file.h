// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file handed to the program from outside (its command line, a drop on the
// main window): a channel file replaces the image, with the open window's name
// checks and messages; a CSV file's channels are imported into it. File ->
// Import CSV... imports with the options the user chose.

#include <QString>

#include "files/channel_csv.h"
#include "files/channel_file.h"
#include "model/radio_image.h"

namespace zt {

// Whether `path` names a CSV file (".csv" or ".CSV").
[[nodiscard]] bool IsCsvFile(const QString& path);

// Loads or imports `path` into `image`. A refused file leaves the image exactly
// as it was; the message (success or reason) is for a box titled
// kOperatePrompt.
[[nodiscard]] FileResult LoadExternalFile(const QString& path, Image& image);

// Imports the channels of a CSV file into `image` with the rules and messages
// of zt790ctl import-csv.
[[nodiscard]] FileResult ImportCsvFile(const QString& path, Image& image,
                                       const CsvImportOptions& options = {});

}  // namespace zt
