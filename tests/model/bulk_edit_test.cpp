// SPDX-License-Identifier: GPL-3.0-or-later
// Setting fields on many channels: random images, selections and requests
// (fixed seed) against the record's byte layout; name patterns, channel lists
// and the refusals, word for word.
#include "model/bulk_edit.h"

#include <gtest/gtest.h>

#include <random>

#include "model/channel_list.h"
#include "table.h"

namespace zt {
namespace {

// Packed decimal, least significant byte first, as the record stores frequencies.
std::array<std::uint8_t, 4> Bcd(long units) {
    std::array<std::uint8_t, 4> b{};
    for (auto& byte : b) {
        byte = static_cast<std::uint8_t>(units % 10 | (units / 10 % 10) << 4);
        units /= 100;
    }
    return b;
}

// The radio's codes of the characters the generated names use.
std::uint8_t Code(char c) { return c >= '0' && c <= '9' ? c - '0' : c - 'A' + 12; }

// Which bits each field may change: byte, mask.
using Bits = std::vector<std::pair<int, int>>;

TEST(BulkEdit, OnlyTheCheckedFieldsOfTheSelectedUsedChannelsChange) {
    std::mt19937 random(29);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const patterns[] = {"PMR##", "CH#", "AB", ""};
    int done = 0, refusedBand = 0, refusedName = 0;
    for (int run = 0; run < 400; ++run) {
        Image image;
        for (auto& row : image)
            for (auto& b : row) b = static_cast<std::uint8_t>(random());
        std::array<long, 129> rx{};
        for (int c = 1; c <= 128; ++c) {
            if (pick(4) == 0) {
                image[c][0] = 255;  // empty: the rest of the record is left as it is
                continue;
            }
            rx[c] = 40000000 + pick(7000000);
            const auto r = Bcd(rx[c]), o = Bcd(pick(1000000));
            std::copy(r.begin(), r.end(), image[c].begin());
            std::copy(o.begin(), o.end(), image[c].begin() + 4);
        }
        std::vector<int> selection;
        for (int c = 1; c <= 128; ++c)
            if (pick(3) == 0) selection.push_back(c);
        BulkEdit edit;
        Bits bits;
        const auto chance = [&] { return pick(3) == 0; };
        if (chance()) edit.power = pick(3), bits.push_back({12, 0x03});
        if (chance()) edit.scanAdd = pick(2), bits.push_back({12, 0x04});
        if (chance()) edit.wide = pick(2), bits.push_back({13, 0x20});
        if (chance()) edit.txStop = pick(2), bits.push_back({13, 0x10});
        if (chance()) edit.vox = pick(2), bits.push_back({13, 0x40});
        if (chance()) edit.bcl = pick(2), bits.push_back({13, 0x80});
        if (chance()) edit.decode = pick(265), bits.insert(bits.end(), {{8, 0xFF}, {9, 0xFF}});
        if (chance()) edit.encode = pick(265), bits.insert(bits.end(), {{10, 0xFF}, {11, 0xFF}});
        if (chance()) {
            edit.offset = OffsetSetting{pick(3), 500L * pick(1000)};
            bits.insert(bits.end(), {{4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}, {12, 0xC0}});
        }
        if (chance()) edit.name = NamePattern{patterns[pick(4)], 1 + pick(90)};
        if (edit.empty()) edit.power = 1, bits.push_back({12, 0x03});

        std::vector<int> used;
        for (int c : selection)
            if (image[c][0] != 255) used.push_back(c);
        const auto txOf = [&](int c) {
            const int d = edit.offset->direction;
            return rx[c] + (d == 1 ? edit.offset->offset : d == 2 ? -edit.offset->offset : 0);
        };
        bool outOfBand = false, nameTooLong = false;
        for (std::size_t k = 0; k < used.size(); ++k) {
            if (edit.offset && (txOf(used[k]) < 40000000 || txOf(used[k]) >= 47000000))
                outOfBand = true;
            if (edit.name && edit.name->pattern == std::string("PMR##") &&
                edit.name->start + static_cast<int>(k) > 99)
                nameTooLong = true;
        }
        const Image before = image;
        const BulkEditResult result = ApplyBulkEdit(image, selection, edit, 400, 470);
        const std::string where = "run " + std::to_string(run);
        ASSERT_EQ(result.channels, used) << where;
        const bool refused = used.empty() || outOfBand || nameTooLong;
        ASSERT_EQ(result.done, !refused) << where << ": " << result.refusal.english;
        refusedBand += outOfBand, refusedName += nameTooLong && !outOfBand;
        if (refused) {
            ASSERT_TRUE(image == before) << where;  // refused whole
            continue;
        }
        ++done;
        Image expected = before;  // what may differ is taken from the result, then checked
        for (std::size_t k = 0; k < used.size(); ++k) {
            const int c = used[k];
            for (auto [byte, mask] : bits)
                expected[c][byte] = (expected[c][byte] & ~mask) | (image[c][byte] & mask);
            const auto& r = image[c];
            if (edit.power) {
                EXPECT_EQ(r[12] & 0x03, *edit.power) << where;
            }
            // Flag, byte, bit, and whether "on" sets the bit (Scan Add clears it).
            const std::tuple<std::optional<bool>, int, int, bool> flags[] = {
                {edit.scanAdd, 12, 0x04, false},
                {edit.wide, 13, 0x20, true},
                {edit.txStop, 13, 0x10, true},
                {edit.vox, 13, 0x40, true},
                {edit.bcl, 13, 0x80, true}};
            for (auto [on, byte, bit, setWhenOn] : flags) {
                if (on) {
                    EXPECT_EQ((r[byte] & bit) != 0, *on == setWhenOn) << where << " " << bit;
                }
            }
            for (auto [tone, byte] : {std::pair{edit.decode, 8}, {edit.encode, 10}}) {
                if (!tone) continue;
                const int p = *tone;
                const std::pair<int, int> pair = p == 0     ? std::pair{255, 255}
                                                 : p <= 50  ? std::pair{0, p - 1}
                                                 : p <= 157 ? std::pair{1, p - 51}
                                                            : std::pair{2, p - 158};
                EXPECT_EQ((std::pair<int, int>(r[byte], r[byte + 1])), pair) << where << " " << p;
            }
            if (edit.offset) {
                const long shift = txOf(c) - rx[c];
                EXPECT_EQ(r[12] & 0xC0, shift > 0 ? 0x40 : shift < 0 ? 0x80 : 0) << where;
                const auto bcd = Bcd(shift < 0 ? -shift : shift);
                EXPECT_TRUE(std::equal(bcd.begin(), bcd.end(), r.begin() + 4)) << where;
            }
            if (edit.name) {
                const std::string p = edit.name->pattern;
                const int n = edit.name->start + static_cast<int>(k);
                const std::string name = p == "PMR##"
                                             ? "PMR" + std::string(n < 10, '0') + std::to_string(n)
                                         : p == "CH#" ? "CH" + std::to_string(n)
                                                      : p;
                for (int j = 0; j < 5; ++j) {
                    const int at = 5 * (c - 1) + j;
                    auto& slot = expected[160 + at / 16][at % 16];
                    slot = j < static_cast<int>(name.size()) ? Code(name[j]) : 255;
                }
            }
        }
        for (int row = 0; row < 256; ++row)
            for (int b = 0; b < 16; ++b)
                ASSERT_EQ(image[row][b], expected[row][b])
                    << where << " row " << row << " byte " << b;
    }
    // Every outcome came up.
    EXPECT_GT(done, 100);
    EXPECT_GT(refusedBand, 10);
    EXPECT_GT(refusedName, 3);
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
    Image image;
    for (auto& row : image) row.fill(255);
    const auto use = [&](int c, long rx) {
        const auto b = Bcd(rx);
        image[c] = RowOf({b[0], b[1], b[2], b[3], 0, 0, 0, 0, 255, 255, 255, 255, 2, 0x20});
    };
    for (int c : {3, 7, 8, 9}) use(c, 46800000);
    use(4, 44600000);
    const Image before = image;
    const auto refusal = [&](std::vector<int> channels, BulkEdit edit) {
        const BulkEditResult r = ApplyBulkEdit(image, channels, edit, 400, 470);
        EXPECT_TRUE(image == before);
        return r.refusal.english + " / " + r.refusal.chinese;
    };
    const auto offset = [](int d, long units) {
        BulkEdit e;
        e.offset = OffsetSetting{d, units};
        return e;
    };
    const auto name = [](const char* p, int start) {
        BulkEdit e;
        e.name = NamePattern{p, start};
        return e;
    };
    BulkEdit low;
    low.power = 0;
    EXPECT_EQ(refusal({3, 4, 7, 8, 9}, offset(1, 500000)),
              "The transmit frequency would be outside the band of 400-470 MHz on channels 3, 7-9. "
              "Nothing was changed. / 信道 3, 7-9 的发射频率将超出 400-470 MHz "
              "的频段范围，未作任何修改。");
    EXPECT_EQ(refusal({4}, offset(2, 4700000)).substr(0, 80),
              "The transmit frequency would be outside the band of 400-470 MHz on channel 4. No");
    EXPECT_EQ(refusal({4, 9}, name("é?#a", 1)),
              "A channel name cannot hold \"é\", \"?\": the radio shows only A-Z, 0-9, the blank "
              "and - _ + *. Nothing was changed. / 信道名称不能包含 “é”、“?”：对讲机只能显示 "
              "A-Z、0-9、空格和 - _ + *。未作任何修改。");
    EXPECT_EQ(
        refusal({3, 4, 7, 8}, name("AB###", 998)),
        "The names would be longer than five characters on channels 7-8 (for example AB1000). "
        "Nothing was changed. / 信道 7-8 的名称将超过五个字符（例如 AB1000），未作任何修改。");
    EXPECT_EQ(refusal({1, 2}, low),
              "The selected channels are empty; nothing was changed. / "
              "所选信道均为空信道，未作任何修改。");
    EXPECT_EQ(refusal({4}, BulkEdit{}),
              "Check the box of at least one field to change. / 请至少勾选一个要修改的字段。");
}

}  // namespace
}  // namespace zt
