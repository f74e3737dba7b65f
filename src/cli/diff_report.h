// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What zt790ctl diff and history diff print about two images, in radio terms.

#include <string>

#include "model/radio_image.h"

namespace zt::ctl {

struct DiffReport {
    std::string out;   // the report, for standard output
    std::string err;   // with csv, the note on what the CSV leaves out
    bool same = true;  // nothing differs
};

// The differences of rows 0..rows-1 of a and b: a text report under the
// names of A and B, or the channel differences as CSV.
[[nodiscard]] DiffReport MakeDiffReport(const Image& a, const Image& b, int rows,
                                        const std::string& nameA, const std::string& nameB,
                                        bool csv);

}  // namespace zt::ctl
