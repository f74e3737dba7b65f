// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/options.h"

#include <algorithm>
#include <bit>

#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {

const std::array<BiText, 10> kSquelchItems{{{"0", "0"},
                                            {"1", "1"},
                                            {"2", "2"},
                                            {"3", "3"},
                                            {"4", "4"},
                                            {"5", "5"},
                                            {"6", "6"},
                                            {"7", "7"},
                                            {"8", "8"},
                                            {"9", "9"}}};
const std::array<BiText, 3> kScanModeItems{{{"TO", "时间"}, {"CO", "载波"}, {"SE", "搜索"}}};
const std::array<BiText, 2> kChannelDisplayItems{{{"Frequncy", "频率"}, {"Name", "名称"}}};
const std::array<BiText, 3> kBackLightItems{
    {{"Off", "关闭"}, {"Key", "自动"}, {"Cont", "持续点亮"}}};
const std::array<BiText, 3> kPowerOnModeItems{{{"Off", "关"}, {"DC", "电压"}, {"MSG", "信息"}}};
const std::array<BiText, 2> kWorkModeItems{{{"Frequncy", "频率模式"}, {"Channel", " 信道模式"}}};
const std::array<BiText, 8> kTimeOutTimerItems{{{"Off", "关"},
                                                {"1", "1"},
                                                {"2", "2"},
                                                {"3", "3"},
                                                {"4", "4"},
                                                {"5", "5"},
                                                {"6", "6"},
                                                {"7", "7"}}};
const std::array<BiText, 16> kAutoPowerOffItems{{{"Off", "关"},
                                                 {"1", "1"},
                                                 {"2", "2"},
                                                 {"3", "3"},
                                                 {"4", "4"},
                                                 {"5", "5"},
                                                 {"6", "6"},
                                                 {"7", "7"},
                                                 {"8", "8"},
                                                 {"9", "9"},
                                                 {"10", "10"},
                                                 {"11", "11"},
                                                 {"12", "12"},
                                                 {"13", "13"},
                                                 {"14", "14"},
                                                 {"15", "15"}}};
const std::array<BiText, 8> kVoxGainLevelItems{{{"1", "1"},
                                                {"2", "2"},
                                                {"3", "3"},
                                                {"4", "4"},
                                                {"5", "5"},
                                                {"6", "6"},
                                                {"7", "7"},
                                                {"8", "8"}}};
const std::array<BiText, 4> kVoxDelayTimeItems{{{"1", "1"}, {"2", "2"}, {"3", "3"}, {"4", "4"}}};
const std::array<BiText, 4> kKeyLockModeItems{
    {{"Key&UPDN", "按键和上下键"}, {"PTTLock", "PTT键"}, {"Key", "按键"}, {"ALL", "全部"}}};
const std::array<BiText, 3> kTxPowerItems{
    {{"Low", "低功率"}, {"Mid", "中功率"}, {"High", "高功率"}}};
const std::array<BiText, 3> kDuplexItems{{{"Off", "关"}, {"Plus", "加频"}, {"Minus", "减频"}}};
const std::array<BiText, 8> kStepItems{{{"5K", "5K"},
                                        {"6.25K", "6.25K"},
                                        {"10K", "10K"},
                                        {"12.5K", "12.5K"},
                                        {"25K", "25K"},
                                        {"37.5K", "37.5K"},
                                        {"50K", "50K"},
                                        {"100K", "100K"}}};
const std::array<BiText, 2> kWideNarrowItems{{{"Narrow", "窄带"}, {"Wide", "宽带"}}};

namespace {

std::uint8_t& Element(Image& image, BitField field) {
    return image.at(static_cast<std::size_t>(field.row)).at(static_cast<std::size_t>(field.byte));
}

std::uint8_t Element(const Image& image, BitField field) {
    return image.at(static_cast<std::size_t>(field.row)).at(static_cast<std::size_t>(field.byte));
}

int Shift(std::uint8_t mask) { return std::countr_zero(static_cast<unsigned>(mask)); }

}  // namespace

int ReadField(const Image& image, BitField field) {
    return (Element(image, field) & field.mask) >> Shift(field.mask);
}

void WriteField(Image& image, BitField field, int value) {
    std::uint8_t& e = Element(image, field);
    const unsigned bits = (static_cast<unsigned>(value) << Shift(field.mask)) & field.mask;
    e = static_cast<std::uint8_t>((e & ~field.mask) | bits);
}

bool ReadFlag(const Image& image, BitField field) { return ReadField(image, field) != 0; }

void WriteFlag(Image& image, BitField field, bool on) {
    std::uint8_t& e = Element(image, field);
    e = on ? static_cast<std::uint8_t>(e | field.mask) : static_cast<std::uint8_t>(e & ~field.mask);
}

int ShownPosition(int stored, std::size_t itemCount) {
    return std::clamp(stored, 0, static_cast<int>(itemCount) - 1);
}

std::string ReadPassword(const Image& image) {
    std::string digits;
    for (int i = 0; i < kPasswordLength; ++i) {
        const std::uint8_t b = image[kPasswordRow][static_cast<std::size_t>(i)];
        if (b <= 9) digits += static_cast<char>('0' + b);
    }
    return digits;
}

void WritePassword(Image& image, std::string_view text) {
    auto& row = image[kPasswordRow];
    std::fill_n(row.begin(), kPasswordLength, std::uint8_t{255});
    const auto codes = EncodeText(TrimBlanks(text), kPasswordLength);
    std::copy(codes.begin(), codes.end(), row.begin());
}

std::string ReadPowerOnMessage(const Image& image) {
    const auto& row = image[kPasswordRow];
    return DecodeText(std::span(row).subspan(kPasswordLength, kPowerOnMessageLength));
}

void WritePowerOnMessage(Image& image, std::string_view text) {
    auto& row = image[kPasswordRow];
    std::fill_n(row.begin() + kPasswordLength, kPowerOnMessageLength, std::uint8_t{255});
    const auto codes = EncodeText(TrimBlanks(text), kPowerOnMessageLength);
    std::copy(codes.begin(), codes.end(), row.begin() + kPasswordLength);
}

}  // namespace zt
