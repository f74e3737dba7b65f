// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// --model N for the subcommands that start from a blank image: the catalogue
// entry 0..6 (or its name), as the model dialog lists them.

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "model/radio_image.h"

namespace zt::ctl {

// Adds --model to a subcommand and the list of models to its help.
CLI::Option* AddModelOption(CLI::App& command, std::string& model);

// The catalogue entry a --model text names, or nothing with the reason printed.
[[nodiscard]] std::optional<int> ParseModel(const std::string& text);

// The image a new channel file starts from: without --model (`model` empty)
// the image the program starts with, else the blank image of the model named;
// nothing, with the reason printed, when it names no model.
[[nodiscard]] std::optional<Image> StartImage(const std::string& model);

// "ZT790 C1.0 UHF (400-470 MHz)".
[[nodiscard]] std::string ModelText(int index);

}  // namespace zt::ctl
