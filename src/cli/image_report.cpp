// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/image_report.h"

#include <array>
#include <vector>

#include "cli/limit_report.h"
#include "cli/text_table.h"
#include "model/band_edges.h"
#include "model/bitext.h"
#include "model/channel.h"
#include "model/freq_codec.h"
#include "model/number_text.h"
#include "model/options.h"
#include "model/tone_codec.h"

namespace zt::ctl {
namespace {

std::string ToneText(TonePair t) {
    static const std::array<std::string, 301> kList = MakeToneList();
    const auto position = ToneToListIndex(t.type, t.index);
    if (!position) return "?";
    return std::string(TrimBlanks(kList[static_cast<std::size_t>(*position)]));
}

std::string OnOff(bool on) { return on ? "On" : "Off"; }

// The item of a value list a stored value shows (the last item beyond the end).
template <std::size_t N>
std::string Item(const std::array<BiText, N>& items, int stored) {
    return std::string(items[static_cast<std::size_t>(ShownPosition(stored, N))].english);
}

// The report's own words for a value list whose window items are abbreviated or
// misspelt, item for item: one word for each item of `items`.
template <std::size_t N>
std::string Word(const std::array<BiText, N>& /*items*/, const std::array<const char*, N>& words,
                 int stored) {
    return words[static_cast<std::size_t>(ShownPosition(stored, N))];
}
constexpr std::array<const char*, 3> kScanModeWords{"Time (TO)", "Carrier (CO)", "Search (SE)"};
constexpr std::array<const char*, 2> kChannelDisplayWords{"Frequency", "Name"};
constexpr std::array<const char*, 3> kBackLightWords{"Off", "On key press", "Always on"};
constexpr std::array<const char*, 3> kPowerOnModeWords{"Off", "Battery voltage", "Message"};
constexpr std::array<const char*, 2> kWorkModeWords{"Frequency", "Channel"};
constexpr std::array<const char*, 4> kKeyLockModeWords{"Keys and Up/Down", "PTT", "Keys",
                                                       "All keys"};
constexpr std::array<const char*, 8> kStepWords{"5 kHz",  "6.25 kHz", "10 kHz", "12.5 kHz",
                                                "25 kHz", "37.5 kHz", "50 kHz", "100 kHz"};

// A frequency as the limit check sees it, marked when it is outside the limits.
std::string Frequency(FreqUnits units, bool outside) {
    return MHzText(units) + (outside ? "*" : "");
}
std::string Mark(bool outside) { return outside ? " *" : ""; }

const LimitFailure* RefusalOf(const std::vector<LimitFailure>& refusals, int record) {
    for (const LimitFailure& f : refusals) {
        if (f.record == record) return &f;
    }
    return nullptr;
}

constexpr const char* kMarkNote = "* outside the band limits: zt790ctl write refuses this file\n";

}  // namespace

std::string ChannelTableReport(const Image& image) {
    std::vector<TableRow> rows{{"Ch", "Name", "Receive", "Transmit", "Decode", "Encode", "Power",
                                "Bandwidth", "Scan", "VOX", "BCL", "TX stop"}};
    static constexpr std::array<const char*, 4> kPower{"Low", "Mid", "High", "?"};
    const std::vector<LimitFailure> refusals = WriteRefusals(image);
    bool marked = false;
    for (int c = 1; c <= kChannelCount; ++c) {
        if (IsChannelEmpty(image, c)) continue;
        const int power = image[static_cast<std::size_t>(c)][kFlags1Byte] & kPowerMask;
        const LimitFailure* refused = RefusalOf(refusals, c);
        marked = marked || refused;
        rows.push_back({std::to_string(c), ReadName(image, c),
                        Frequency(RxUnits(image, c), refused && refused->rxOutside),
                        Frequency(TxUnits(image, c), refused && refused->txOutside),
                        ToneText(RxTone(image, c)), ToneText(TxTone(image, c)),
                        kPower[static_cast<std::size_t>(power)],
                        GetFlag(image, c, kFlags2Byte, kWideBit) ? "Wide" : "Narrow",
                        OnOff(!GetFlag(image, c, kFlags1Byte, kScanSkipBit)),
                        OnOff(GetFlag(image, c, kFlags2Byte, kVoxBit)),
                        OnOff(GetFlag(image, c, kFlags2Byte, kBclBit)),
                        OnOff(GetFlag(image, c, kFlags2Byte, kTxStopBit))});
    }
    if (rows.size() == 1) return "Channels: none in use\n";
    return "Channels: " + std::to_string(rows.size() - 1) + " in use\n" + TextTable(rows, {true}) +
           (marked ? kMarkNote : "");
}

std::string BandLimitsReport(const Image& image) {
    const BandEdges band = ReadBandEdges(image);
    std::string out = "Band limits: " + std::to_string(band.lowMHz) + " to " +
                      std::to_string(band.highMHz) + " MHz\n";
    const std::vector<LimitFailure> refusals = WriteRefusals(image);
    if (refusals.empty()) return out;
    out += "zt790ctl write refuses this file:\n";
    for (const LimitFailure& f : refusals) out += "  " + LimitFailureText(f) + "\n";
    return out;
}

std::string FrequencyModeReport(const Image& image) {
    const ImageRow& vfo = image[kVfoRow];
    const bool noOffset = vfo[4] == 255 && vfo[5] == 255 && vfo[6] == 255 && vfo[7] == 255;
    const int duplex = ReadField(image, kVfoDuplex);
    const std::vector<LimitFailure> refusals = WriteRefusals(image);
    const LimitFailure* refused = RefusalOf(refusals, kVfoRow);
    std::vector<TableRow> rows{
        {"Receive",
         MHzText(RxUnits(image, kVfoRow)) + " MHz" + Mark(refused && refused->rxOutside)},
        {"Offset", noOffset ? "none" : MHzText(OffsetUnits(image, kVfoRow)) + " MHz"},
        {"Duplex", Item(kDuplexItems, duplex)},
        {"Transmit",
         MHzText(TxUnits(image, kVfoRow)) + " MHz" + Mark(refused && refused->txOutside)},
        {"Decode", ToneText({vfo[8], vfo[9]})},
        {"Encode", ToneText({vfo[10], vfo[11]})},
        {"TX power", Item(kTxPowerItems, ReadField(image, kVfoTxPower))},
        {"Step", Word(kStepItems, kStepWords, ReadField(image, kVfoStep))},
        {"Bandwidth", Item(kWideNarrowItems, ReadField(image, kVfoWide))},
        {"TX stop", OnOff(ReadFlag(image, kVfoTxStop))},
        {"VOX", OnOff(ReadFlag(image, kVfoVox))},
        {"BCL", OnOff(ReadFlag(image, kVfoBcl))},
    };
    return "Frequency mode:\n" + TextTable(rows, {}, "  ") + (refused ? kMarkNote : "");
}

std::string OptionsReport(const Image& image) {
    const std::string password = ReadPassword(image);
    const std::string message = ReadPowerOnMessage(image);
    std::vector<TableRow> rows{
        {"Squelch level", Item(kSquelchItems, ReadField(image, kSquelchLevel))},
        {"Scan mode", Word(kScanModeItems, kScanModeWords, ReadField(image, kScanMode))},
        {"Manual set-up", OnOff(!ReadFlag(image, kManualSetupOff))},
        {"Roger", OnOff(ReadFlag(image, kRoger))},
        {"Receive while radio plays", OnOff(ReadFlag(image, kReceiveWhileRadio))},
        {"Battery save", OnOff(ReadFlag(image, kBatterySave))},
        {"Channel display",
         Word(kChannelDisplayItems, kChannelDisplayWords, ReadField(image, kChannelDisplay))},
        {"Backlight", Word(kBackLightItems, kBackLightWords, ReadField(image, kBackLight))},
        {"Beep", OnOff(ReadFlag(image, kBeep))},
        {"Work mode", Word(kWorkModeItems, kWorkModeWords, ReadField(image, kChannelWorkMode))},
        {"Only channel mode", OnOff(ReadFlag(image, kOnlyChannelMode))},
        {"Time-out timer [min]", Item(kTimeOutTimerItems, ReadField(image, kTimeOutTimer))},
        {"Automatic power off [h]", Item(kAutoPowerOffItems, ReadField(image, kAutoPowerOff))},
        {"VOX gain level", Item(kVoxGainLevelItems, ReadField(image, kVoxGainLevel))},
        {"VOX delay [s]", Item(kVoxDelayTimeItems, ReadField(image, kVoxDelayTime))},
        {"Key lock mode",
         Word(kKeyLockModeItems, kKeyLockModeWords, ReadField(image, kKeyLockMode))},
        {"Second band receive", OnOff(ReadFlag(image, kViceBandReceive))},
        {"Power-on display",
         Word(kPowerOnModeItems, kPowerOnModeWords, ReadField(image, kPowerOnMode))},
        {"Power-on message", message.empty() ? "(none)" : "\"" + message + "\""},
        {"Power-on password", ReadFlag(image, kRadioPassword)
                                  ? (password.empty() ? "On (no digits)" : "On, " + password)
                                  : "Off"},
    };
    return "Optional features:\n" + TextTable(rows, {}, "  ");
}

std::string ImageReport(const Image& image) {
    return ChannelTableReport(image) + "\n" + BandLimitsReport(image) + "\n" +
           FrequencyModeReport(image) + "\n" + OptionsReport(image);
}

}  // namespace zt::ctl
