// SPDX-License-Identifier: GPL-3.0-or-later
// Reading channels from CSV rows into an image: every row is checked, and the
// image changes only once the whole file has been read.

#include <algorithm>
#include <map>
#include <set>

#include "files/channel_csv.h"
#include "files/csv_encoding.h"
#include "files/csv_names.h"
#include "files/csv_numbers.h"
#include "files/csv_text.h"
#include "model/band_edges.h"
#include "model/freq_codec.h"
#include "model/name_codec.h"
#include "model/number_text.h"

namespace zt {
namespace {

constexpr FreqUnits kMaxUnits = 99999999;  // what four packed bytes can hold

// The band test of every frequency entry: low <= f < high.
bool InBand(FreqUnits units, BandEdges band) {
    return units >= band.lowMHz * kUnitsPerMHz && units < band.highMHz * kUnitsPerMHz;
}

// Where each column of the table stands in the file's rows (-1: not there).
using ColumnIndex = std::array<int, kCsvColumnCount>;

int IndexOf(std::string_view name) {
    for (std::size_t k = 0; k < kCsvColumns.size(); ++k) {
        if (kCsvColumns[k].name == name) return static_cast<int>(k);
    }
    return -1;
}
const int kLocation = IndexOf("Location");
const int kFrequency = IndexOf("Frequency");

ColumnIndex ReadHeader(const CsvRecord& header) {
    ColumnIndex index;
    index.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = LowerWord(header.fields[i]);
        for (std::size_t k = 0; k < kCsvColumns.size(); ++k) {
            if (index[k] < 0 && name == LowerWord(kCsvColumns[k].name)) {
                index[k] = static_cast<int>(i);
            }
        }
    }
    return index;
}

// A row that passed its checks.
struct PassedRow {
    int line = 0;
    CsvChannel channel;
    std::string name;               // as the file gives it
    std::optional<int> milliwatts;  // Power given in watts
    std::vector<CsvReason> notes;   // what was read otherwise than written
};

// Reads and checks the rows one by one.
class RowReader {
  public:
    RowReader(const Image& image, const CsvImportOptions& options, const ColumnIndex& index,
              std::size_t headerFields, CsvImportResult& result)
        : image_(image),
          options_(options),
          index_(index),
          headerFields_(headerFields),
          band_(ReadBandEdges(image)),
          next_(options.renumberFrom.value_or(0)),
          result_(result) {}

    void Read(const CsvRecord& record) {
        PassedRow row;
        row.line = record.line;
        CsvRowFields fields;
        std::vector<CsvReason> fieldReasons;
        for (std::size_t k = 0; k < kCsvColumns.size(); ++k) {
            const int i = index_[k];
            if (kCsvColumns[k].read == nullptr || i < 0) continue;
            const std::string_view field = static_cast<std::size_t>(i) < record.fields.size()
                                               ? record.fields[static_cast<std::size_t>(i)]
                                               : std::string_view{};
            if (auto why = kCsvColumns[k].read(field, fields)) fieldReasons.push_back(*why);
        }
        // The channel first, then the fields as read, then what they say together.
        reasons_.clear();
        CsvChannel& ch = row.channel;
        ch.number = ChannelNumber(fields.location);
        CheckFieldCount(record);
        reasons_.insert(reasons_.end(), fieldReasons.begin(), fieldReasons.end());
        if (fields.rx && CheckReceive(*fields.rx, ch)) Transmit(fields, row);
        auto tones = TonesFromColumns(fields.tones);
        if (auto* why = std::get_if<CsvReason>(&tones)) {
            reasons_.push_back(*why);
        } else {
            ch.tones = std::get<CsvTones>(tones);
        }
        ch.wide = fields.wide;
        ch.scanSkip = fields.scanSkip;
        if (fields.power.level) ch.power = *fields.power.level;
        row.milliwatts = fields.power.milliwatts;
        if (row.milliwatts) ch.power = LevelForMilliwatts(*row.milliwatts, options_.power);
        row.name = fields.name;

        if (!reasons_.empty()) {
            result_.problems.push_back({record.line, reasons_});
            return;
        }
        if (options_.renumberFrom) ++next_;
        lineOfChannel_.emplace(ch.number, record.line);
        passed_.push_back(std::move(row));
    }

    std::vector<PassedRow>& Passed() { return passed_; }

  private:
    void CheckFieldCount(const CsvRecord& record) {
        for (std::size_t i = headerFields_; i < record.fields.size(); ++i) {
            if (!TrimBlanks(record.fields[i]).empty()) {
                reasons_.push_back({CsvReasonCode::MoreFields});
                return;
            }
        }
    }

    // The channel the row goes to, or 0 with the reason noted.
    int ChannelNumber(const std::string& location) {
        if (options_.renumberFrom) {
            if (next_ <= kChannelCount) return next_;
            reasons_.push_back(
                {CsvReasonCode::NoChannelLeft, std::to_string(*options_.renumberFrom)});
            return 0;
        }
        const auto number = ParseDecimal(location, 0);
        if (location.empty()) {
            reasons_.push_back({CsvReasonCode::NoLocation});
        } else if (!number || location.find('.') != std::string::npos) {
            reasons_.push_back({CsvReasonCode::LocationNotNumber, location});
        } else if (*number < 1 || *number > kChannelCount) {
            reasons_.push_back({CsvReasonCode::ChannelOutOfRange, location});
            result_.renumberingWouldHelp = true;
        } else {
            // A channel is taken by the first row for it that passes.
            const int c = static_cast<int>(*number);
            const auto seen = lineOfChannel_.find(c);
            if (seen == lineOfChannel_.end()) return c;
            reasons_.push_back(
                {CsvReasonCode::ChannelTaken, std::to_string(c), std::to_string(seen->second)});
        }
        return 0;
    }

    // True when channel c of the image already holds what a row gives, which
    // passes as it is (a radio may hold a frequency on its band edge).
    bool Held(int c, FreqUnits rx, std::optional<FreqUnits> tx = {}) const {
        if (c == 0 || IsChannelEmpty(image_, c)) return false;
        return tx ? TxUnits(image_, c) == *tx : RxUnits(image_, c) == rx;
    }

    bool CheckReceive(FreqUnits rx, CsvChannel& ch) {
        if (rx > kMaxUnits || (!InBand(rx, band_) && !Held(ch.number, rx))) {
            reasons_.push_back({CsvReasonCode::RxOutOfBand, UnitsToMHzText(rx),
                                std::to_string(band_.lowMHz), std::to_string(band_.highMHz)});
            return false;
        }
        ch.rxUnits = rx;
        return true;
    }

    // Duplex and Offset give the transmit frequency. A signed Offset is read
    // by its arithmetic ("-" with -7.6 is 7.6 above), noted on the line, and
    // checked against the band like any other.
    void Transmit(const CsvRowFields& fields, PassedRow& row) {
        CsvChannel& ch = row.channel;
        const std::string& duplex = fields.duplex;
        if (duplex == "off") ch.duplex = CsvDuplex::TxOff;
        if (duplex != "+" && duplex != "-" && duplex != "split") return;
        std::string_view text = fields.offset;
        const bool negative = text.starts_with('-');
        if (negative || text.starts_with('+')) text.remove_prefix(1);
        const auto size = ParseDecimal(text, 5);
        if (!size || *size > kMaxUnits) {
            reasons_.push_back({duplex == "split" ? CsvReasonCode::OffsetNotTransmit
                                                  : CsvReasonCode::OffsetNotOffset,
                                fields.offset});
            return;
        }
        const FreqUnits offset = negative ? -*size : *size;
        const FreqUnits tx = duplex == "+"   ? ch.rxUnits + offset
                             : duplex == "-" ? ch.rxUnits - offset
                                             : offset;
        if (negative && duplex != "split" && *size != 0) {
            row.notes.push_back(
                {CsvReasonCode::OffsetBySign, fields.offset, duplex, UnitsToMHzText(tx)});
        }
        if (tx != ch.rxUnits && (tx < 0 || !InBand(tx, band_)) && !Held(ch.number, 0, tx)) {
            reasons_.push_back({tx < 0 ? CsvReasonCode::TxBelowZero : CsvReasonCode::TxOutOfBand,
                                tx < 0 ? std::string() : UnitsToMHzText(tx),
                                std::to_string(band_.lowMHz), std::to_string(band_.highMHz)});
            return;
        }
        ch.duplex = tx > ch.rxUnits   ? CsvDuplex::Plus
                    : tx < ch.rxUnits ? CsvDuplex::Minus
                                      : CsvDuplex::Simplex;
        ch.offsetUnits = tx > ch.rxUnits ? tx - ch.rxUnits : ch.rxUnits - tx;
    }

    const Image& image_;
    const CsvImportOptions& options_;
    const ColumnIndex& index_;
    std::size_t headerFields_;
    BandEdges band_;
    int next_;  // the channel the next passing row takes, when renumbering
    CsvImportResult& result_;
    std::vector<CsvReason> reasons_;
    std::map<int, int> lineOfChannel_;
    std::vector<PassedRow> passed_;
};

// Stores a name with a blank at its start, as a radio or file may hold it
// (" LEAD"), where the editors' WriteName trims it.
void StoreName(Image& image, int c, const std::string& name) {
    std::vector<std::uint8_t> codes = EncodeText(name, kNameLength);
    codes.resize(kNameLength, kEmptyCode);
    for (int j = 0; j < kNameLength; ++j) {
        const int p = kNameLength * (c - 1) + j;
        image[static_cast<std::size_t>(kFirstNameRow + p / kRowBytes)]
             [static_cast<std::size_t>(p % kRowBytes)] = codes[static_cast<std::size_t>(j)];
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
    if (wasEmpty || RxUnits(image, c) != ch.rxUnits) {
        StoreBcd(image, c, kRxFreqByte, UnitsToBcd(ch.rxUnits));
    }

    SetFlag(image, c, kFlags2Byte, kTxStopBit, ch.duplex == CsvDuplex::TxOff);
    if (ch.duplex != CsvDuplex::TxOff) {
        const FreqUnits tx = ch.duplex == CsvDuplex::Plus    ? ch.rxUnits + ch.offsetUnits
                             : ch.duplex == CsvDuplex::Minus ? ch.rxUnits - ch.offsetUnits
                                                             : ch.rxUnits;
        if (TxUnits(image, c) != tx) {
            row[kFlags1Byte] &= static_cast<std::uint8_t>(~kDirectionMask);
            if (ch.duplex == CsvDuplex::Plus) row[kFlags1Byte] |= kDirectionPlus;
            if (ch.duplex == CsvDuplex::Minus) row[kFlags1Byte] |= kDirectionMinus;
            StoreBcd(image, c, kTxOffsetByte, UnitsToBcd(ch.offsetUnits));
        }
    }

    const TonePair rx = RxTone(image, c);
    const TonePair tx = TxTone(image, c);
    if (ToneToListIndex(rx.type, rx.index).value_or(0) != ch.tones.rx)
        SetRxTone(image, c, ch.tones.rx);
    if (ToneToListIndex(tx.type, tx.index).value_or(0) != ch.tones.tx)
        SetTxTone(image, c, ch.tones.tx);

    const int power = row[kFlags1Byte] & kPowerMask;
    if ((power == 3 ? kPowerHigh : power) != ch.power) SetPower(image, c, ch.power);
    SetWide(image, c, ch.wide);
    SetFlag(image, c, kFlags1Byte, kScanSkipBit, ch.scanSkip);

    if (CsvNameOf(image, c) != ch.name) StoreName(image, c, ch.name);
}

// The stored names, and a note for each name that changed, once, then a count;
// a note for each name that differs from another only in its spelling. Names
// kept on channels the import leaves alone are not made again.
void FitNames(std::vector<PassedRow>& rows, const Image& image, bool replace,
              std::vector<CsvLineMessage>& lineNotes, std::vector<CsvLineMessage>& summary) {
    std::vector<std::string> given;
    std::set<int> stored;
    for (const PassedRow& r : rows) {
        given.push_back(r.name);
        stored.insert(r.channel.number);
    }
    std::set<std::string> kept;
    for (int c = 1; c <= kChannelCount && !replace; ++c) {
        if (!stored.contains(c) && !IsChannelEmpty(image, c)) kept.insert(CsvNameOf(image, c));
    }
    const std::vector<std::string> names = RadioNames(given, kept);
    const std::vector<int> alike = AlikeNames(given);
    std::set<std::string> reported;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        rows[k].channel.name = names[k];
        if (alike[k] >= 0) {
            const PassedRow& first = rows[static_cast<std::size_t>(alike[k])];
            lineNotes.push_back(
                {rows[k].line,
                 {{CsvReasonCode::NamesAlike, given[k], first.name, std::to_string(first.line)}}});
        }
        if (NameKey(given[k]) != names[k] && reported.insert(NameKey(given[k])).second) {
            lineNotes.push_back(
                {rows[k].line, {{CsvReasonCode::NameStoredAs, given[k], names[k]}}});
        }
    }
    if (!reported.empty()) {
        summary.push_back({0, {{CsvReasonCode::NamesChanged, std::to_string(reported.size())}}});
    }
}

// Notes on powers given in watts: each value below Low where it first appears,
// and one line with the level each value other than a nominal power became.
void NotePowers(const std::vector<PassedRow>& rows, const CsvPowerLevels& levels,
                std::vector<CsvLineMessage>& lineNotes, std::vector<CsvLineMessage>& summary) {
    std::map<int, int> firstLine;  // milliwatts -> line
    for (const PassedRow& r : rows) {
        if (r.milliwatts) firstLine.emplace(*r.milliwatts, r.line);
    }
    if (firstLine.empty()) return;
    const int low = levels.milliwatts[kPowerLow];
    std::string mapping;
    for (const auto& [mw, line] : firstLine) {
        const int level = LevelForMilliwatts(mw, levels);
        if (mw < low) {
            lineNotes.push_back(
                {line, {{CsvReasonCode::PowerBelowLow, WattsText(mw), WattsText(low)}}});
        }
        if (mw == levels.milliwatts[static_cast<std::size_t>(level)]) continue;
        mapping += (mapping.empty() ? "" : ", ") + WattsText(mw) + " W as " +
                   std::string(PowerLevelName(level));
    }
    if (mapping.empty()) return;
    std::string nominal;
    for (int level = kPowerLow; level <= kPowerHigh; ++level) {
        nominal += (nominal.empty() ? "" : ", ") + std::string(PowerLevelName(level)) + " " +
                   WattsText(levels.milliwatts[static_cast<std::size_t>(level)]) + " W";
    }
    summary.push_back({0, {{CsvReasonCode::PowersAsLevels, nominal, mapping}}});
}

CsvImportResult Refused(CsvImportResult result, int line, CsvReason reason) {
    result.problems.push_back({line, {std::move(reason)}});
    return result;
}

}  // namespace

CsvImportResult ImportChannelCsv(std::string_view bytes, Image& image,
                                 const CsvImportOptions& options) {
    CsvImportResult result;
    if (options.renumberFrom && (*options.renumberFrom < 1 || *options.renumberFrom > 128)) {
        return Refused(result, 0, {CsvReasonCode::RenumberFromOutOfRange});
    }
    auto text = CsvTextFromBytes(bytes);
    if (auto* why = std::get_if<CsvReason>(&text)) return Refused(result, 0, *why);
    const CsvParse parse = ParseCsvText(std::get<std::string>(text), options.separator);
    if (!parse.error.empty() && !options.skipInvalid) {
        return Refused(result, parse.errorLine, {CsvReasonCode::QuoteNotClosed});
    }

    // The header is the first line that names a Frequency column; a title
    // line above it is passed over.
    auto header = parse.records.end();
    ColumnIndex index{};
    for (auto it = parse.records.begin(); it != parse.records.end(); ++it) {
        if (it->Blank()) continue;
        index = ReadHeader(*it);
        if (index[static_cast<std::size_t>(kFrequency)] >= 0) {
            header = it;
            break;
        }
    }
    if (header == parse.records.end()) {
        auto first = std::find_if(parse.records.begin(), parse.records.end(),
                                  [](const CsvRecord& r) { return !r.Blank(); });
        if (first == parse.records.end()) {
            return Refused(result, 0, {CsvReasonCode::FileEmpty});
        }
        CsvReason why{CsvReasonCode::NoFrequencyColumn, "", std::string(1, options.separator)};
        for (const char other : {',', ';', '\t'}) {
            if (other != options.separator && first->fields.size() == 1 &&
                first->fields[0].find(other) != std::string::npos) {
                result.otherSeparator = other;
                why.a = std::string(1, other);
                break;
            }
        }
        return Refused(result, first->line, why);
    }
    if (index[static_cast<std::size_t>(kLocation)] < 0 && !options.renumberFrom) {
        result.renumberingWouldHelp = true;
        return Refused(result, header->line, {CsvReasonCode::NoLocationColumn});
    }

    RowReader reader(image, options, index, header->fields.size(), result);
    for (auto it = std::next(header); it != parse.records.end(); ++it) {
        if (!it->Blank()) reader.Read(*it);
    }
    if (!parse.error.empty()) {
        result.problems.push_back({parse.errorLine, {{CsvReasonCode::QuoteNotClosed}}});
    }
    std::vector<PassedRow>& rows = reader.Passed();
    if (!result.problems.empty() && !options.skipInvalid) return result;
    if (rows.empty()) {
        if (result.problems.empty()) result.problems.push_back({0, {{CsvReasonCode::NoRows}}});
        return result;
    }

    std::vector<CsvLineMessage> summary;
    for (const PassedRow& r : rows) {
        if (!r.notes.empty()) result.notes.push_back({r.line, r.notes});
    }
    FitNames(rows, image, options.replace, result.notes, summary);
    NotePowers(rows, options.power, result.notes, summary);
    std::stable_sort(
        result.notes.begin(), result.notes.end(),
        [](const CsvLineMessage& a, const CsvLineMessage& b) { return a.line < b.line; });
    result.notes.insert(result.notes.end(), summary.begin(), summary.end());

    Image work = image;
    std::set<int> stored;
    for (const PassedRow& r : rows) {
        StoreChannel(work, r.channel);
        result.channels.push_back(r.channel.number);
        stored.insert(r.channel.number);
    }
    if (options.replace) {
        for (int c = 1; c <= kChannelCount; ++c) {
            if (stored.contains(c)) continue;
            if (!IsChannelEmpty(work, c)) result.emptied.push_back(c);
            ClearChannel(work, c);
            ClearName(work, c);
        }
    }
    image = work;
    result.ok = true;
    return result;
}

}  // namespace zt
