// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_tones.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "files/csv_numbers.h"
#include "model/tone_codec.h"

namespace zt {
namespace {

enum class Kind { Off, Ctcss, Dcs };

Kind KindOf(int position) {
    if (position <= 0) return Kind::Off;
    if (position <= kToneCtcssEnd) return Kind::Ctcss;
    return Kind::Dcs;
}

std::string CtcssText(int position) {
    return std::string(kCtcssTones[static_cast<std::size_t>(position - 1)]);
}

// The three-digit code of a DCS position of either polarity.
std::string DcsText(int position) {
    const int n =
        position > kToneDcsNEnd ? position - kToneDcsNEnd - 1 : position - kToneCtcssEnd - 1;
    return std::string(kDcsCodes[static_cast<std::size_t>(n)]);
}

char PolarityOf(int position) { return position > kToneDcsNEnd ? 'R' : 'N'; }

std::string Upper(std::string_view text) {
    std::string out(TrimField(text));
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// A CTCSS frequency such as "88.5" or "88.50" as its list position.
std::optional<int> CtcssPosition(std::string_view text) {
    const std::string_view t = TrimField(text);
    if (t.empty() || t.find_first_not_of("0123456789.") != std::string_view::npos) return {};
    // Compare in tenths of a hertz; digits beyond the tenth must be zero.
    const std::size_t point = t.find('.');
    std::string whole(t.substr(0, point));
    std::string fraction = point == std::string_view::npos ? "" : std::string(t.substr(point + 1));
    if (fraction.find('.') != std::string::npos || whole.empty() || whole.size() > 4) return {};
    if (fraction.size() > 1 && fraction.find_first_not_of('0', 1) != std::string::npos) return {};
    const int tenths = std::stoi(whole) * 10 + (fraction.empty() ? 0 : fraction[0] - '0');
    for (int p = 1; p <= kToneCtcssEnd; ++p) {
        const std::string_view known = kCtcssTones[static_cast<std::size_t>(p - 1)];
        const std::size_t kp = known.find('.');
        const int knownTenths =
            std::stoi(std::string(known.substr(0, kp))) * 10 + (known[kp + 1] - '0');
        if (knownTenths == tenths) return p;
    }
    return {};
}

// A DCS code such as "023" or "23" as its normal-polarity list position.
std::optional<int> DcsPosition(std::string_view text) {
    std::string t(TrimField(text));
    if (t.empty() || t.size() > 3 || t.find_first_not_of("0123456789") != std::string::npos) {
        return {};
    }
    t.insert(0, 3 - t.size(), '0');
    for (int n = 0; n < kToneDcsNEnd - kToneCtcssEnd; ++n) {
        if (kDcsCodes[static_cast<std::size_t>(n)] == t) return kToneCtcssEnd + 1 + n;
    }
    return {};
}

int WithPolarity(int normalPosition, char polarity) {
    return polarity == 'R' ? normalPosition + (kToneDcsNEnd - kToneCtcssEnd) : normalPosition;
}

}  // namespace

CsvToneColumns ToneColumnsFor(CsvTones tones) {
    CsvToneColumns c{"", "88.5", "88.5", "023", "NN", "023", "Tone->Tone"};
    const Kind rx = KindOf(tones.rx);
    const Kind tx = KindOf(tones.tx);
    c.dtcsPolarity = {tx == Kind::Dcs ? PolarityOf(tones.tx) : 'N',
                      rx == Kind::Dcs ? PolarityOf(tones.rx) : 'N'};
    if (tx == Kind::Ctcss) c.rToneFreq = CtcssText(tones.tx);
    if (rx == Kind::Ctcss) c.cToneFreq = CtcssText(tones.rx);
    if (tx == Kind::Dcs) c.dtcsCode = DcsText(tones.tx);
    if (rx == Kind::Dcs) c.rxDtcsCode = DcsText(tones.rx);

    if (rx == Kind::Off && tx == Kind::Off) return c;
    if (rx == Kind::Off && tx == Kind::Ctcss) {
        c.tone = "Tone";
        return c;
    }
    if (rx == Kind::Ctcss && tx == Kind::Ctcss && tones.rx == tones.tx) {
        c.tone = "TSQL";
        return c;
    }
    if (rx == Kind::Dcs && tx == Kind::Dcs && DcsText(tones.rx) == DcsText(tones.tx)) {
        c.tone = "DTCS";
        return c;
    }
    auto side = [](Kind k) -> std::string {
        return k == Kind::Ctcss ? "Tone" : k == Kind::Dcs ? "DTCS" : "";
    };
    c.tone = "Cross";
    c.crossMode = side(tx) + "->" + side(rx);
    return c;
}

std::variant<CsvTones, CsvReason> TonesFromColumns(const CsvToneColumns& columns) {
    const std::string mode = Upper(columns.tone);
    const std::string polarity = Upper(columns.dtcsPolarity);

    auto ctcss = [](const std::string& text, const char* column) -> std::variant<int, CsvReason> {
        if (auto p = CtcssPosition(text)) return *p;
        return CsvReason{CsvReasonCode::CtcssUnknown, column, text};
    };
    auto dcs = [&](const std::string& text, const char* column,
                   int polarityIndex) -> std::variant<int, CsvReason> {
        // The code is what the row is about; a polarity alone cannot make one.
        if (TrimField(text).empty()) return CsvReason{CsvReasonCode::DcsMissing, column};
        if (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos) {
            return CsvReason{CsvReasonCode::PolarityBad, columns.dtcsPolarity};
        }
        if (auto p = DcsPosition(text)) {
            return WithPolarity(*p, polarity[static_cast<std::size_t>(polarityIndex)]);
        }
        return CsvReason{CsvReasonCode::DcsUnknown, column, text};
    };

    // Each side: 'T' a CTCSS tone from `column`, 'D' a DCS code, 0 off.
    struct Side {
        char kind = 0;
        const std::string* text = nullptr;
        const char* column = "";
    };
    Side tx;
    Side rx;
    if (mode.empty()) {
    } else if (mode == "TONE") {
        tx = {'T', &columns.rToneFreq, "rToneFreq"};
    } else if (mode == "TSQL") {
        tx = {'T', &columns.cToneFreq, "cToneFreq"};
        rx = tx;
    } else if (mode == "DTCS") {
        tx = {'D', &columns.dtcsCode, "DtcsCode"};
        rx = tx;
    } else if (mode == "CROSS") {
        // Without CrossMode, as files of tools that only cross tones have it.
        const std::string cross =
            TrimField(columns.crossMode).empty() ? "TONE->TONE" : Upper(columns.crossMode);
        const std::size_t arrow = cross.find("->");
        const std::string txPart = arrow == std::string::npos ? "" : cross.substr(0, arrow);
        const std::string rxPart = arrow == std::string::npos ? "" : cross.substr(arrow + 2);
        auto known = [](const std::string& s) { return s.empty() || s == "TONE" || s == "DTCS"; };
        if (arrow == std::string::npos || !known(txPart) || !known(rxPart) ||
            (txPart.empty() && rxPart.empty())) {
            return CsvReason{CsvReasonCode::CrossModeUnknown, columns.crossMode};
        }
        if (txPart == "TONE") tx = {'T', &columns.rToneFreq, "rToneFreq"};
        if (txPart == "DTCS") tx = {'D', &columns.dtcsCode, "DtcsCode"};
        if (rxPart == "TONE") rx = {'T', &columns.cToneFreq, "cToneFreq"};
        if (rxPart == "DTCS") rx = {'D', &columns.rxDtcsCode, "RxDtcsCode"};
    } else {
        return CsvReason{CsvReasonCode::ToneModeUnknown, columns.tone};
    }

    CsvTones tones;
    for (int s = 0; s < 2; ++s) {
        const Side& side = s == 0 ? tx : rx;
        if (side.kind == 0) continue;
        auto position =
            side.kind == 'T' ? ctcss(*side.text, side.column) : dcs(*side.text, side.column, s);
        if (auto* reason = std::get_if<CsvReason>(&position)) return *reason;
        (s == 0 ? tones.tx : tones.rx) = std::get<int>(position);
    }
    return tones;
}

}  // namespace zt
