// SPDX-License-Identifier: GPL-3.0-or-later
// Times `zt790ctl write` to N radios at once (N = 1, 2, 4, 8), each a zt790sim
// pacing at 9600 baud, and prints each time as a ratio to the time of one
// radio. All radios share one event loop in zt790ctl; the goal is 1.10 or
// below for every N.
//
// Usage: bench_fleet_write [--verify] [folder of zt790ctl and zt790sim]
//        (default: the folder of this program)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <vector>

#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "paced_radio.h"

namespace {

constexpr double kGoal = 1.10;

// Seconds for one `zt790ctl write` to `radios` fresh radios; -1 on failure.
double TimeWrite(int radios, const QString& bin, const QString& file, bool verify) {
    std::vector<std::unique_ptr<QProcess>> sims;
    QStringList args{"write"};
    for (int i = 0; i < radios; ++i) {
        sims.push_back(std::make_unique<QProcess>());
        const QString device = bench::StartPacedRadio(*sims.back(), bin + "/zt790sim");
        if (device.isEmpty()) return -1;
        args << "--port" << device;
    }
    args << file;
    if (verify) args << "--verify";
    args << "--no-history";  // a benchmark keeps no copies of its radios
    QProcess ctl;
    // Neither the progress lines nor the report table.
    ctl.setStandardOutputFile(QProcess::nullDevice());
    ctl.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    ctl.start(bin + "/zt790ctl", args);
    const bool finished = ctl.waitForFinished(10 * 60 * 1000);
    const double seconds = clock.nsecsElapsed() / 1e9;
    for (auto& sim : sims) {
        sim->terminate();
        sim->waitForFinished(5000);
    }
    return finished && ctl.exitCode() == 0 ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    bool verify = false;
    QString bin = QCoreApplication::applicationDirPath();
    for (int i = 1; i < argc; ++i) {
        if (QString(argv[i]) == "--verify") {
            verify = true;
        } else {
            bin = QString::fromLocal8Bit(argv[i]);
        }
    }
    QTemporaryDir dir;
    zt::Image image = zt::BlankImage();
    for (int c = 1; c <= zt::kChannelCount; ++c) {
        zt::StoreRxText(image, c, "446.0" + std::to_string(c % 10));
        zt::ApplyGridDefaults(image, c);
    }
    const QString file = dir.filePath("fleet.chann");
    if (!zt::SaveChannelFile(file.toStdString(), image).ok) return 1;

    std::vector<std::pair<int, double>> times;
    for (const int n : {1, 2, 4, 8}) {
        const double seconds = TimeWrite(n, bin, file, verify);
        if (seconds < 0) {
            std::printf("%d radios: failed\n", n);
            return 1;
        }
        times.emplace_back(n, seconds);
    }
    std::printf("\nwrite%s at 9600 baud\nradios  seconds  ratio to one radio\n",
                verify ? " --verify" : "");
    int above = 0;
    for (const auto& [n, seconds] : times) {
        const double ratio = seconds / times.front().second;
        above += ratio > kGoal ? 1 : 0;
        std::printf("%6d  %7.2f  %6.3f%s\n", n, seconds, ratio,
                    ratio > kGoal ? "  above the 1.10 goal" : "");
    }
    return above == 0 ? 0 : 1;
}
