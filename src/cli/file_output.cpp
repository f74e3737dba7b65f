// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_output.h"

#include <filesystem>
#include <iostream>

#include "files/channel_file.h"
#include "files/text_file.h"

namespace zt::ctl {

bool LoadInputFile(const std::string& path, Image& image) {
    const FileResult loaded = LoadChannelFile(path, image);
    if (loaded.ok) return true;
    const std::string& why = loaded.message.english;
    std::cerr << "zt790ctl: " << (why.find(path) == std::string::npos ? path + ": " : "") << why
              << "\n";
    return false;
}

bool OutputPathUsable(const std::string& path) {
    const std::filesystem::path file(path);
    std::error_code ec;
    const auto dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    if (std::filesystem::is_directory(dir, ec) && !std::filesystem::is_directory(file, ec)) {
        return true;
    }
    std::cerr << "zt790ctl: " << path << ": no such folder, or it is a folder\n";
    return false;
}

bool MayReplace(const std::string& path, bool force, const std::string& option) {
    std::error_code ec;
    if (force || !std::filesystem::exists(path, ec)) return true;
    std::cerr << "zt790ctl: " << (option.empty() ? "" : option + ": ") << path
              << " exists and is unchanged; --force replaces it\n";
    return false;
}

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
