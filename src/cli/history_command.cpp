// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl history
// zt790ctl history show N
// zt790ctl history diff N FILE.chann [--csv]
// zt790ctl history export N -o FILE.chann [--force]
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_output.h"
#include "cli/image_report.h"
#include "cli/text_table.h"
#include "files/channel_file.h"
#include "qtio/history_folder.h"
#include "transfer/radio_history.h"

namespace zt::ctl {

namespace {

struct HistoryArgs {
    int number = 0;
    std::string file;
    std::string output;
    bool csv = false;
    bool force = false;
};

int List(const RadioHistory& history) {
    const std::vector<HistoryEntry> entries = history.Entries();
    if (entries.empty()) {
        std::cout << "The history is empty: " << history.Folder().string() << "\n";
        return kOk;
    }
    std::vector<TableRow> rows{{"No.", "Time", "Kind", "Port", "Channels", "Source"}};
    for (const HistoryEntry& e : entries) {
        rows.push_back({std::to_string(e.number), e.time,
                        std::string(HistoryKindText(e.kind).english), e.port,
                        std::to_string(e.usedChannels), e.source.empty() ? "-" : e.source});
    }
    std::cout << TextTable(rows, {true, false, false, false, true, false}) << "\nKept in "
              << history.Folder().string() << ", the newest " << kHistoryLimit << " entries.\n";
    return kOk;
}

// The entry's image, or false having said why.
bool LoadEntry(const RadioHistory& history, int number, Image& image, std::string& name) {
    const auto entry = history.Find(number);
    if (!entry) {
        std::cerr << "zt790ctl: history: there is no entry " << number
                  << "; 'zt790ctl history' lists them\n";
        return false;
    }
    BiString error;
    if (!history.Load(*entry, image, error)) {
        std::cerr << "zt790ctl: history: entry " << number << ": " << error.english << "\n";
        return false;
    }
    name = "history entry " + std::to_string(number) + " (" +
           std::string(HistoryKindText(entry->kind).english) + ", " + entry->time + ")";
    return true;
}

int Show(const RadioHistory& history, const HistoryArgs& args) {
    Image image{};
    std::string name;
    if (!LoadEntry(history, args.number, image, name)) return kFileError;
    std::cout << ImageReport(image);
    return kOk;
}

int Diff(const RadioHistory& history, const HistoryArgs& args) {
    Image a{};
    Image b{};
    std::string name;
    if (!LoadEntry(history, args.number, a, name)) return kFileError;
    if (!LoadInputFile(args.file, b)) return kFileError;
    return PrintDiff(a, b, kImageRows, name, args.file, args.csv);
}

int Export(const RadioHistory& history, const HistoryArgs& args) {
    Image image{};
    std::string name;
    if (!LoadEntry(history, args.number, image, name)) return kFileError;
    if (!MayReplace(args.output, args.force)) return kFileError;
    if (!WriteOutputFile(args.output, FormatChannelFile(image))) return kFileError;
    std::cerr << "Exported " << name << " to " << args.output << "\n";
    return kOk;
}

}  // namespace

void AddHistoryCommand(CLI::App& app, std::function<int()>& run) {
    auto args = std::make_shared<HistoryArgs>();
    CLI::App* cmd = app.add_subcommand(
        "history",
        "List the radio memories kept: every read, every backup taken before a write and every "
        "image written, newest first");
    cmd->require_subcommand(0, 1);
    CLI::App* show = cmd->add_subcommand("show", "Print a history entry as 'show' prints a file");
    CLI::App* diff = cmd->add_subcommand(
        "diff", "List what differs between a history entry and a .chann file, as 'diff' does");
    CLI::App* out = cmd->add_subcommand("export", "Save a history entry as a .chann file");
    for (CLI::App* sub : {show, diff, out})
        sub->add_option("number", args->number, "The entry's number, as the list shows it")
            ->required();
    diff->add_option("file", args->file, "Channel file to compare with")->required();
    diff->add_flag("--csv", args->csv, "Write the channel differences as CSV");
    out->add_option("-o,--output", args->output, "Channel file to write")->required();
    out->add_flag("--force", args->force, "Replace the file if it exists");
    auto history = [] { return RadioHistory(HistoryFolder()); };
    cmd->callback([args, show, diff, out, history, &run] {
        run = [=] {
            const RadioHistory h = history();
            if (show->parsed()) return Show(h, *args);
            if (diff->parsed()) return Diff(h, *args);
            if (out->parsed()) return Export(h, *args);
            return List(h);
        };
    });
}

}  // namespace zt::ctl
