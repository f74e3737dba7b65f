// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zt {

namespace {

// The toolkit's own options (Qt's QGuiApplication, QApplication and X11
// platform options), written with one dash or two.
constexpr std::array<std::string_view, 17> kQtOptionsWithValue{"platform",
                                                               "platformpluginpath",
                                                               "platformtheme",
                                                               "plugin",
                                                               "qwindowgeometry",
                                                               "geometry",
                                                               "qwindowtitle",
                                                               "title",
                                                               "qwindowicon",
                                                               "icon",
                                                               "session",
                                                               "style",
                                                               "stylesheet",
                                                               "display",
                                                               "name",
                                                               "visual",
                                                               "qmljsdebugger"};
constexpr std::array<std::string_view, 6> kQtFlags{"reverse", "widgetcount", "nograb",
                                                   "dograb",  "sync",        "testability"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

ProgramOptions Error(std::string text) {
    ProgramOptions o;
    o.action = ProgramOptions::Action::Error;
    o.error = std::move(text);
    return o;
}

}  // namespace

ProgramOptions ParseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions o;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!o.file.empty()) return Error("only one file can be opened: " + arg);
            o.file = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help") {
            o.action = ProgramOptions::Action::Help;
            return o;
        }
        if (arg == "--version") {
            o.action = ProgramOptions::Action::Version;
            return o;
        }
        // NAME or NAME=VALUE, without its dashes.
        std::string_view name(arg);
        name.remove_prefix(arg.starts_with("--") ? 2 : 1);
        std::string_view value;
        bool hasValue = false;
        if (const auto eq = name.find('='); eq != std::string_view::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            hasValue = true;
        }
        if (arg.starts_with("--") && name == "language") {
            if (!hasValue) {
                if (i + 1 >= args.size()) return Error("--language needs en or zh");
                value = args[++i];
            }
            if (value == "zh") {
                o.chinese = true;
            } else if (value == "en") {
                o.chinese = false;
            } else {
                return Error("--language must be en or zh, not " + std::string(value));
            }
        } else if (arg == "--advanced") {
            o.advanced = true;
        } else if (Contains(kQtOptionsWithValue, name)) {
            if (!hasValue && name != "qmljsdebugger") ++i;  // its value is Qt's too
        } else if (!Contains(kQtFlags, name)) {
            return Error("unknown option " + arg);
        }
    }
    return o;
}

std::string ProgramUsage() {
    return "Usage: zt790prog [OPTION]... [FILE]\n"
           "Programming software for ZT790 and MV4L handheld FM radios: read a radio's\n"
           "memory over a programming cable, edit channels, optional features and broadcast\n"
           "FM presets, save .chann files and write them back.\n"
           "\n"
           "FILE is a channel file (.chann) to open at start-up, or a CSV file whose\n"
           "channels are imported into the blank image.\n"
           "\n"
           "Options:\n"
           "  --language en|zh  start with the interface in English (the default) or Chinese\n"
           "  --advanced        show the menu entries hidden in a normal run: Key Assignment,\n"
           "                    Scan Information, Embedded Message and the Language menu\n"
           "  -h, --help        show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "The toolkit's own options (-style, -platform, ...) are accepted too.\n"
           "Press F1 in any window for the user manual.\n";
}

std::string ProgramVersion() { return "zt790prog " ZT_VERSION "\n"; }

}  // namespace zt
