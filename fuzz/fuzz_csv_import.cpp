// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV importer on arbitrary text: it never crashes or hangs, a refused CSV
// leaves the image exactly as it was, an accepted one changes only the channel
// rows and names it lists, and exporting the result imports back unchanged.
#include <cstdint>
#include <string>

#include "files/channel_csv.h"
#include "model/blank_image.h"

namespace {

bool NameRowsOnly(int row) { return row >= zt::kFirstNameRow && row <= zt::kLastNameRow; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const zt::Image before = zt::BlankImage();
    zt::Image image = before;
    const zt::CsvImportResult result = zt::ImportChannelCsv(text, image);
    if (!result.ok) {
        if (image != before || result.problems.empty()) __builtin_trap();
        return 0;
    }
    for (int r = 0; r < zt::kImageRows; ++r) {
        const bool channelRow = r >= zt::kFirstChannelRow && r <= 128;
        if (!channelRow && !NameRowsOnly(r) && image[r] != before[r]) __builtin_trap();
    }
    for (const int c : result.channels) {
        if (c < 1 || c > 128) __builtin_trap();
    }
    zt::Image again = image;
    const zt::CsvImportResult back = zt::ImportChannelCsv(zt::FormatChannelCsv(image), again);
    if (!back.ok || again != image) __builtin_trap();
    return 0;
}
