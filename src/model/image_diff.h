// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between two radio images, told in the terms of the editors that
// show them: per channel (frequencies, tones, power, bandwidth, flags, name),
// the frequency-mode record, the band limits, each optional feature under its
// caption, the FM presets, the scan, key and message records, the power levels
// and the rows a write fills in. Whatever no field describes (unused rows, spare
// bytes and bits) is listed as raw bytes, so every differing bit of the compared
// rows shows up in some entry and an empty result means the rows are equal.

#include <string>
#include <vector>

#include "model/bitext.h"
#include "model/radio_image.h"

namespace zt {

// In the order the entries come.
enum class DiffSection {
    Channel,        // item: the channel number
    FrequencyMode,  // row 0
    BandLimits,     // row 153
    Options,        // rows 208 and 209
    FmPresets,      // rows 154 and 155; item: the preset number
    Scan,           // row 213
    Keys,           // row 214
    PowerLevels,    // row 240
    WriteFilled,    // what a write completes: row 208 byte 12, rows 210 and 212
    OtherMemory,    // rows no editor shows; item: the row
};

// Every text in both languages: zt790ctl prints the English, the desktop
// program the language in force.
struct DiffEntry {
    DiffSection section = DiffSection::OtherMemory;
    int item = 0;
    // The caption of the field ("Receive", "Squelch Level", "Radio Channel 3"), or
    // where raw bytes lie ("row 208 bytes 13..15 (0x0D0D..0x0D0F)").
    BiString field;
    // What each image holds, as the editor shows it. A field that shows the same
    // for different stored values gets them appended ("7 (stored 08)"); raw
    // bytes are in hexadecimal ("00 FF").
    BiString a;
    BiString b;
    friend bool operator==(const DiffEntry&, const DiffEntry&) = default;
};

// The differences of rows 0 .. rows - 1 (the whole image by default; a radio
// holds rows 0..253, and a write sends rows 0..239). Entries come by section,
// then by item, the fields of one item in the editors' order, raw bytes last.
[[nodiscard]] std::vector<DiffEntry> DiffImages(const Image& a, const Image& b,
                                                int rows = kImageRows);

}  // namespace zt
