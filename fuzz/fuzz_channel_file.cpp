// SPDX-License-Identifier: GPL-3.0-or-later
// The channel-file loader on arbitrary text: it never crashes or hangs, a
// refused file leaves the image exactly as it was, and an accepted one holds
// the image that saving it gives back.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <variant>

#include "files/channel_file.h"

namespace {

zt::Image Pattern() {
    zt::Image image{};
    for (int r = 0; r < zt::kImageRows; ++r) {
        for (int f = 0; f < zt::kRowBytes; ++f) image[r][f] = static_cast<std::uint8_t>(r ^ f);
    }
    return image;
}

const std::string& ScratchPath() {
    static const std::string path = "/tmp/zt_fuzz_" + std::to_string(getpid()) + ".chann";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = zt::ParseChannelFile(text);
    if (const auto* image = std::get_if<zt::Image>(&parsed)) {
        // What was accepted saves to a file that reads back the same.
        const auto again = zt::ParseChannelFile(zt::FormatChannelFile(*image));
        const auto* same = std::get_if<zt::Image>(&again);
        if (same == nullptr || *same != *image) __builtin_trap();
    } else if (std::get<zt::BiString>(parsed).english.empty()) {
        __builtin_trap();  // a refusal says why
    }

    {
        std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const zt::Image before = Pattern();
    zt::Image image = before;
    const zt::FileResult result = zt::LoadChannelFile(ScratchPath(), image);
    const auto* expected = std::get_if<zt::Image>(&parsed);
    if (result.ok != (expected != nullptr)) __builtin_trap();
    if (result.ok ? image != *expected : image != before) __builtin_trap();
    return 0;
}
