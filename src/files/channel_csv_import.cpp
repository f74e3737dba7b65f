// SPDX-License-Identifier: GPL-3.0-or-later
// Reading channels from CSV rows into an image: every row is checked before
// anything is stored.

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "files/channel_csv.h"
#include "files/csv_text.h"
#include "model/band_edges.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {
namespace {

constexpr std::int64_t kUnitsPerMHz = 100000;  // 10 Hz units
constexpr std::int64_t kMaxUnits = 99999999;   // what four packed bytes can hold

std::string Lower(std::string_view text) {
    std::string out(TrimBlanks(text));
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// A decimal text ("146.52", "146.520000", "446") in `scale` units per whole
// number, or nothing when it is not such a number or has digits finer than one
// unit that are not zero.
std::optional<std::int64_t> ParseDecimal(std::string_view text, int decimals) {
    const std::string_view t = TrimBlanks(text);
    const std::size_t point = t.find('.');
    const std::string_view whole = t.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : t.substr(point + 1);
    auto digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (t.empty() || !digits(whole) || !digits(fraction) || (whole.empty() && fraction.empty()) ||
        whole.size() > 9) {
        return {};
    }
    const std::size_t used =
        std::min<std::size_t>(fraction.size(), static_cast<std::size_t>(decimals));
    if (fraction.substr(used).find_first_not_of('0') != std::string_view::npos) return {};
    std::int64_t value = 0;
    for (const char c : whole) value = value * 10 + (c - '0');
    for (int k = 0; k < decimals; ++k) {
        value =
            value * 10 +
            (static_cast<std::size_t>(k) < used ? fraction[static_cast<std::size_t>(k)] - '0' : 0);
    }
    return value;
}

// True for the characters the radio can show (lower case shows as capitals).
bool RadioCharacter(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == ' ' || c == '_' || c == '+' || c == '*';
}

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The columns this import reads; other columns (TStep, Comment, the digital
// voice columns, anything unknown) are ignored.
enum Column {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kSkip,
    kPower,
    kColumnCount
};

constexpr std::array<std::string_view, kColumnCount> kColumnNames{
    "location",   "name",      "frequency", "duplex",   "offset",
    "tone",       "rtonefreq", "ctonefreq", "dtcscode", "dtcspolarity",
    "rxdtcscode", "crossmode", "mode",      "skip",     "power"};

// A row's value of a column, empty when the column or the field is missing.
class RowView {
  public:
    RowView(const std::array<int, kColumnCount>& index, const CsvRecord& record)
        : index_(index), record_(record) {}
    [[nodiscard]] std::string operator[](Column c) const {
        const int i = index_[static_cast<std::size_t>(c)];
        if (i < 0 || static_cast<std::size_t>(i) >= record_.fields.size()) return {};
        return std::string(TrimBlanks(record_.fields[static_cast<std::size_t>(i)]));
    }

  private:
    const std::array<int, kColumnCount>& index_;
    const CsvRecord& record_;
};

std::string BandText(BandEdges band) {
    return std::to_string(band.lowMHz) + ".." + std::to_string(band.highMHz) + " MHz";
}

// The band test of every frequency entry: low <= f < high.
bool InBandUnits(std::int64_t units, BandEdges band) {
    return units >= band.lowMHz * kUnitsPerMHz && units < band.highMHz * kUnitsPerMHz;
}

// A row that passed its checks, waiting for the watt ranking.
struct PendingRow {
    int line = 0;
    CsvChannel channel;
    std::optional<std::int64_t> milliwatts;  // power given in watts
};

// Transmit frequency of a stored channel relative to a receive frequency,
// following its direction (3 reads as simplex).
std::int64_t TxUnitsOf(const Image& image, int c, std::int64_t rxUnits) {
    const std::int64_t offset = BcdToUnits(image, c, kTxOffsetByte);
    switch (OffsetDirection(image, c)) {
        case 1:
            return rxUnits + offset;
        case 2:
            return rxUnits - offset;
        default:
            return rxUnits;
    }
}

std::int64_t TxUnitsOf(const CsvChannel& ch) {
    switch (ch.duplex) {
        case CsvDuplex::Plus:
            return ch.rxUnits + ch.offsetUnits;
        case CsvDuplex::Minus:
            return ch.rxUnits - ch.offsetUnits;
        default:
            return ch.rxUnits;
    }
}

// Stores one checked channel, changing only the fields whose value differs from
// what the channel holds, so bytes the layout cannot express survive.
void StoreChannel(Image& image, const CsvChannel& ch) {
    const int c = ch.number;
    ImageRow& row = image[static_cast<std::size_t>(c)];
    const bool wasEmpty = IsChannelEmpty(image, c);
    if (wasEmpty) {
        // A new channel gets the grid's defaults, as if typed into the grid.
        ClearChannel(image, c);
        StoreBcd(image, c, kTxOffsetByte, UnitsToBcd(0));
        ApplyGridDefaults(image, c);
    }
    if (wasEmpty || BcdToUnits(image, c, kRxFreqByte) != ch.rxUnits) {
        StoreBcd(image, c, kRxFreqByte, UnitsToBcd(ch.rxUnits));
    }

    SetFlag(image, c, kFlags2Byte, kTxStopBit, ch.duplex == CsvDuplex::TxOff);
    if (ch.duplex != CsvDuplex::TxOff) {
        const std::int64_t tx = TxUnitsOf(ch);
        if (TxUnitsOf(image, c, ch.rxUnits) != tx) {
            row[kFlags1Byte] &= static_cast<std::uint8_t>(~kDirectionMask);
            if (tx > ch.rxUnits) row[kFlags1Byte] |= kDirectionPlus;
            if (tx < ch.rxUnits) row[kFlags1Byte] |= kDirectionMinus;
            StoreBcd(image, c, kTxOffsetByte,
                     UnitsToBcd(tx > ch.rxUnits ? tx - ch.rxUnits : ch.rxUnits - tx));
        }
    }

    const TonePair rx = RxTone(image, c);
    const TonePair tx = TxTone(image, c);
    if (ToneToListIndex(rx.type, rx.index).value_or(0) != ch.tones.rx)
        SetRxTone(image, c, ch.tones.rx);
    if (ToneToListIndex(tx.type, tx.index).value_or(0) != ch.tones.tx)
        SetTxTone(image, c, ch.tones.tx);

    const int power = row[kFlags1Byte] & kPowerMask;
    if ((power == 3 ? 2 : power) != ch.power) SetPower(image, c, ch.power);
    SetWide(image, c, ch.wide);
    SetFlag(image, c, kFlags1Byte, kScanSkipBit, ch.scanSkip);

    if (TrimBlanks(ReadName(image, c)) != ch.name) WriteName(image, c, ch.name);
}

// Checks one row; appends its reasons to `reasons`.
PendingRow CheckRow(const RowView& v, int line, const Image& image, BandEdges band,
                    std::vector<std::string>& reasons, std::vector<CsvLineMessage>& notes) {
    PendingRow pending;
    pending.line = line;
    CsvChannel& ch = pending.channel;

    // Channel number.
    const std::string location = v[kLocation];
    const auto number = ParseDecimal(location, 0);
    if (location.empty()) {
        reasons.push_back("no channel number in Location");
    } else if (!number || location.find('.') != std::string::npos) {
        reasons.push_back("Location \"" + location + "\" is not a channel number");
    } else if (*number < 1 || *number > kChannelCount) {
        reasons.push_back("channel " + location + " is not between 1 and 128");
    } else {
        ch.number = static_cast<int>(*number);
    }
    const bool known = ch.number != 0 && !IsChannelEmpty(image, ch.number);

    // Name.
    const std::string name = v[kName];
    const std::u32string chars = Utf8Characters(name);
    std::string bad;
    for (const char32_t c : chars) {
        if (!RadioCharacter(c) && bad.find(Utf8(c)) == std::string::npos) {
            bad += (bad.empty() ? "" : " ") + Utf8(c);
        }
    }
    if (!bad.empty()) {
        reasons.push_back("name \"" + name + "\" has characters the radio cannot show: " + bad);
    } else {
        for (std::size_t k = 0; k < chars.size() && k < kNameLength; ++k) {
            ch.name += Utf8(static_cast<char32_t>(std::toupper(static_cast<int>(chars[k]))));
        }
        ch.name = std::string(TrimBlanks(ch.name));
        if (chars.size() > kNameLength) {
            notes.push_back({line, "name \"" + name + "\" cut to \"" + ch.name + "\""});
        }
    }

    // Receive frequency.
    const std::string frequency = v[kFrequency];
    const auto rx = ParseDecimal(frequency, 5);
    bool rxOk = false;
    if (frequency.empty()) {
        reasons.push_back("no receive frequency in Frequency");
    } else if (!rx || *rx > kMaxUnits) {
        reasons.push_back("Frequency \"" + frequency +
                          "\" is not a frequency in MHz to 10 Hz (such as 446.00625)");
    } else if (!InBandUnits(*rx, band) &&
               !(known && BcdToUnits(image, ch.number, kRxFreqByte) == *rx)) {
        reasons.push_back("receive frequency " + UnitsToMHzText(*rx) + " MHz is outside the band " +
                          BandText(band));
    } else {
        ch.rxUnits = *rx;
        rxOk = true;
    }

    // Transmit frequency.
    const std::string duplex = Lower(v[kDuplex]);
    const std::string offsetText = v[kOffset];
    const auto offset = ParseDecimal(offsetText, 5);
    std::optional<std::int64_t> txUnits;
    if (duplex.empty()) {
        ch.duplex = CsvDuplex::Simplex;
    } else if (duplex == "off") {
        ch.duplex = CsvDuplex::TxOff;
    } else if (duplex == "+" || duplex == "-" || duplex == "split") {
        if (!offset || *offset > kMaxUnits) {
            reasons.push_back("Offset \"" + offsetText + "\" is not a frequency in MHz to 10 Hz");
        } else if (rxOk) {
            std::int64_t tx = duplex == "+"   ? ch.rxUnits + *offset
                              : duplex == "-" ? ch.rxUnits - *offset
                                              : *offset;
            txUnits = tx;
            ch.duplex = tx > ch.rxUnits   ? CsvDuplex::Plus
                        : tx < ch.rxUnits ? CsvDuplex::Minus
                                          : CsvDuplex::Simplex;
            ch.offsetUnits = tx > ch.rxUnits ? tx - ch.rxUnits : ch.rxUnits - tx;
            if (ch.duplex == CsvDuplex::Simplex) ch.offsetUnits = 0;
        }
    } else {
        reasons.push_back("Duplex \"" + v[kDuplex] + "\" is not one of +, -, split, off or empty");
    }
    if (txUnits && *txUnits != ch.rxUnits) {
        const bool unchanged =
            known &&
            TxUnitsOf(image, ch.number, BcdToUnits(image, ch.number, kRxFreqByte)) == *txUnits;
        if (*txUnits < 0 || (!InBandUnits(*txUnits, band) && !unchanged)) {
            reasons.push_back(
                "transmit frequency " +
                (*txUnits < 0 ? std::string("below 0") : UnitsToMHzText(*txUnits) + " MHz") +
                " is outside the band " + BandText(band));
        }
    }

    // Tones.
    const CsvToneColumns toneColumns{v[kTone],         v[kRToneFreq],  v[kCToneFreq], v[kDtcsCode],
                                     v[kDtcsPolarity], v[kRxDtcsCode], v[kCrossMode]};
    auto tones = TonesFromColumns(toneColumns);
    if (auto* reason = std::get_if<std::string>(&tones)) {
        reasons.push_back(*reason);
    } else {
        ch.tones = std::get<CsvTones>(tones);
    }

    // Mode, skip, power.
    const std::string mode = Lower(v[kMode]);
    if (mode.empty() || mode == "fm") {
        ch.wide = true;
    } else if (mode == "nfm") {
        ch.wide = false;
    } else {
        reasons.push_back("Mode \"" + v[kMode] + "\" is not FM (wide) or NFM (narrow)");
    }
    const std::string skip = Lower(v[kSkip]);
    if (skip == "s") {
        ch.scanSkip = true;
    } else if (!skip.empty() && skip != "p") {
        reasons.push_back("Skip \"" + v[kSkip] + "\" is not S, P or empty");
    }
    std::string power = Lower(v[kPower]);
    if (power.empty() || power == "high" || power == "hi" || power == "h") {
        ch.power = 2;
    } else if (power == "mid" || power == "med" || power == "medium" || power == "m") {
        ch.power = 1;
    } else if (power == "low" || power == "lo" || power == "l") {
        ch.power = 0;
    } else {
        if (power.ends_with('w')) power.pop_back();
        const auto mw = ParseDecimal(power, 3);
        if (mw) {
            pending.milliwatts = *mw;
        } else {
            reasons.push_back("Power \"" + v[kPower] +
                              "\" is not Low, Mid, High or a value in watts");
        }
    }
    return pending;
}

// Powers given in watts become Low, Mid and High by rank: the lowest value Low,
// the highest High, any between Mid; a single value is High.
void RankWatts(std::vector<PendingRow>& rows, std::vector<CsvLineMessage>& notes) {
    std::set<std::int64_t> values;
    for (const PendingRow& r : rows) {
        if (r.milliwatts) values.insert(*r.milliwatts);
    }
    if (values.empty()) return;
    auto levelOf = [&](std::int64_t mw) {
        if (values.size() == 1 || mw == *values.rbegin()) return 2;
        return mw == *values.begin() ? 0 : 1;
    };
    static constexpr std::array<const char*, 3> kLevel{"Low", "Mid", "High"};
    std::string ranking;
    for (const std::int64_t mw : values) {
        std::string watts = std::to_string(mw / 1000);
        if (mw % 1000 != 0) {
            std::string frac = std::to_string(mw % 1000);
            frac.insert(0, 3 - frac.size(), '0');
            while (frac.back() == '0') frac.pop_back();
            watts += "." + frac;
        }
        ranking += (ranking.empty() ? "" : ", ") + watts + " W as " +
                   kLevel[static_cast<std::size_t>(levelOf(mw))];
    }
    for (PendingRow& r : rows) {
        if (r.milliwatts) r.channel.power = levelOf(*r.milliwatts);
    }
    notes.push_back({0, "power in watts taken by rank: " + ranking});
}

}  // namespace

CsvImportResult ImportChannelCsv(std::string_view text, Image& image) {
    CsvImportResult result;
    const CsvParse parse = ParseCsvText(text);
    if (!parse.error.empty()) {
        result.problems.push_back({parse.errorLine, parse.error});
        return result;
    }

    auto header = std::find_if(parse.records.begin(), parse.records.end(),
                               [](const CsvRecord& r) { return !r.Blank(); });
    if (header == parse.records.end()) {
        result.problems.push_back({0, "the file is empty: no header line"});
        return result;
    }
    std::array<int, kColumnCount> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < header->fields.size(); ++i) {
        const std::string name = Lower(header->fields[i]);
        for (int c = 0; c < kColumnCount; ++c) {
            if (name == kColumnNames[static_cast<std::size_t>(c)] &&
                index[static_cast<std::size_t>(c)] < 0) {
                index[static_cast<std::size_t>(c)] = static_cast<int>(i);
            }
        }
    }
    if (index[kLocation] < 0 || index[kFrequency] < 0) {
        result.problems.push_back(
            {header->line, "the header line names no Location and Frequency columns"});
        return result;
    }

    const BandEdges band = ReadBandEdges(image);
    std::vector<PendingRow> rows;
    std::map<int, int> lineOfChannel;
    for (auto it = std::next(header); it != parse.records.end(); ++it) {
        if (it->Blank()) continue;
        std::vector<std::string> reasons;
        const std::size_t extra = it->fields.size() > header->fields.size()
                                      ? it->fields.size() - header->fields.size()
                                      : 0;
        if (extra > 0 &&
            std::any_of(it->fields.end() - static_cast<std::ptrdiff_t>(extra), it->fields.end(),
                        [](const std::string& f) { return !TrimBlanks(f).empty(); })) {
            reasons.push_back("more fields than the header names");
        }
        PendingRow row =
            CheckRow(RowView(index, *it), it->line, image, band, reasons, result.notes);
        if (row.channel.number != 0) {
            const auto [seen, inserted] = lineOfChannel.emplace(row.channel.number, it->line);
            if (!inserted) {
                reasons.push_back("channel " + std::to_string(row.channel.number) +
                                  " is already set on line " + std::to_string(seen->second));
            }
        }
        if (!reasons.empty()) {
            std::string joined;
            for (const std::string& r : reasons) joined += (joined.empty() ? "" : "; ") + r;
            result.problems.push_back({it->line, joined});
            continue;
        }
        rows.push_back(std::move(row));
    }
    if (!result.problems.empty()) {
        result.notes.clear();
        return result;
    }

    RankWatts(rows, result.notes);
    for (const PendingRow& r : rows) {
        StoreChannel(image, r.channel);
        result.channels.push_back(r.channel.number);
    }
    result.ok = true;
    return result;
}

}  // namespace zt
