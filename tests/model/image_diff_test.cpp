// SPDX-License-Identifier: GPL-3.0-or-later
// Differences of two images in radio terms: crafted pairs for every kind of
// field, and a sweep that flips every bit the editors describe and every byte of
// the image, each of which must show up.
#include "model/image_diff.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/blank_image.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/options.h"
#include "model/write_prep.h"
#include "table.h"

namespace zt {
namespace {

std::string Line(const DiffEntry& e, bool chinese) {
    static constexpr const char* kTags[] = {"ch",   "vfo",  "band",  "opt",   "fm",
                                            "scan", "keys", "power", "write", "mem"};
    std::string tag = kTags[static_cast<int>(e.section)];
    if (e.section == DiffSection::Channel || e.section == DiffSection::FmPresets ||
        e.section == DiffSection::OtherMemory)
        tag += " " + std::to_string(e.item);
    return tag + " | " + e.field.in(chinese) + " | " + e.a.in(chinese) + " -> " + e.b.in(chinese);
}

std::vector<std::string> Lines(const Image& a, const Image& b, int rows = 256,
                               bool chinese = false) {
    std::vector<std::string> lines;
    for (const DiffEntry& e : DiffImages(a, b, rows)) lines.push_back(Line(e, chinese));
    return lines;
}

// The blank image with channel 5 in use: 446.00625 MHz, simplex, tones off,
// High, wide, scan on, named PMR5.
Image Base() {
    Image image = BlankImage();
    PutChannel(image, 5, "PMR5 446.00625 0 255:255 255:255 02 20 FFFF");
    return image;
}

// Bytes written into an image from [row][byte] on.
struct Poke {
    int row, byte;
    std::vector<int> bytes;
};

Image Poked(Image image, const std::vector<Poke>& pokes) {
    for (const Poke& p : pokes)
        for (std::size_t i = 0; i < p.bytes.size(); ++i)
            image[p.row][p.byte + i] = static_cast<std::uint8_t>(p.bytes[i]);
    return image;
}

struct Case {
    const char* name;
    std::vector<Poke> second;  // into the second image only
    std::vector<std::string> expected;
    std::function<void(Image&)> change = [](Image&) {};  // the second only, afterwards
    std::vector<Poke> both = {};                         // into both images first
};

void Check(const std::vector<Case>& cases, bool chinese) {
    for (const Case& c : cases) {
        const Image a = Poked(Base(), c.both);
        Image b = Poked(a, c.second);
        c.change(b);
        EXPECT_EQ(Lines(a, b, 256, chinese), c.expected) << c.name;
    }
}

TEST(ImageDiff, EachKindOfFieldInRadioTerms) {
    const std::vector<Case> cases{
        {"equal", {}, {}},
        {"receive frequency, and the transmit frequency with it",
         {{5, 0, {0x00, 0x00, 0x61, 0x44}}},
         {"ch 5 | Receive | 446.00625 -> 446.10000", "ch 5 | Transmit | 446.00625 -> 446.10000"}},
        {"offset plus 0.6 MHz",
         {{5, 6, {0x06}}, {5, 12, {0x42}}},
         {"ch 5 | Transmit | 446.00625 -> 446.60625"}},
        {"tones: CTCSS 100.0 and DCS 023 inverted",
         {{5, 8, {0, 12, 2, 1}}},
         {"ch 5 | Decode | OFF -> 100.0", "ch 5 | Encode | OFF -> D023I"}},
        {"two tone bytes that both show the last CTCSS tone",
         {{5, 8, {0, 60}}},
         {"ch 5 | Decode | OFF -> 254.1"}},
        {"power, bandwidth and every flag",
         {{5, 12, {0x04, 0xD0}}},  // Low, scan skip; narrow, VOX, BCL, TX stop
         {"ch 5 | Power | High -> Low", "ch 5 | Bandwidth | Wide -> Narrow",
          "ch 5 | Scan | On -> Off", "ch 5 | VOX | Off -> On", "ch 5 | BCL | Off -> On",
          "ch 5 | TX stop | Off -> On"}},
        {"a power the editors never store", {{5, 12, {0x03}}}, {"ch 5 | Power | High -> 3"}},
        {"name",
         {},
         {"ch 5 | Name | \"PMR5\" -> \"RPT\""},
         [](Image& b) { WriteName(b, 5, "RPT"); }},
        {"a channel taken into use, with the bits no editor shows",
         {{7, 0, {0x00, 0x00, 0x61, 0x44, 0, 0, 0, 0}}},
         {"ch 7 | Receive | (empty) -> 446.10000", "ch 7 | Transmit | - -> 446.10000",
          "ch 7 | Decode | - -> OFF", "ch 7 | Encode | - -> OFF", "ch 7 | Power | - -> High",
          "ch 7 | Bandwidth | - -> Wide", "ch 7 | Scan | - -> On", "ch 7 | VOX | - -> Off",
          "ch 7 | BCL | - -> Off", "ch 7 | TX stop | - -> Off",
          "ch 7 | row 7 byte 12 bits 38 (0x007C) | 38 -> 00",
          "ch 7 | row 7 byte 13 bits 0F (0x007D) | 0F -> 00"},
         [](Image& b) { ApplyGridDefaults(b, 7); }},
        {"leftovers in a channel empty in both, and a spare byte",
         {{9, 3, {0x12}}, {5, 14, {0x01, 0x02}}},
         {"ch 5 | row 5 bytes 14..15 (0x005E..0x005F) | FF FF -> 01 02",
          "ch 9 | row 9 byte 3 (0x0093) | FF -> 12"}},
        // 446 MHz, no offset; DCS 017 encode; High, Plus; 25K, wide, VOX.
        {"frequency mode: receive, offset, shift, tone, step, VOX",
         {{0, 0, {0x00, 0x00, 0x60, 0x44, 255, 255, 255, 255}}, {0, 10, {1, 0, 0x42, 0x64}}},
         {"vfo | RX Frequncy(MHZ) | 462.01250 -> 446.00000",
          "vfo | Offset Frequncy(MHZ) | 10.00000 -> none", "vfo | Duplex | Off -> Plus",
          "vfo | Encode | OFF -> D017N", "vfo | Step(KHZ) | 5K -> 25K", "vfo | VOX | Off -> On"}},
        {"band limits, and the 100 kHz digit nothing reads",
         {{153, 0, {0x65, 0x13, 0x40, 0x17}}},
         {"band | Frequncy Range | 400..470 MHz (ZT790 C1.0 UHF) -> 136..174 MHz (ZT790 C1.0 VHF)",
          "band | row 153 byte 0 bits 0F (0x0990) | 00 -> 05"}},
        // Squelch 3, manual set-up off, channel mode, a timer beyond the list (its
        // last item), Key with vice band receive, a byte no editor shows; the
        // password digits and the message codes of "HI".
        {"optional features by caption",
         {{208, 0, {3, 0x75, 0xC1, 9}},
          {208, 7, {0x82}},
          {208, 9, {0x55}},
          {209, 0, {1, 2, 3, 4, 19, 20, 255, 255, 255}}},
         {"opt | Squelch Level | 5 -> 3", "opt | Time Out Timer[Min] | 3 -> 7",
          "opt | KeyLock Mode | Key&UPDN -> Key", "opt | Manual set-up | On -> Off",
          "opt | Work Mode | Frequncy -> Channel", "opt | Vice-band Receive Enabled | Off -> On",
          "opt | Password Pin | (none) -> \"1234\"", "opt | PowerOn MSG | \"HELLO\" -> \"HI\"",
          "opt | row 208 byte 9 (0x0D09) | 00 -> 55"}},
        {"FM presets",
         {{154, 3, {130}}, {155, 4, {211}}},  // preset 20: empty either way
         {"fm 3 | Radio Channel 3 | (empty) -> 100.0",
          "fm 20 | Radio Channel 20 | (empty) (stored FF) -> (empty) (stored D3)"}},
        {"scan record",
         {{213, 0, {1}}, {213, 5, {30, 0}}},  // fixed priority
         {"scan | Priority | Selected -> Fixed", "scan | Dropout Delay Time (s) | 300 -> 30"}},
        {"keys, two codes that both mean Autodial",
         {{214, 0, {6, 1}}},
         {"keys | PF1 | None -> Scan", "keys | PF2 | None -> Autodial"}},
        {"power levels",
         {{240, 0, {60}}, {240, 3, {2}}},
         {"power | Low Power | 50 -> 60", "power | Level adjusted last | 255 -> High Power"}},
        {"what a write fills in",
         {},
         {"opt | VOX Inhibit on Receive | On -> Off", "write | First channel in use | none -> 5",
          "write | Channels marked in use | 1-128 -> 5"},
         [](Image& b) { PrepareImageForWrite(b); }},
        {"memory no editor shows",
         {{130, 2, {1, 2, 3}}, {130, 9, {4}}, {250, 0, {0}}},
         {"mem 130 | row 130 bytes 2..4 (0x0822..0x0824) | FF FF FF -> 01 02 03",
          "mem 130 | row 130 byte 9 (0x0829) | FF -> 04",
          "mem 250 | row 250 byte 0 (0x0FA0) | FF -> 00"}},
        // Fields that show the same for different stored values: a list value
        // beyond the last item against the last item, a key code that reads as
        // another, tone indexes beyond their group.
        {"two timers beyond the list",
         {{208, 3, {8}}},
         {"opt | Time Out Timer[Min] | 7 (stored 07) -> 7 (stored 08)"},
         [](Image&) {},
         {{208, 3, {7}}}},
        {"two Autodial codes",
         {{214, 1, {1}}},
         {"keys | PF2 | Autodial (stored 00) -> Autodial (stored 01)"},
         [](Image&) {},
         {{214, 1, {0}}}},
        {"two CTCSS indexes beyond the list",
         {{5, 9, {70}}},
         {"ch 5 | Decode | 254.1 (stored 00 3C) -> 254.1 (stored 00 46)"},
         [](Image&) {},
         {{5, 8, {0, 60}}}},
    };
    Check(cases, false);
}

// The desktop program's Compare in Chinese: the editors' captions and items.
TEST(ImageDiff, InChineseWithTheEditorsWords) {
    Check({{"channel fields",
            {{5, 0, {0x00, 0x00, 0x61, 0x44}}, {5, 8, {0, 12, 2, 1, 0x04, 0xD0}}},
            {"ch 5 | 接收频率 | 446.00625 -> 446.10000", "ch 5 | 发射频率 | 446.00625 -> 446.10000",
             "ch 5 | QT/DQT 解码 | 关 -> 100.0", "ch 5 | QT/DQT 编码 | 关 -> D023I",
             "ch 5 | 发射功率 | 高功率 -> 低功率", "ch 5 | 宽带/窄带 | 宽带 -> 窄带",
             "ch 5 | 扫描添加 | 开 -> 关", "ch 5 | 声控发射 | 关 -> 开",
             "ch 5 | 繁忙锁定 | 关 -> 开", "ch 5 | 禁止发射 | 关 -> 开"}},
           {"a name, raw bytes and bits",
            {{5, 14, {1, 2}}, {153, 0, {0x05}}},
            {"ch 5 | 第 5 行第 14..15 字节 (0x005E..0x005F) | FF FF -> 01 02",
             "ch 7 | 信道名称 | （无） -> \"RPT\"",
             "band | 第 153 行第 0 字节的位 0F (0x0990) | 00 -> 05"},
            [](Image& b) { WriteName(b, 7, "RPT"); }},
           {"frequency mode and options",
            {{0, 4, {255, 255, 255, 255}}, {208, 1, {0x75, 0xC1}}, {208, 7, {0x82}}},
            {"vfo | 频差频率(MHZ) | 10.00000 -> 无", "opt | 按键锁定模式 | 按键和上下键 -> 按键",
             "opt | 手动设置 | 开 -> 关", "opt | 工作模式 | 频率模式 -> 信道模式",
             "opt | 副频段接收允许 | 关 -> 开"}},
           {"presets, scan, keys, power and what a write fills in",
            {{154, 3, {130}}, {155, 4, {211}}, {213, 0, {1}}, {214, 0, {6}}, {240, 3, {2}}},
            {"opt | 接收时禁止声控 | 开 -> 关", "fm 3 | 收音频道 3 | （空） -> 100.0",
             "fm 20 | 收音频道 20 | （空）（存储值 FF） -> （空）（存储值 D3）",
             "scan | 优先 | 选定 -> 固定", "keys | PF1 | 无 -> 扫描",
             "power | 最后调整的功率 | 255 -> 高功率", "write | 第一个使用的信道 | 无 -> 5",
             "write | 标记为使用的信道 | 1-128 -> 5"},
            [](Image& b) { PrepareImageForWrite(b); }}},
          true);
}

// A read compares the 254 rows it fills, a write the 240 it sends.
TEST(ImageDiff, OnlyTheComparedRowsCount) {
    const Image a = Base();
    const Image b = Poked(a, {{239, 0, {0}}, {240, 0, {60}}, {253, 0, {0}}, {254, 0, {0}}});
    EXPECT_EQ(Lines(a, b, 240),
              std::vector<std::string>{"mem 239 | row 239 byte 0 (0x0EF0) | FF -> 00"});
    EXPECT_EQ(Lines(a, b, 254),
              (std::vector<std::string>{"power | Low Power | 50 -> 60",
                                        "mem 239 | row 239 byte 0 (0x0EF0) | FF -> 00",
                                        "mem 253 | row 253 byte 0 (0x0FD0) | FF -> 00"}));
    EXPECT_EQ(Lines(a, b).size(), 4u);
    EXPECT_TRUE(DiffImages(a, b, 0).empty());
}

// Every bit of the rows the editors describe, and every byte of the image,
// flipped alone, shows up.
TEST(ImageDiff, NoDifferenceGoesUnreported) {
    const Image a = Base();
    for (int row : {0, 1, 5, 153, 154, 155, 160, 199, 208, 209, 210, 212, 213, 214, 240}) {
        for (int byte = 0; byte < 16; ++byte) {
            for (int bit = 0; bit < 8; ++bit) {
                Image b = a;
                b[row][byte] ^= static_cast<std::uint8_t>(1 << bit);
                EXPECT_FALSE(DiffImages(a, b).empty())
                    << "row " << row << " byte " << byte << " bit " << bit;
            }
        }
    }
    for (int row = 0; row < 256; ++row) {
        for (int byte = 0; byte < 16; ++byte) {
            Image b = a;
            b[row][byte] ^= 0xA5;
            EXPECT_FALSE(DiffImages(a, b).empty()) << "row " << row << " byte " << byte;
        }
    }
}

}  // namespace
}  // namespace zt
