// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_output.h"

#include <filesystem>
#include <iostream>

#include "files/text_file.h"

namespace zt::ctl {

std::string OutputFate(const std::string& path) {
    std::error_code ec;
    return path + (std::filesystem::exists(path, ec) ? " is unchanged" : " was not written");
}

bool WriteOutputFile(const std::string& path, const std::string& text) {
    std::string reason;
    if (WriteTextFile(path, text, reason)) return true;
    std::cerr << "zt790ctl: cannot write " << path << ": " << reason << "; " << OutputFate(path)
              << "\n";
    return false;
}

}  // namespace zt::ctl
