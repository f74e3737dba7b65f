// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where two images differ, in one line a user can act on: "channels 3, 5-7;
// optional features; row 230". A read-back that disagrees with the write names
// its places this way, and so does the history for each of its entries.

#include <vector>

#include "model/bitext.h"
#include "model/image_diff.h"

namespace zt {

// The heading a difference comes under: "Channel 3", "Optional features", ...
[[nodiscard]] BiString DiffHeading(const DiffEntry& entry);

// The places of the differences in the order they come; empty for none.
[[nodiscard]] BiString DescribeDifferences(const std::vector<DiffEntry>& diffs);

// The same for rows 0 .. rows - 1 of two images.
[[nodiscard]] BiString DescribeDifferences(const Image& a, const Image& b, int rows = kImageRows);

}  // namespace zt
