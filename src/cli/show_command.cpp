// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl show FILE.chann
#include <iostream>
#include <memory>

#include "cli/ctl_common.h"
#include "cli/file_commands.h"
#include "cli/image_report.h"
#include "files/channel_file.h"

namespace zt::ctl {

void AddShowCommand(CLI::App& app, std::function<int()>& run) {
    auto file = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand(
        "show",
        "Print the used channels, band limits, frequency mode and optional features of a "
        ".chann file");
    cmd->add_option("file", *file, "Channel file")->required();
    cmd->callback([file, &run] {
        run = [file] {
            Image image{};
            const FileResult loaded = LoadChannelFile(*file, image);
            if (!loaded.ok) {
                std::cerr << "zt790ctl: " << loaded.message.english << "\n";
                return static_cast<int>(kFileError);
            }
            std::cout << ImageReport(image);
            return static_cast<int>(kOk);
        };
    });
}

}  // namespace zt::ctl
