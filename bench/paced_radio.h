// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks that time a real exchange share: a zt790sim pacing its
// bytes as the radio does, and a full radio memory to move.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

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

}  // namespace bench
