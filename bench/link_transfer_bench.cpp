// SPDX-License-Identifier: GPL-3.0-or-later
// Times a full read and a full write against zt790sim pacing at 9600 baud, and
// prints each as a ratio to its floor: every byte on the wire at 960 bytes a
// second, plus the 15 ms pump wait before every frame the program sends. The
// goal is 1.05 or below.
//
// Usage: bench_link_transfer [path/to/zt790sim]   (default: next to this program)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <cstdio>

#include "link/serial_link.h"
#include "model/blank_image.h"
#include "model/startup.h"
#include "paced_radio.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"

namespace {

constexpr double kBytesPerSecond = 960.0;

struct Floor {
    int programBytes;
    int radioBytes;
    int pumpedFrames;
    [[nodiscard]] double Seconds() const {
        return (programBytes + radioBytes) / kBytesPerSecond + pumpedFrames * zt::kPumpMs / 1000.0;
    }
};

// Programming request, first request (06 R 00 00 10), 253 more requests, an
// acknowledgement after each of the 254 replies; the radio sends the 9-byte
// identification and 254 replies of 21 bytes.
constexpr Floor kReadFloor{8 + 5 + (zt::kReadBlocks - 1) * 4 + zt::kReadBlocks,
                           9 + zt::kReadBlocks * 21, 1 + zt::kReadBlocks};
// Programming request, first write frame (21), 239 frames of 20, 'E'; the radio
// sends the identification and 240 acknowledgements.
constexpr Floor kWriteFloor{8 + 21 + (zt::kWriteBlocks - 1) * 20 + 1, 9 + zt::kWriteBlocks,
                            1 + zt::kWriteBlocks};

struct Done : zt::ExchangeObserver {
    bool finished = false;
    bool ok = false;
    void OnFinished(zt::ExchangeOutcome o) override {
        finished = true;
        ok = o == zt::ExchangeOutcome::Completed;
    }
};

double Run(zt::LinkMode mode, const QString& simProgram) {
    QProcess sim;
    const QString device = bench::StartPacedRadio(sim, simProgram);
    if (device.isEmpty()) return -1;
    zt::AppState app;
    zt::StartUp(app);
    app.ComDevice = device.toStdString();
    zt::QtSerialPort port;
    zt::QtLinkTimers timers;
    Done done;
    zt::SerialLink link(mode, app, port, timers, done);
    QElapsedTimer clock;
    clock.start();
    if (link.Start() != zt::StartResult::Started) return -1;
    while (!done.finished) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = clock.nsecsElapsed() / 1e9;
    sim.terminate();
    sim.waitForFinished(5000);
    return done.ok ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qt(argc, argv);
    const QString simProgram = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QCoreApplication::applicationDirPath() + "/zt790sim";
    int failures = 0;
    for (const auto& [name, mode, floor] :
         {std::tuple{"read", zt::LinkMode::Read, kReadFloor},
          std::tuple{"write", zt::LinkMode::Write, kWriteFloor}}) {
        const double seconds = Run(mode, simProgram);
        if (seconds < 0) {
            std::printf("%-5s  failed\n", name);
            ++failures;
            continue;
        }
        const double ratio = seconds / floor.Seconds();
        std::printf("%-5s  %6.3f s  floor %6.3f s  (%d bytes, %d frames)  ratio %.3f%s\n", name,
                    seconds, floor.Seconds(), floor.programBytes + floor.radioBytes,
                    floor.pumpedFrames, ratio, ratio <= 1.05 ? "" : "  above the 1.05 goal");
    }
    return failures == 0 ? 0 : 1;
}
