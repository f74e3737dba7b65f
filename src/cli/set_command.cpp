// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl set FILE.chann [--channels LIST] [--power low|mid|high]
//     [--bandwidth narrow|wide] [--decode TONE] [--encode TONE] [--offset +MHZ|-MHZ|0]
//     [--scan-add on|off] [--bcl on|off] [--vox on|off] [--tx-stop on|off]
//     [--name PATTERN [--name-start N]] -o OUT.chann
#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>

#include "cli/channels_option.h"
#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/file_output.h"
#include "files/channel_file.h"
#include "model/band_edges.h"
#include "model/bulk_edit.h"
#include "model/channel_list.h"
#include "model/number_text.h"
#include "model/tone_codec.h"

namespace zt::ctl {
namespace {

struct SetArgs {
    std::string file;
    std::string output;
    std::string channels;
    std::string power;
    std::string bandwidth;
    std::string decode;
    std::string encode;
    std::string offset;
    std::string scanAdd;
    std::string bcl;
    std::string vox;
    std::string txStop;
    std::string name;
    int nameStart = 1;
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "off", or a tone as the tone lists show it (67.0, D023N, D023I); a CTCSS
// tone may leave out its ".0".
std::optional<int> TonePosition(const std::string& text) {
    static const auto kList = MakeToneList();
    if (Lower(text) == "off") return 0;
    for (int p = 1; p <= kToneDcsIEnd; ++p) {
        const std::string entry(TrimBlanks(kList[static_cast<std::size_t>(p)]));
        if (Lower(entry) == Lower(text)) return p;
        const bool number =
            !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
        if (p <= kToneCtcssEnd && number && TextToUnits(entry) == TextToUnits(text)) return p;
    }
    return std::nullopt;
}

// +MHZ, -MHZ, or 0 for none.
std::optional<OffsetSetting> ParseOffset(const std::string& text) {
    const std::string digits = text.empty() ? text : text.substr(1);
    const bool number = !digits.empty() &&
                        digits.find_first_not_of("0123456789.") == std::string::npos &&
                        std::count(digits.begin(), digits.end(), '.') <= 1;
    if (text.find_first_not_of("0.") == std::string::npos && !text.empty()) return OffsetSetting{};
    if (!number || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const FreqUnits offset = TextToUnits(digits);
    if (offset >= 1000 * kUnitsPerMHz) return std::nullopt;
    return OffsetSetting{offset == 0 ? 0 : text[0] == '+' ? 1 : 2, offset};
}

// The request the options give, or nothing with the reason printed.
std::optional<BulkEdit> Request(const SetArgs& a, const CLI::App& cmd) {
    BulkEdit edit;
    const auto given = [&cmd](const char* option) { return cmd.count(option) > 0; };
    const auto onOff = [](const std::string& value) { return value == "on"; };
    if (given("--power")) edit.power = a.power == "low" ? 0 : a.power == "mid" ? 1 : 2;
    if (given("--bandwidth")) edit.wide = a.bandwidth == "wide";
    for (auto [option, text, field] : {std::tuple{"--decode", &a.decode, &edit.decode},
                                       std::tuple{"--encode", &a.encode, &edit.encode}}) {
        if (!given(option)) continue;
        *field = TonePosition(*text);
        if (!*field) {
            std::cerr << "zt790ctl: " << option << " " << *text
                      << " is no tone of the radio: give off, a CTCSS tone such as 67.0 or a DCS "
                         "code such as D023N or D023I\n";
            return std::nullopt;
        }
    }
    if (given("--offset")) {
        edit.offset = ParseOffset(a.offset);
        if (!edit.offset) {
            std::cerr << "zt790ctl: --offset " << a.offset
                      << " is no offset: give +MHZ or -MHZ (such as +5 or -0.6), or 0 for none\n";
            return std::nullopt;
        }
    }
    if (given("--scan-add")) edit.scanAdd = onOff(a.scanAdd);
    if (given("--bcl")) edit.bcl = onOff(a.bcl);
    if (given("--vox")) edit.vox = onOff(a.vox);
    if (given("--tx-stop")) edit.txStop = onOff(a.txStop);
    if (given("--name")) edit.name = NamePattern{a.name, a.nameStart};
    if (edit.empty()) {
        std::cerr << "zt790ctl: give at least one field to set: --power, --bandwidth, --decode, "
                     "--encode, --offset, --scan-add, --bcl, --vox, --tx-stop or --name\n";
        return std::nullopt;
    }
    return edit;
}

int RunSet(const SetArgs& args, const CLI::App& cmd) {
    const auto channels = ParseChannelsOption(args.channels);
    if (!channels) return kUsage;
    const auto edit = Request(args, cmd);
    if (!edit) return kUsage;
    Image image{};
    if (!LoadInputFile(args.file, image)) return kFileError;
    const BandEdges band = ReadBandEdges(image);
    const BulkEditResult result = ApplyBulkEdit(image, *channels, *edit, band.lowMHz, band.highMHz);
    if (!result.done) {
        std::cerr << "zt790ctl: " << result.refusal.english << " " << OutputFate(args.output)
                  << "\n";
        return kUsage;
    }
    if (!WriteOutputFile(args.output, FormatChannelFile(image))) return kFileError;
    std::cerr << "Changed " << result.channels.size()
              << (result.channels.size() == 1 ? " channel (" : " channels (")
              << FormatChannelList(result.channels) << ") and wrote " << args.output << "\n";
    return kOk;
}

}  // namespace

void AddSetCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<SetArgs>();
    CLI::App* cmd =
        app.add_subcommand("set", "Set chosen fields on many channels of a .chann file at once");
    cmd->add_option("file", args->file, "Channel file")->required();
    cmd->add_option("-o,--output", args->output, "Channel file to write (may be FILE)")->required();
    cmd->add_option("--channels", args->channels,
                    "Channels to change, such as 1-16,20 (default all)")
        ->option_text("LIST");
    cmd->add_option("--power", args->power, "TX power")
        ->check(CLI::IsMember({"low", "mid", "high"}, CLI::ignore_case));
    cmd->add_option("--bandwidth", args->bandwidth, "Bandwidth")
        ->check(CLI::IsMember({"narrow", "wide"}, CLI::ignore_case));
    cmd->add_option("--decode", args->decode, "Decode tone: off, 67.0, D023N, D023I, ...")
        ->option_text("TONE");
    cmd->add_option("--encode", args->encode, "Encode tone, as --decode")->option_text("TONE");
    cmd->add_option("--offset", args->offset,
                    "TX offset from RX in MHz with its direction, or 0 for none; TX follows "
                    "each channel's RX")
        ->option_text("+MHZ|-MHZ|0");
    for (auto [name, value, help] : {std::tuple{"--scan-add", &args->scanAdd, "Scan add"},
                                     std::tuple{"--bcl", &args->bcl, "Busy channel lock-out"},
                                     std::tuple{"--vox", &args->vox, "VOX"},
                                     std::tuple{"--tx-stop", &args->txStop, "TX stop"}}) {
        cmd->add_option(name, *value, help)->check(CLI::IsMember({"on", "off"}, CLI::ignore_case));
    }
    cmd->add_option("--name", args->name,
                    "Name pattern: each run of # counts up (PMR## gives PMR01, PMR02, ...)")
        ->option_text("PATTERN");
    cmd->add_option("--name-start", args->nameStart, "First number of the name's # counter")
        ->check(CLI::Range(0, 99999))
        ->option_text("N");
    cmd->footer(
        "Only the fields given change; empty channels are left alone. A change that would put a "
        "transmit frequency outside the band, or a name the radio cannot show, changes nothing "
        "(exit code 2).");
    cmd->callback([args, cmd, &run] { run = [args, cmd] { return RunSet(*args, *cmd); }; });
}

}  // namespace zt::ctl
