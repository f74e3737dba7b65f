// SPDX-License-Identifier: GPL-3.0-or-later
// Setting fields on many channels: each field's bytes on the used channels of
// a selection and nothing else, name patterns, channel lists and the
// refusals, word for word; and the channel card of a selection.
#include "model/bulk_edit.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/channel.h"
#include "model/channel_card.h"
#include "model/channel_list.h"
#include "table.h"

namespace zt {
namespace {

// 446.00625 MHz, plus 5 MHz, a CTCSS decode and a DCS encode, High, scan on,
// wide; bytes 14 and 15 spare.
const ImageRow kUsed{0x25, 0x06, 0x60, 0x44, 0, 0, 0x50, 0, 0, 6, 1, 0, 0x42, 0x20, 7, 9};

// Channels 2, 3, 5 and 6 in use, 4 empty with leftover bytes; the request goes
// to 5, 2, 3, 2 and 4 (in that order, one twice). Channels 2, 3 and 5 then all
// hold the record shown, 4 and 6 stay, and so does every other row but the
// names; the names of 2, 3 and 5 follow.
TEST(BulkEdit, EachFieldStoresItsBytesOnTheSelectedUsedChannels) {
    const char* same = "25 06 60 44 00 00 50 00 00 06 01 00 42 20 07 09";
    const struct {
        BulkEdit edit;
        const char* expected;
        const char* names = nullptr;
    } cases[] = {
        {{.power = 0}, "25 06 60 44 00 00 50 00 00 06 01 00 40 20 07 09"},
        {{.power = 1}, "25 06 60 44 00 00 50 00 00 06 01 00 41 20 07 09"},
        {{.wide = false}, "25 06 60 44 00 00 50 00 00 06 01 00 42 00 07 09"},
        {{.decode = 13, .encode = 60}, "25 06 60 44 00 00 50 00 00 0C 01 09 42 20 07 09"},
        {{.decode = 200, .encode = 0}, "25 06 60 44 00 00 50 00 02 2A FF FF 42 20 07 09"},
        {{.decode = 0, .encode = 158}, "25 06 60 44 00 00 50 00 FF FF 02 00 42 20 07 09"},
        {{.scanAdd = false}, "25 06 60 44 00 00 50 00 00 06 01 00 46 20 07 09"},
        {{.bcl = true, .vox = true}, "25 06 60 44 00 00 50 00 00 06 01 00 42 E0 07 09"},
        {{.txStop = true}, "25 06 60 44 00 00 50 00 00 06 01 00 42 30 07 09"},
        {{.offset = OffsetSetting{2, 60000}}, "25 06 60 44 00 00 06 00 00 06 01 00 82 20 07 09"},
        {{.offset = OffsetSetting{0, 0}}, "25 06 60 44 00 00 00 00 00 06 01 00 02 20 07 09"},
        {{.name = NamePattern{"PMR##", 7}}, same, "PMR07 PMR08 PMR09"},
        {{.power = 2, .name = NamePattern{"CH#", 9}}, same, "CH9 CH10 CH11"},  // High as before
        {{.name = NamePattern{"A B", 1}}, same, "A B A B A B"},
        {{.name = NamePattern{"", 1}}, same, "  "},
    };
    Image start = BlankImage();
    for (int c : {2, 3, 5, 6}) {
        start[c] = kUsed;
        WriteName(start, c, "OLD");
    }
    start[4] = RowOf({255, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    for (const auto& k : cases) {
        Image image = start;
        const BulkEditResult r = ApplyBulkEdit(image, {5, 2, 3, 2, 4}, k.edit, 400, 470);
        std::string got = Hex(image[2]);
        if (k.edit.name) {
            got += " " + ReadName(image, 2) + " " + ReadName(image, 3) + " " + ReadName(image, 5);
        }
        EXPECT_EQ(got, k.expected + (k.names ? " " + std::string(k.names) : ""));
        EXPECT_TRUE(r.done) << k.expected;
        EXPECT_EQ(r.channels, (std::vector<int>{2, 3, 5})) << k.expected;
        for (int row = 0; row < 256; ++row) {
            const bool changes = row == 2 || row == 3 || row == 5 || (row >= 160 && k.edit.name);
            if (!changes) {
                EXPECT_EQ(image[row], start[row]) << k.expected << " row " << row;
            }
        }
        EXPECT_EQ(image[3], image[2]) << k.expected;
        EXPECT_EQ(image[5], image[2]) << k.expected;
        EXPECT_EQ(ReadName(image, k.edit.name ? 6 : 5), "OLD") << k.expected;
    }
}

TEST(BulkEdit, NamePatternsAndChannelLists) {
    using Pattern = std::pair<const char*, int>;
    const std::string names = Each<Pattern>(
        {{"PMR##", 1}, {"PMR##", 12}, {"CH#", 9}, {"CH#", 10}, {"#-##", 3}, {"AB", 5}, {"##", 123}},
        [](Pattern p) { return PatternName(p.first, p.second); });
    EXPECT_EQ(names, "PMR01|PMR12|CH9|CH10|3-03|AB|123");
    EXPECT_EQ(Each<const char*>({"1-16,20", " 5 , 3,5", "128", "0", "129", "9-8", "1-", "", "a"},
                                [](const char* t) {
                                    const auto list = ParseChannelList(t);
                                    return list ? "[" + FormatChannelList(*list) + "]" : "no";
                                }),
              "[1-16, 20]|[3, 5]|[128]|no|no|no|no|no|no");
}

TEST(BulkEdit, RefusalsNameTheChannels) {
    Image image = BlankImage();
    for (int c : {3, 7, 8, 9})
        image[c] = RowOf({0, 0, 0x80, 0x46, 0, 0, 0, 0, 255, 255, 255, 255, 2, 32});
    image[4] = kUsed;
    const Image before = image;
    const auto refusal = [&](std::vector<int> channels, BulkEdit edit) {
        const BulkEditResult r = ApplyBulkEdit(image, channels, edit, 400, 470);
        EXPECT_TRUE(image == before);
        return r.refusal.english + " / " + r.refusal.chinese;
    };
    EXPECT_EQ(refusal({3, 4, 7, 8, 9}, {.offset = OffsetSetting{1, 500000}}),
              "The transmit frequency would be outside the band of 400-470 MHz on channels 3, 7-9. "
              "Nothing was changed. / 信道 3, 7-9 的发射频率将超出 400-470 MHz "
              "的频段范围，未作任何修改。");
    EXPECT_EQ(refusal({4}, {.offset = OffsetSetting{2, 4700000}}).substr(0, 80),
              "The transmit frequency would be outside the band of 400-470 MHz on channel 4. No");
    EXPECT_EQ(refusal({4, 9}, {.name = NamePattern{"é?#a", 1}}),
              "A channel name cannot hold \"é\", \"?\": the radio shows only A-Z, 0-9, the blank "
              "and - _ + *. Nothing was changed. / 信道名称不能包含 “é”、“?”：对讲机只能显示 "
              "A-Z、0-9、空格和 - _ + *。未作任何修改。");
    EXPECT_EQ(
        refusal({3, 4, 7, 8}, {.name = NamePattern{"AB###", 998}}),
        "The names would be longer than five characters on channels 7-8 (for example AB1000). "
        "Nothing was changed. / 信道 7-8 的名称将超过五个字符（例如 AB1000），未作任何修改。");
    EXPECT_EQ(refusal({1, 2}, {.power = 0}),
              "The selected channels are empty; nothing was changed. / "
              "所选信道均为空信道，未作任何修改。");
    EXPECT_EQ(refusal({4}, BulkEdit{}),
              "Check the box of at least one field to change. / 请至少勾选一个要修改的字段。");
}

// What a channel card says: its columns in both languages, which channels it
// lists, how transmit shows, and its header facts.
class ChannelCardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PutChannel(image, 1, "PMR1 446.00625 0 255:255 255:255 02 00 FFFF");  // narrow
        // Minus, CTCSS 67.0 and DCS 023 normal, Low, TX stop.
        PutChannel(image, 2, "RPT 439.25 7.6 0:0 1:1 80 30 FFFF");
        PutChannel(image, 4, "- 430 15.12345 255:255 255:255 42 20 FFFF");
        // A power the editors do not offer.
        PutChannel(image, 5, "X 446.1 0.0125 255:255 255:255 43 20 FFFF");
        PutChannel(image, 6, "RPT2 430 10 255:255 255:255 42 20 FFFF");
    }
    std::vector<std::string> rows(const CardRequest& request) {
        std::vector<std::string> out;
        for (const CardRow& row : MakeChannelCard(image, request).rows) out.push_back(Joined(row));
        return out;
    }
    Image image = BlankImage();
};

TEST_F(ChannelCardTest, UsedChannelsInBothLanguages) {
    CardRequest request{{}, "", "club.chann", "2025-03-01", false};
    const ChannelCard en = MakeChannelCard(image, request);
    EXPECT_EQ(en.title, "Channel Card");
    EXPECT_EQ(Joined(en.headings),
              "Channel|Name|RX Frequency|TX Frequency|CTCSS/DCS Dec|CTCSS/DCS Enc|TX Power|W/N|TX "
              "Stop");
    EXPECT_EQ(rows(request), (std::vector<std::string>{
                                 "1|PMR1|446.00625||||High|Narrow|",
                                 "2|RPT|439.25000|-7.600|67.0|D023N|Low|Wide|●",
                                 "4||430.00000|445.12345|||High|Wide|",
                                 "5|X|446.10000|446.11250||||Wide|",
                                 "6|RPT2|430.00000|+10.000|||High|Wide|",
                             }));
    EXPECT_EQ(en.facts,
              (std::vector<std::string>{"Model: ZT790 C1.0 UHF (400-470 MHz)", "File: club.chann",
                                        "Date: 2025-03-01", "Channels: 5"}));
    request = {{2, 3, 4}, "Club", "", "2025-03-01", true};
    const ChannelCard zh = MakeChannelCard(image, request);
    EXPECT_EQ(zh.title, "Club");
    EXPECT_EQ(Joined(zh.headings),
              "信道号|信道名称|接收频率(MHZ)|发射频率(MHZ)|QT/DQT解码|QT/DQT编码|发射功率|信道带宽|"
              "禁止发射");
    EXPECT_EQ(rows(request), (std::vector<std::string>{
                                 "2|RPT|439.25000|-7.600|67.0|D023N|低|宽带|●",
                                 "4||430.00000|445.12345|||高|宽带|",
                             }));
    EXPECT_EQ(zh.facts, (std::vector<std::string>{"型号：ZT790 C1.0 UHF (400-470 MHz)",
                                                  "日期：2025-03-01", "信道数：2"}));
    EXPECT_EQ(CardPageText(1, 2, false) + "|" + CardPageText(2, 2, true),
              "Page 1 of 2|第 2 页，共 2 页");
}

}  // namespace
}  // namespace zt
