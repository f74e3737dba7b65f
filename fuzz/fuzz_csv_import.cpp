// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV importer on arbitrary text, as it stands and with every option on:
// it never crashes or hangs, a refused CSV leaves the image exactly as it was,
// an accepted one changes only channel rows and names and stores each channel
// once, and exporting what it stored imports back unchanged.
#include <cstdint>
#include <set>
#include <string>

#include "files/channel_csv.h"
#include "model/blank_image.h"

namespace {

bool ChannelOrNameRow(int row) {
    return (row >= zt::kFirstChannelRow && row <= zt::kChannelCount) ||
           (row >= zt::kFirstNameRow && row <= zt::kLastNameRow);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zt::Image before = zt::BlankImage();
    zt::StoreRxText(before, 126, "446.1");  // a channel for --replace to empty
    zt::CsvImportOptions everything;
    everything.skipInvalid = true;
    everything.renumberFrom = 120;
    everything.replace = true;
    for (const zt::CsvImportOptions& options : {zt::CsvImportOptions{}, everything}) {
        zt::Image image = before;
        const zt::CsvImportResult result = zt::ImportChannelCsv(text, image, options);
        if (!result.ok) {
            if (image != before || result.problems.empty()) __builtin_trap();
            continue;
        }
        for (int r = 0; r < zt::kImageRows; ++r) {
            if (!ChannelOrNameRow(r) && image[r] != before[r]) __builtin_trap();
        }
        std::set<int> stored;
        for (const int c : result.channels) {
            if (c < 1 || c > 128 || !stored.insert(c).second || zt::IsChannelEmpty(image, c))
                __builtin_trap();
        }
        zt::Image again = image;
        const zt::CsvImportResult back =
            zt::ImportChannelCsv(zt::FormatChannelCsv(image, result.channels), again);
        if (!back.ok || again != image || back.channels != result.channels) __builtin_trap();
    }
    return 0;
}
