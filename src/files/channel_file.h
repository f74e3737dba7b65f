// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel parameter file (".chann"): the whole image as text, 256 lines of 16
// decimal values, each written " v " with CR LF line ends. Reading accepts any
// 4096 decimal numbers separated by spaces, tabs, commas or line ends.

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

inline constexpr BiText kChannelFileSaved{"Complete storing channel parameter.",
                                          "信道参数保存完毕 ！"};
inline constexpr BiText kChannelFileLoaded{"Succeed fold the channel parameter from file.",
                                           "信道参数从文件调入成功 ！"};

struct FileResult {
    bool ok = false;
    BiString message;  // success or the reason of the refusal; titled kOperatePrompt
};

// The file's text for an image.
[[nodiscard]] std::string FormatChannelFile(const Image& image);
// The image a file's text holds, or the reason it is refused.
[[nodiscard]] std::variant<Image, BiString> ParseChannelFile(std::string_view text);

// Writes through a temporary file beside the target and renames it over the
// target, so a failed save leaves the previous file as it was.
[[nodiscard]] FileResult SaveChannelFile(const std::filesystem::path& path, const Image& image);
// Reads the whole file first; a refused file leaves `image` exactly as it was.
[[nodiscard]] FileResult LoadChannelFile(const std::filesystem::path& path, Image& image);

}  // namespace zt
