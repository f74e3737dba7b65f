// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zt790ctl and zt790sim run as a user runs them, from a scratch folder that is
// the current folder while the test runs.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "files/channel_file.h"
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

class CtlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        // The history zt790ctl keeps goes to the scratch folder, not the user's.
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    }
    void TearDown() override { QDir::setCurrent(home); }

    // zt790ctl with `args` split at spaces.
    static RunResult Ctl(const QString& args, int timeoutMs = 60000) {
        return RunProgram("zt790ctl", args.split(' ', Qt::SkipEmptyParts), timeoutMs);
    }
    static std::string Read(const char* name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const char* name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static void Save(const char* name, const Image& image) {
        ASSERT_TRUE(SaveChannelFile(name, image).ok);
    }
    static Image Load(const char* name) {
        Image image{};
        EXPECT_TRUE(LoadChannelFile(name, image).ok) << name;
        return image;
    }
    // zt790ctl started in the background, and its result once it ends.
    static std::unique_ptr<QProcess> Start(const QString& args) {
        auto ctl = std::make_unique<QProcess>();
        ctl->start(BinPath("zt790ctl"), args.split(' ', Qt::SkipEmptyParts));
        return ctl;
    }
    static RunResult Wait(QProcess& ctl) {
        RunResult r;
        if (!ctl.waitForFinished(60000)) return r;
        r.exitCode = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
        r.out = ctl.readAllStandardOutput().toStdString();
        r.err = ctl.readAllStandardError().toStdString();
        return r;
    }
    // A radio that saves its memory to NAME.chann when it stops (by itself
    // after `--sessions N`, or stopped).
    static std::unique_ptr<SimProcess> StartRadio(const char* name, const QString& args = {}) {
        auto sim = std::make_unique<SimProcess>(
            (QString("--save ") + name + ".chann " + args).split(' ', Qt::SkipEmptyParts));
        EXPECT_FALSE(sim->Device().isEmpty()) << name;
        return sim;
    }
    static Image Finish(SimProcess& sim, const char* name) {
        EXPECT_TRUE(sim.WaitForExit()) << name;
        return Load((std::string(name) + ".chann").c_str());
    }

    QString home = QDir::currentPath();
    QTemporaryDir dir;
};

}  // namespace zt::testing
