// SPDX-License-Identifier: GPL-3.0-or-later
// What a channel card says: its columns in both languages, which channels it
// lists, how transmit shows, and its header facts.
#include "model/channel_card.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"
#include "model/channel.h"
#include "table.h"

namespace zt {
namespace {

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
