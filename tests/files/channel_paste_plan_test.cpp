// SPDX-License-Identifier: GPL-3.0-or-later
// A paste worked out before anything changes: where it starts, whether it is
// refused, how many used channels it replaces, what the user is told and the
// channels afterwards, for whole channels and for CSV rows.
#include "files/channel_paste_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "../model/channel_tokens.h"
#include "files/channel_records_text.h"

namespace zt {
namespace {

// What the clipboard offers: channels 1..3 copied or 1..2 cut, or text: the
// list, from a spreadsheet (tabs) or with semicolons, one VHF row, or a
// frequency alone.
ClipboardChannels Offer(const std::string& kind, Image& image) {
    ClipboardChannels clipboard;
    if (kind == "copy" || kind == "cut") {
        const std::vector<int> taken = kind == "cut" ? std::vector{1, 2} : std::vector{1, 2, 3};
        clipboard.records = FormatChannelRecords(ClipChannels(image, taken));
        if (kind == "cut") (void)RunChannelCommand(ChannelCommand::Empty, image, {taken, 1});
        return clipboard;
    }
    clipboard.text = kind == "vhf"     ? "Frequency\n145.5\n"
                     : kind == "plain" ? "446.5"
                                       : kPublishedList;
    if (kind == "tabs" || kind == "semicolons")
        std::replace(clipboard.text->begin(), clipboard.text->end(), ',',
                     kind[0] == 't' ? '\t' : ';');
    return clipboard;
}

// "A B - D E | copy | 4,5@5": the channels (the scan's priority on 2), the
// clipboard, the selected rows and the current one. Expected: "first /
// replaced / told / the names afterwards (up to 12)" or "first / refused: ...";
// SKIPPED stands for what the list's two rows that do not fit are told.
constexpr const char* kPastes = R"(
A B - D E | copy | 4@4 | 4 / 2 / Pasted 3 channels into channels 4 to 6. / A B - A B
A B C | copy | 1@3 | 1 / refused: Nothing changed: channels 1 to 3 already hold what was pasted.
A B C | copy | @127 | 127 / refused: The clipboard holds 3 channels; from channel 127 on only 2 fit. Nothing was pasted; select an earlier channel.
A B C | cut | 10,11@11 | 10 / 0 / Pasted 2 channels into channels 10 to 11.\nThe scan's priority channel is now channel 11, where its channel was pasted. / - - C - - - - - - A B
A@145.5 B C@146 | copy | 30@30 | 30 / 0 / Pasted 3 channels into channels 30 to 32.\nChannels 30 and 32 are outside the frequency limits 400..470 MHz: they are stored as they are, and a write to the radio refuses them until they are changed. / A B C
- - A@145.5 | copy | 30@30 | 30 / 0 / Pasted 3 channels into channels 30 to 32.\nChannel 32 is outside the frequency limits 400..470 MHz: it is stored as it is, and a write to the radio refuses it until it is changed. / - - A
A B C | list | @2 | 2 / 2 / Pasted 2 channels into channels 2 to 3SKIPPED\nThe scan's priority channel (channel 2) is gone; it is now cleared. / A RPT1 SIMPX
A B C | tabs | 20@5 | 20 / 0 / Pasted 2 channels into channels 20 to 21SKIPPED / A B C
A B C | semicolons | @2 | 2 / 2 / Pasted 2 channels into channels 2 to 3SKIPPED\nThe scan's priority channel (channel 2) is gone; it is now cleared. / A RPT1 SIMPX
A B C | plain | @2 | 2 / refused: The clipboard holds no channel rows. Copy channels in the grid, or CSV rows with their header line (Location, Name, Frequency, ...) from a spreadsheet or a text file.
A B C | vhf | @2 | 2 / refused: Nothing was pasted; the channels are unchanged.\nline 2: receive frequency 145.500000 MHz is outside the band 400..470 MHz
)";

TEST(ChannelPastePlan, StartRefusalReplacedMessageAndChannels) {
    const std::string skipped =
        "; 2 rows skipped.\nline 4 skipped: receive frequency 145.500000 MHz is outside the band "
        "400..470 MHz\nline 6 skipped: Mode \"DV\" is not FM (wide) or NFM (narrow)";
    for (auto [channels, kind, selected, expected] : Rows<4>(kPastes)) {
        SCOPED_TRACE(channels + " | " + kind + " | " + selected);
        if (const auto at = expected.find("SKIPPED"); at != std::string::npos)
            expected.replace(at, 7, skipped);
        Image image = GridChannels(channels);
        image[213][1] = 2;  // the scan's priority channel
        const ClipboardChannels clipboard = Offer(kind, image);
        const auto at = selected.find('@');
        ChannelSelection where{{}, std::stoi(selected.substr(at + 1))};
        std::istringstream rows(selected.substr(0, at));
        for (std::string row; std::getline(rows, row, ',');)
            where.channels.push_back(std::stoi(row));
        const Image before = image;
        const PastePlan plan = PlanPaste(image, where, clipboard);
        std::string got = std::to_string(plan.first) + " / ";
        if (plan.refusal) {
            got += "refused: " + plan.refusal->english;
            EXPECT_TRUE(image == before);
        } else {
            const std::string told = ApplyPaste(image, plan).english;
            got += std::to_string(plan.effect.replaced) + " / " + told + " / " + Names(image);
        }
        EXPECT_EQ(got, expected);
    }
    EXPECT_EQ(ReplaceQuestion(1).english + " " + ReplaceQuestion(2).english,
              "Replace 1 used channel? Replace 2 used channels?");
}

}  // namespace
}  // namespace zt
