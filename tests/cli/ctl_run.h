// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zt790ctl and zt790sim run as a user runs them, from a scratch folder that is
// the current folder while the test runs.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <map>
#include <regex>

#include "files/channel_file.h"
#include "files/scratch_dir.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "support/sim_process.h"

namespace zt::testing {

// Twenty channels, and every row beyond the channels but the band edges
// different, so a lost or shifted block shows.
inline Image Radio(int salt) {
    Image image = BlankImage();
    for (int c = 1; c <= 20; ++c) {
        StoreRxText(image, c, "446.0" + std::to_string(c % 10));
        ApplyGridDefaults(image, c);
    }
    for (int r = 129; r < 254; ++r) {
        if (r == 153) continue;
        for (int f = 0; f < kRowBytes; ++f)
            image[r][f] = static_cast<std::uint8_t>(r * 7 + f * 13 + salt);
    }
    return image;
}

inline ::testing::AssertionResult Has(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

class CtlTest : public ScratchDir {
  protected:
    void SetUp() override {
        ScratchDir::SetUp();
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.string())));
        // The history zt790ctl keeps goes to the scratch folder, not the user's.
        qputenv("XDG_DATA_HOME", (dir / "data").c_str());
    }
    void TearDown() override {
        radios.clear();  // each saves its memory into the folder as it stops
        QDir::setCurrent(home);
        ScratchDir::TearDown();
    }

    // zt790ctl with `args` split at spaces.
    static RunResult Ctl(const QString& args, int timeoutMs = 60000) {
        return RunProgram("zt790ctl", args.split(' ', Qt::SkipEmptyParts), timeoutMs);
    }
    static void Save(const char* name, const Image& image) {
        ASSERT_TRUE(SaveChannelFile(name, image).ok);
    }
    static Image Load(const char* name) {
        Image image{};
        EXPECT_TRUE(LoadChannelFile(name, image).ok) << name;
        return image;
    }
    // zt790sim radios by name, each saving its memory to NAME.chann when it stops.
    void StartRadios(const std::vector<std::pair<std::string, QString>>& specs) {
        for (const auto& [name, options] : specs) {
            const auto& sim = radios[name] = std::make_unique<SimProcess>(
                ("--save " + QString::fromStdString(name) + ".chann " + options)
                    .split(' ', Qt::SkipEmptyParts));
            EXPECT_FALSE(sim->Device().isEmpty()) << name;
        }
    }
    Image Stopped(const std::string& name) {
        radios.at(name)->Stop();
        return Load((name + ".chann").c_str());
    }

    // A command line, {NAME} standing for that radio's device; its exit code
    // and texts it prints (standard output and error together, each gap of two
    // or more blanks, as between a table's columns, read as " | ").
    struct Expected {
        std::string command;
        int exitCode;
        std::vector<std::string> says;
    };
    // Runs every command at once, as a dealer runs a row of radios, and checks
    // each; the results in order.
    std::vector<RunResult> RunAll(const std::vector<Expected>& runs) {
        const auto named = [this](std::string text) {
            for (const auto& [name, sim] : radios) {
                for (std::size_t at; (at = text.find("{" + name + "}")) != std::string::npos;)
                    text.replace(at, name.size() + 2, sim->Device().toStdString());
            }
            return text;
        };
        std::vector<std::unique_ptr<QProcess>> started;
        for (const Expected& run : runs) {
            started.push_back(std::make_unique<QProcess>());
            started.back()->start(
                BinPath("zt790ctl"),
                QString::fromStdString(named(run.command)).split(' ', Qt::SkipEmptyParts));
        }
        std::vector<RunResult> results;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            QProcess& ctl = *started[k];
            RunResult& r = results.emplace_back();
            if (ctl.waitForFinished(60000) && ctl.exitStatus() == QProcess::NormalExit)
                r.exitCode = ctl.exitCode();
            r.out = ctl.readAllStandardOutput().toStdString();
            r.err = ctl.readAllStandardError().toStdString();
            const std::string said = std::regex_replace(r.out + r.err, std::regex(" {2,}"), " | ");
            EXPECT_EQ(r.exitCode, runs[k].exitCode) << runs[k].command << "\n" << said;
            for (const std::string& part : runs[k].says)
                EXPECT_TRUE(Has(said, named(part))) << runs[k].command;
        }
        return results;
    }
    QString home = QDir::currentPath();
    std::map<std::string, std::unique_ptr<SimProcess>> radios;
};

}  // namespace zt::testing
