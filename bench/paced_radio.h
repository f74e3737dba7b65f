// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks that time a real exchange share: a zt790sim pacing its
// bytes as the radio does, and a full radio memory to move.
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/channel.h"

namespace bench {

// Starts zt790sim --pace with `args` and returns its device path, or "" when
// it did not start.
inline QString StartPacedRadio(QProcess& sim, const QString& program,
                               const QStringList& args = {}) {
    sim.start(program, QStringList{"--pace"} + args);
    if (!sim.waitForStarted(5000)) return {};
    while (!sim.canReadLine() && sim.waitForReadyRead(5000)) {
    }
    return QString::fromUtf8(sim.readLine()).trimmed();
}

// All 128 channels used, named and with a decode tone, so that every block
// the radio sends or takes carries data.
inline zt::Image FullRadio() {
    zt::Image image = zt::BlankImage();
    for (int c = 1; c <= zt::kChannelCount; ++c) {
        zt::StoreRxText(image, c, std::to_string(400 + c % 70) + ".0125");
        zt::ApplyGridDefaults(image, c);
        zt::SetRxTone(image, c, 1 + c % 50);
        zt::WriteName(image, c, "CH" + std::to_string(c));
    }
    return image;
}

// A paced radio holding FullRadio(), saved in `dir`: zt790sim from the
// command line's first word, or the one next to the benchmark. Its device
// path, or "" after saying why.
inline QString StartFullRadio(QProcess& sim, const QTemporaryDir& dir, int argc, char** argv) {
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QCoreApplication::applicationDirPath() + "/zt790sim";
    const QString memory = dir.filePath("radio.chann");
    if (!zt::SaveChannelFile(memory.toStdString(), FullRadio()).ok) {
        std::printf("%s cannot be saved\n", memory.toLocal8Bit().constData());
        return {};
    }
    const QString device = StartPacedRadio(sim, program, {"--load", memory});
    if (device.isEmpty()) std::printf("zt790sim did not start\n");
    return device;
}

}  // namespace bench
