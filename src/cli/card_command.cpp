// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl card FILE.chann -o CARD.pdf [--language en|zh] [--paper a4|letter]
//     [--channels LIST] [--title TEXT]
#include <QDate>
#include <filesystem>
#include <iostream>
#include <memory>

#include "card/card_pdf.h"
#include "cli/channels_option.h"
#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/file_output.h"
#include "model/channel_card.h"

namespace zt::ctl {
namespace {

struct CardArgs {
    std::string file;
    std::string output;
    std::string language = "en";
    std::string paper = "a4";
    std::string channels;
    std::string title;
};

int RunCard(const CardArgs& args) {
    const auto channels = ParseChannelsOption(args.channels);
    if (!channels) return kUsage;
    Image image{};
    if (!LoadInputFile(args.file, image)) return kFileError;
    if (!OutputPathUsable(args.output)) return kFileError;
    CardRequest request;
    request.channels = *channels;
    request.title = args.title;
    request.fileName = std::filesystem::path(args.file).filename().string();
    request.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
    request.chinese = args.language == "zh";
    const ChannelCard card = MakeChannelCard(image, request);
    if (card.rows.empty()) {
        std::cerr << "zt790ctl: " << kCardNoChannels.english << " " << OutputFate(args.output)
                  << "\n";
        return kUsage;
    }
    const CardPdfResult written =
        WriteChannelCardPdf(card, args.paper == "letter" ? CardPaper::Letter : CardPaper::A4,
                            QString::fromStdString(args.output));
    if (!written.ok) {
        std::cerr << "zt790ctl: cannot write " << args.output << ": " << written.error.toStdString()
                  << "; " << OutputFate(args.output) << "\n";
        return kFileError;
    }
    std::cerr << "Wrote the channel card of " << card.rows.size()
              << (card.rows.size() == 1 ? " channel" : " channels") << " on " << written.pages
              << (written.pages == 1 ? " page" : " pages") << " to " << args.output << "\n";
    return kOk;
}

}  // namespace

void AddCardCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<CardArgs>();
    CLI::App* cmd = app.add_subcommand(
        "card", "Write a printable channel card of the used channels of a .chann file as PDF");
    cmd->add_option("file", args->file, "Channel file")->required();
    cmd->add_option("-o,--output", args->output, "PDF file to write")->required();
    cmd->add_option("--language", args->language, "Language of the card (default en)")
        ->check(CLI::IsMember({"en", "zh"}));
    cmd->add_option("--paper", args->paper, "Paper size (default a4)")
        ->check(CLI::IsMember({"a4", "letter"}, CLI::ignore_case));
    cmd->add_option("--channels", args->channels, "Channels to list, such as 1-16,20 (default all)")
        ->option_text("LIST");
    cmd->add_option("--title", args->title, "Title at the top (default \"Channel Card\")");
    cmd->footer("Empty channels are left out. 128 channels fit on two A4 pages.");
    cmd->callback([args, &run] { run = [args] { return RunCard(*args); }; });
}

}  // namespace zt::ctl
