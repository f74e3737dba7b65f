// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/image_diff.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <span>

#include "model/band_edges.h"
#include "model/catalogue.h"
#include "model/channel.h"
#include "model/channel_list.h"
#include "model/channel_texts.h"
#include "model/fm_presets.h"
#include "model/freq_codec.h"
#include "model/key_assign.h"
#include "model/number_text.h"
#include "model/option_editor.h"
#include "model/options.h"
#include "model/power_levels.h"
#include "model/scan_info.h"
#include "model/tone_codec.h"

namespace zt {

namespace {

// Bits of one image byte a field shows.
struct Cover {
    int row;
    int byte;
    std::uint8_t mask = 0xFF;
};

std::string Hex(std::uint8_t value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string Address(int row, int byte) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", row * kRowBytes + byte);
    return text;
}

// The words of the differences the editors have no caption or item for.
constexpr BiText kOn{"On", "开"};
constexpr BiText kOff{"Off", "关"};
constexpr BiText kNone{"none", "无"};
constexpr BiText kNoText{"(none)", "（无）"};
constexpr BiText kEmpty{"(empty)", "（空）"};
constexpr BiText kLastAdjusted{"Level adjusted last", "最后调整的功率"};
constexpr BiText kFirstInUse{"First channel in use", "第一个使用的信道"};
constexpr BiText kMarkedInUse{"Channels marked in use", "标记为使用的信道"};

// A channel's fields: zt790ctl's words, the channel dialog's Chinese captions.
constexpr BiText kName{"Name", kNameCaption.chinese};
constexpr BiText kReceive{"Receive", "接收频率"};
constexpr BiText kTransmit{"Transmit", "发射频率"};
constexpr BiText kDecode{"Decode", kDecodeCaption.chinese};
constexpr BiText kEncode{"Encode", kEncodeCaption.chinese};
constexpr BiText kPower{"Power", kPowerCaption.chinese};
constexpr BiText kBandwidth{"Bandwidth", kWidthCaption.chinese};
constexpr BiText kScan{"Scan", kScanAddCaption.chinese};
constexpr BiText kVox{"VOX", kVoxCaption.chinese};
constexpr BiText kBcl{"BCL", kBclCaption.chinese};
constexpr BiText kTxStop{"TX stop", kTxStopCaption.chinese};

// A text that reads the same in both languages: a number, a frequency, a tone.
BiString Both(const std::string& text) { return {text, text}; }
BiString Both(BiString text) { return text; }

BiString OnOff(bool on) { return BiString(on ? kOn : kOff); }

BiString Quoted(const std::string& text) {
    return text.empty() ? BiString(kNoText) : Both("\"" + text + "\"");
}

BiString Caption(BiText caption) {
    return {std::string(TrimBlanks(caption.english)), std::string(TrimBlanks(caption.chinese))};
}

// The item a list shows for a stored value (the last one beyond the end).
BiString Item(std::span<const BiText> items, int stored) {
    const BiText item = items[static_cast<std::size_t>(ShownPosition(stored, items.size()))];
    return {std::string(item.english), std::string(TrimBlanks(item.chinese))};
}

BiString ToneText(std::optional<int> position) {
    static const std::array<std::string, 301> kList = MakeToneList();
    if (!position) return Both("?");
    if (*position == 0) return BiString(kToneOffText);
    return Both(std::string(TrimBlanks(kList[static_cast<std::size_t>(*position)])));
}

// "1-20, 25, 30-31", or "none".
BiString ChannelRanges(const std::vector<int>& channels) {
    return channels.empty() ? BiString(kNone) : Both(FormatChannelList(channels));
}

// Where raw bytes lie, "row 208 bytes 13..15 (0x0D0D..0x0D0F)"; with `bits`,
// the bits of one byte that no field shows.
BiString RawPlace(int row, int first, int last, std::optional<std::uint8_t> bits = {}) {
    const bool several = last > first;
    const std::string bytes = std::to_string(first) + (several ? ".." + std::to_string(last) : "");
    const std::string address =
        " (" + Address(row, first) + (several ? ".." + Address(row, last) : "") + ")";
    const std::string bitsText = bits ? Hex(*bits) : "";
    return {"row " + std::to_string(row) + (several ? " bytes " : " byte ") + bytes +
                (bits ? " bits " + bitsText : "") + address,
            "第 " + std::to_string(row) + " 行第 " + bytes + " 字节" +
                (bits ? "的位 " + bitsText : "") + address};
}

// Where a row's raw bytes are listed.
std::pair<DiffSection, int> SectionOfRow(int row) {
    if (row == kVfoRow) return {DiffSection::FrequencyMode, 0};
    if (row >= kFirstChannelRow && row < kFirstChannelRow + kChannelCount)
        return {DiffSection::Channel, row};
    if (row == kBandEdgeRow) return {DiffSection::BandLimits, 0};
    if (row == kFmFirstRow || row == kFmFirstRow + 1) return {DiffSection::FmPresets, 0};
    if (row == kOptionRow || row == kPasswordRow) return {DiffSection::Options, 0};
    if (row == kPresenceRow || row == kIdentificationRow) return {DiffSection::WriteFilled, 0};
    if (row == kScanRecordRow) return {DiffSection::Scan, 0};
    if (row == kKeyRecordRow) return {DiffSection::Keys, 0};
    if (row == kPowerRow) return {DiffSection::PowerLevels, 0};
    return {DiffSection::OtherMemory, row};
}

class DiffBuilder {
  public:
    DiffBuilder(const Image& a, const Image& b, int rows) : a_(a), b_(b), rows_(rows) {}

    // One field: listed when what it shows differs, or when it shows the same
    // for stored bits that differ (then with those bits appended). A field with
    // bits beyond the compared rows is left out.
    template <class Show>
    void Field(DiffSection section, int item, BiString name, std::span<const Cover> covers,
               Show show) {
        for (const Cover& c : covers)
            if (c.row >= rows_) return;
        BiString va = Both(show(a_));
        BiString vb = Both(show(b_));
        bool bitsDiffer = false;
        for (const Cover& c : covers) {
            covered_[c.row][c.byte] |= c.mask;
            bitsDiffer |= ((a_[c.row][c.byte] ^ b_[c.row][c.byte]) & c.mask) != 0;
        }
        // zt790ctl's words decide, so that its report reads as it always has.
        if (va.english == vb.english) {
            if (!bitsDiffer) return;
            AppendStored(va, Stored(a_, covers));
            AppendStored(vb, Stored(b_, covers));
        }
        Add({section, item, std::move(name), std::move(va), std::move(vb)}, item);
    }
    template <class Show>
    void Field(DiffSection section, int item, BiString name, std::initializer_list<Cover> covers,
               Show show) {
        Field(section, item, std::move(name), std::span<const Cover>(covers.begin(), covers.size()),
              show);
    }

    // Every differing bit no field has covered, as runs of bytes per row; a
    // byte only partly described stands alone with the bits no field shows.
    void RawBytes() {
        for (int row = 0; row < rows_; ++row) {
            int runStart = -1;
            for (int byte = 0; byte <= kRowBytes; ++byte) {
                const bool wholeRaw =
                    byte < kRowBytes && covered_[row][byte] == 0 && a_[row][byte] != b_[row][byte];
                if (wholeRaw) {
                    if (runStart < 0) runStart = byte;
                    continue;
                }
                if (runStart >= 0) AddRun(row, runStart, byte - 1);
                runStart = -1;
                if (byte == kRowBytes) break;
                const std::uint8_t free = static_cast<std::uint8_t>(~covered_[row][byte]);
                if (covered_[row][byte] != 0 && ((a_[row][byte] ^ b_[row][byte]) & free) != 0)
                    AddPartial(row, byte, free);
            }
        }
    }

    std::vector<DiffEntry> Take() {
        std::stable_sort(entries_.begin(), entries_.end(), [](const Keyed& x, const Keyed& y) {
            return std::pair(x.entry.section, x.order) < std::pair(y.entry.section, y.order);
        });
        std::vector<DiffEntry> out;
        out.reserve(entries_.size());
        for (Keyed& k : entries_) out.push_back(std::move(k.entry));
        return out;
    }

  private:
    struct Keyed {
        DiffEntry entry;
        int order;  // the item; raw bytes of a section without items come last
    };

    static void AppendStored(BiString& shown, const std::string& stored) {
        shown.english += " (stored " + stored + ")";
        shown.chinese += "（存储值 " + stored + "）";
    }

    static std::string Stored(const Image& image, std::span<const Cover> covers) {
        std::string text;
        for (const Cover& c : covers) {
            if (!text.empty()) text += " ";
            text += Hex(image[c.row][c.byte] & c.mask);
        }
        return text;
    }

    void Add(DiffEntry entry, int order) { entries_.push_back({std::move(entry), order}); }

    void AddRaw(int row, BiString field, const std::string& a, const std::string& b) {
        const auto [section, item] = SectionOfRow(row);
        const bool ownItem = section == DiffSection::Channel || section == DiffSection::OtherMemory;
        Add({section, item, std::move(field), Both(a), Both(b)},
            ownItem ? item : std::numeric_limits<int>::max());
    }

    void AddRun(int row, int first, int last) {
        std::string a;
        std::string b;
        for (int byte = first; byte <= last; ++byte) {
            a += (byte > first ? " " : "") + Hex(a_[row][byte]);
            b += (byte > first ? " " : "") + Hex(b_[row][byte]);
        }
        AddRaw(row, RawPlace(row, first, last), a, b);
    }

    void AddPartial(int row, int byte, std::uint8_t bits) {
        AddRaw(row, RawPlace(row, byte, byte, bits), Hex(a_[row][byte] & bits),
               Hex(b_[row][byte] & bits));
    }

    const Image& a_;
    const Image& b_;
    int rows_;
    std::array<ImageRow, kImageRows> covered_{};
    std::vector<Keyed> entries_;
};

void DiffChannels(DiffBuilder& d, const Image& a, const Image& b) {
    constexpr auto kChannel = DiffSection::Channel;
    for (int c = 1; c <= kChannelCount; ++c) {
        std::array<Cover, kNameLength> name{};
        for (int j = 0; j < kNameLength; ++j) {
            const int flat = kNameLength * (c - 1) + j;
            name[j] = {kFirstNameRow + flat / kRowBytes, flat % kRowBytes};
        }
        d.Field(kChannel, c, BiString(kName), name,
                [c](const Image& image) { return Quoted(ReadName(image, c)); });
        // An empty channel's bytes after the first mean nothing to the radio;
        // when both are empty they are only raw bytes.
        if (IsChannelEmpty(a, c) && IsChannelEmpty(b, c)) continue;
        // What a field of the channel shows, or "-" when the channel is empty.
        auto inUse = [c](auto show) {
            return [c, show](const Image& image) {
                return IsChannelEmpty(image, c) ? Both("-") : Both(show(image));
            };
        };
        d.Field(kChannel, c, BiString(kReceive), {{c, 0}, {c, 1}, {c, 2}, {c, 3}},
                [c](const Image& image) {
                    return IsChannelEmpty(image, c) ? BiString(kEmpty)
                                                    : Both(MHzText(RxUnits(image, c)));
                });
        d.Field(kChannel, c, BiString(kTransmit),
                {{c, 4}, {c, 5}, {c, 6}, {c, 7}, {c, 12, kDirectionMask}},
                inUse([c](const Image& image) { return MHzText(TxUnits(image, c)); }));
        d.Field(kChannel, c, BiString(kDecode), {{c, kRxToneByte}, {c, kRxToneByte + 1}},
                inUse([c](const Image& image) {
                    const TonePair t = RxTone(image, c);
                    return ToneText(ToneToListIndex(t.type, t.index));
                }));
        d.Field(kChannel, c, BiString(kEncode), {{c, kTxToneByte}, {c, kTxToneByte + 1}},
                inUse([c](const Image& image) {
                    const TonePair t = TxTone(image, c);
                    return ToneText(ToneToListIndex(t.type, t.index));
                }));
        d.Field(kChannel, c, BiString(kPower), {{c, kFlags1Byte, kPowerMask}},
                inUse([c](const Image& image) {
                    const int power = image[c][kFlags1Byte] & kPowerMask;
                    // The editors never store 3 and show nothing for it.
                    return power < static_cast<int>(kTxPowerItems.size())
                               ? BiString(kTxPowerItems[power])
                               : Both(std::to_string(power));
                }));
        d.Field(kChannel, c, BiString(kBandwidth), {{c, kFlags2Byte, kWideBit}},
                inUse([c](const Image& image) {
                    return Item(kWideNarrowItems, GetFlag(image, c, kFlags2Byte, kWideBit));
                }));
        d.Field(kChannel, c, BiString(kScan), {{c, kFlags1Byte, kScanSkipBit}},
                inUse([c](const Image& image) {
                    return OnOff(!GetFlag(image, c, kFlags1Byte, kScanSkipBit));
                }));
        for (const auto& flag :
             {std::pair{kVox, kVoxBit}, std::pair{kBcl, kBclBit}, std::pair{kTxStop, kTxStopBit}}) {
            const std::uint8_t bit = flag.second;
            d.Field(kChannel, c, BiString(flag.first), {{c, kFlags2Byte, bit}},
                    inUse([c, bit](const Image& image) {
                        return OnOff(GetFlag(image, c, kFlags2Byte, bit));
                    }));
        }
    }
}

std::vector<Cover> CoversOf(BitField f) { return {{f.row, f.byte, f.mask}}; }

void DiffListsAndChecks(DiffBuilder& d, DiffSection section, int row) {
    for (int i = 0; i < kOptionListCount; ++i) {
        const OptionListControl& list = ListControl(static_cast<OptionList>(i));
        if (list.field.row != row) continue;
        d.Field(
            section, 0, Caption(list.caption), CoversOf(list.field),
            [&list](const Image& image) { return Item(list.items, ReadField(image, list.field)); });
    }
    for (int i = 0; i < kOptionCheckCount; ++i) {
        const OptionCheckControl& check = CheckControl(static_cast<OptionCheck>(i));
        if (check.field.row != row) continue;
        d.Field(section, 0, Caption(check.caption), CoversOf(check.field),
                [&check](const Image& image) {
                    return OnOff(ReadFlag(image, check.field) != check.inverted);
                });
    }
}

void DiffFrequencyMode(DiffBuilder& d) {
    constexpr auto kSection = DiffSection::FrequencyMode;
    const int r = kVfoRow;
    d.Field(kSection, 0, Caption(kOptionCaptions.rxFreq), {{r, 0}, {r, 1}, {r, 2}, {r, 3}},
            [](const Image& image) { return MHzText(RxUnits(image, kVfoRow)); });
    d.Field(kSection, 0, Caption(kOptionCaptions.offsetFreq), {{r, 4}, {r, 5}, {r, 6}, {r, 7}},
            [](const Image& image) {
                const auto& vfo = image[kVfoRow];
                // Four bytes of 255: no offset entered.
                if (std::all_of(vfo.begin() + 4, vfo.begin() + 8, [](int v) { return v == 255; }))
                    return BiString(kNone);
                return Both(MHzText(OffsetUnits(image, kVfoRow)));
            });
    d.Field(kSection, 0, Caption(kOptionCaptions.duplex), CoversOf(kVfoDuplex),
            [](const Image& image) { return Item(kDuplexItems, ReadField(image, kVfoDuplex)); });
    d.Field(kSection, 0, Caption(kOptionCaptions.decode), {{r, 8}, {r, 9}}, [](const Image& image) {
        return ToneText(BytesToTone(image[kVfoRow][8], image[kVfoRow][9]));
    });
    d.Field(kSection, 0, Caption(kOptionCaptions.encode), {{r, 10}, {r, 11}},
            [](const Image& image) {
                return ToneText(BytesToTone(image[kVfoRow][10], image[kVfoRow][11]));
            });
    DiffListsAndChecks(d, kSection, kVfoRow);
}

void DiffBandLimits(DiffBuilder& d) {
    const int r = kBandEdgeRow;
    // The low nibbles of bytes 0 and 2 (a 100 kHz digit) are not read.
    d.Field(DiffSection::BandLimits, 0, Caption(kOptionCaptions.rangeFrame),
            {{r, 0, 0xF0}, {r, 1}, {r, 2, 0xF0}, {r, 3}}, [](const Image& image) {
                const BandEdges edges = ReadBandEdges(image);
                std::string text =
                    std::to_string(edges.lowMHz) + ".." + std::to_string(edges.highMHz) + " MHz";
                const ModelEntry* model = FindModel(edges);
                return model ? text + " (" + std::string(model->name) + ")" : text;
            });
}

void DiffOptions(DiffBuilder& d) {
    constexpr auto kSection = DiffSection::Options;
    DiffListsAndChecks(d, kSection, kOptionRow);
    d.Field(kSection, 0, Caption(kOptionCaptions.workModeFrame), CoversOf(kChannelWorkMode),
            [](const Image& image) {
                return Item(kWorkModeItems, ReadField(image, kChannelWorkMode));
            });
    const BiString vice = Caption(kViceBandCaption);
    const BiString receive = Caption(kViceBandReceiveCaption);
    d.Field(kSection, 0, {vice.english + " " + receive.english, vice.chinese + receive.chinese},
            CoversOf(kViceBandReceive),
            [](const Image& image) { return OnOff(ReadFlag(image, kViceBandReceive)); });
    const int r = kPasswordRow;
    d.Field(kSection, 0, Caption(kOptionCaptions.ponPwd), {{r, 0}, {r, 1}, {r, 2}, {r, 3}},
            [](const Image& image) { return Quoted(ReadPassword(image)); });
    d.Field(kSection, 0, Caption(kOptionCaptions.ponMsg), {{r, 4}, {r, 5}, {r, 6}, {r, 7}, {r, 8}},
            [](const Image& image) { return Quoted(ReadPowerOnMessage(image)); });
}

void DiffFmPresets(DiffBuilder& d) {
    // The grid's Chinese header spreads its characters out.
    std::string chinese(TrimBlanks(FmGridHeaders(true)[0]));
    std::erase(chinese, ' ');
    const BiString name{std::string(TrimBlanks(FmGridHeaders(false)[0])), chinese};
    for (int k = 0; k < kFmPresetCount; ++k) {
        const int row = kFmFirstRow + k / kFmPresetsInFirstRow;
        const int byte = k % kFmPresetsInFirstRow;
        const std::string number = " " + std::to_string(k);
        d.Field(DiffSection::FmPresets, k, {name.english + number, name.chinese + number},
                {{row, byte}}, [k](const Image& image) {
                    const std::string text = FmCellText(FmPresetByte(image, k));
                    return text.empty() ? BiString(kEmpty) : Both(text);
                });
    }
}

void DiffScan(DiffBuilder& d) {
    constexpr auto kSection = DiffSection::Scan;
    const int r = kScanRecordRow;
    static const std::vector<std::string> kLookBack = LookBackTexts();
    d.Field(kSection, 0, Caption(kScanCaptions.priority), {{r, kScanPriorityModeByte}},
            [](const Image& image) {
                return Caption(kPriorityModeItems[static_cast<int>(RefreshScan(image).mode)]);
            });
    d.Field(kSection, 0, Caption(kScanCaptions.priorityChannel), {{r, kScanPriorityChannelByte}},
            [](const Image& image) {
                const std::string channel = RefreshScan(image).priorityChannel;
                return channel.empty() ? BiString(kNoText) : Both(channel);
            });
    d.Field(kSection, 0, Caption(kScanCaptions.lookBackA), {{r, kScanLookBackAByte}},
            [](const Image& image) { return kLookBack[RefreshScan(image).lookBackA]; });
    d.Field(kSection, 0, Caption(kScanCaptions.lookBackB), {{r, kScanLookBackBByte}},
            [](const Image& image) { return kLookBack[RefreshScan(image).lookBackB]; });
    d.Field(kSection, 0, Caption(kScanCaptions.revert), {{r, kScanRevertByte}},
            [](const Image& image) {
                const ScanView v = RefreshScan(image);
                return Caption(kRevertChoices[v.revertChoices[v.revert]]);
            });
    d.Field(kSection, 0, Caption(kScanCaptions.dropout),
            {{r, kScanDropoutByte}, {r, kScanDropoutByte + 1}},
            [](const Image& image) { return std::to_string(RefreshScan(image).dropout); });
    d.Field(kSection, 0, Caption(kScanCaptions.txDwell),
            {{r, kScanTxDwellByte}, {r, kScanTxDwellByte + 1}},
            [](const Image& image) { return std::to_string(RefreshScan(image).txDwell); });
}

void DiffKeys(DiffBuilder& d) {
    for (const auto& key :
         {std::pair{kKeyCaptions.pf1, kKeyPf1Byte}, std::pair{kKeyCaptions.pf2, kKeyPf2Byte}}) {
        const int byte = key.second;
        d.Field(
            DiffSection::Keys, 0, Caption(key.first), {{kKeyRecordRow, byte}},
            [byte](const Image& image) {
                return Caption(kKeyFunctions[KeyPositionOfCode(image[kKeyRecordRow][byte])].name);
            });
    }
}

void DiffPowerLevels(DiffBuilder& d) {
    for (int level = 0; level < kPowerLevelCount; ++level) {
        d.Field(DiffSection::PowerLevels, 0, Caption(kPowerLevelCaptions[level]),
                {{kPowerRow, level}},
                [level](const Image& image) { return std::to_string(image[kPowerRow][level]); });
    }
    d.Field(DiffSection::PowerLevels, 0, BiString(kLastAdjusted),
            {{kPowerRow, kPowerLastAdjustedByte}}, [](const Image& image) {
                const int level = image[kPowerRow][kPowerLastAdjustedByte];
                return level < kPowerLevelCount ? Caption(kPowerLevelCaptions[level])
                                                : Both(std::to_string(level));
            });
}

void DiffWriteFilled(DiffBuilder& d) {
    d.Field(DiffSection::WriteFilled, 0, BiString(kFirstInUse), CoversOf(kFirstUsedChannel),
            [](const Image& image) {
                const int c = ReadField(image, kFirstUsedChannel);
                return c == 0 ? BiString(kNone) : Both(std::to_string(c));
            });
    std::array<Cover, kRowBytes> bitmap{};
    for (int byte = 0; byte < kRowBytes; ++byte) bitmap[byte] = {kPresenceRow, byte};
    d.Field(DiffSection::WriteFilled, 0, BiString(kMarkedInUse), bitmap, [](const Image& image) {
        // A cleared bit marks a channel in use.
        std::vector<int> marked;
        for (int c = 1; c <= kChannelCount; ++c) {
            if ((image[kPresenceRow][(c - 1) / 8] & (1 << ((c - 1) % 8))) == 0) marked.push_back(c);
        }
        return ChannelRanges(marked);
    });
}

}  // namespace

std::vector<DiffEntry> DiffImages(const Image& a, const Image& b, int rows) {
    DiffBuilder d(a, b, std::clamp(rows, 0, kImageRows));
    DiffChannels(d, a, b);
    DiffFrequencyMode(d);
    DiffBandLimits(d);
    DiffOptions(d);
    DiffFmPresets(d);
    DiffScan(d);
    DiffKeys(d);
    DiffPowerLevels(d);
    DiffWriteFilled(d);
    d.RawBytes();
    return d.Take();
}

}  // namespace zt
