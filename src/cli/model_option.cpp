// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/model_option.h"

#include <algorithm>
#include <cctype>
#include <iostream>

#include "model/blank_image.h"
#include "model/catalogue.h"

namespace zt::ctl {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string ModelText(int index) {
    const ModelEntry& m = kModelCatalogue.at(static_cast<std::size_t>(index));
    return ModelAndBandText({m.lowMHz, m.highMHz});
}

CLI::Option* AddModelOption(CLI::App& command, std::string& model) {
    // Laid out like the option list above it: the number, then from column 31
    // the model.
    std::string list = "Models:\n";
    for (std::size_t i = 0; i < kModelCatalogue.size(); ++i) {
        const std::string number = "  " + std::to_string(i);
        list +=
            number + std::string(30 - number.size(), ' ') + ModelText(static_cast<int>(i)) + "\n";
    }
    command.footer(list);
    return command
        .add_option("--model", model,
                    "Radio model of the blank image, 0..6 or its name (default: the image the "
                    "program starts with, model 0 on 462.01250 MHz)")
        ->option_text("N");
}

std::optional<int> ParseModel(const std::string& text) {
    for (std::size_t i = 0; i < kModelCatalogue.size(); ++i) {
        if (text == std::to_string(i) ||
            Lower(text) == Lower(std::string(kModelCatalogue[i].name))) {
            return static_cast<int>(i);
        }
    }
    std::cerr << "zt790ctl: --model " << text << " is not a model: give 0..6 or a name";
    std::cerr << " (zt790ctl new --help lists them)\n";
    return {};
}

std::optional<Image> StartImage(const std::string& model) {
    // The start-up image's frequency-mode record is one no model dialog has set.
    if (model.empty()) return BlankImage();
    const auto index = ParseModel(model);
    if (!index) return {};
    return BlankImageForModel(*index);
}

}  // namespace zt::ctl
