// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh folder under the system's temporary folder for each test, removed
// afterwards, and whole-file reads and writes for setting up and checking.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace zt {

class ScratchDir : public ::testing::Test {
  protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("zt-files-" + std::to_string(std::random_device{}()));

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static std::string Read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const std::filesystem::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
};

}  // namespace zt
