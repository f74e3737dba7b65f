// SPDX-License-Identifier: GPL-3.0-or-later
// zt790sim: a simulated radio on a pseudo-terminal. Prints the device path on the
// first line of standard output, then answers the programming protocol until
// SIGTERM or the given number of completed exchanges, printing "exchange N done"
// as each one ends.

#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "files/channel_file.h"
#include "sim/pty_radio.h"
#include "sim/sim_radio.h"

namespace {

volatile bool g_stop = false;

extern "C" void OnSignal(int) { g_stop = true; }

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"A simulated ZT790 radio on a pseudo-terminal"};
    std::string load;
    std::string save;
    std::vector<std::string> faults;
    int delayMs = 1500;
    int noiseBytes = 3;
    int shortBytes = -1;
    zt::PtyRadioOptions options;
    app.add_option("--load", load, "Start from the memory in this .chann file (default: blank)")
        ->check(CLI::ExistingFile);
    app.add_option("--save", save, "Save the memory to this .chann file when the radio stops");
    app.add_flag("--pace", options.pace, "Move bytes at the real 9600-baud byte time");
    app.add_option("--sessions", options.sessions,
                   "Stop after this many completed reads, writes or power adjustments")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--fault", faults,
                   "Misbehave at a frame: KIND@FRAME[:always], KIND one of silent, short, "
                   "bad-ack, noise, delay, no-store (acknowledged, not stored), corrupt (a read "
                   "byte changed); FRAME ident, power or a block number. Repeatable.");
    app.add_option("--delay-ms", delayMs, "How late a delayed answer comes")->capture_default_str();
    app.add_option("--noise-bytes", noiseBytes, "Junk bytes sent before a noisy answer")
        ->capture_default_str();
    app.add_option("--short-bytes", shortBytes, "Bytes kept of a cut answer (default: half)");
    CLI11_PARSE(app, argc, argv);

    zt::SimRadio radio;
    if (!load.empty()) {
        const zt::FileResult loaded = zt::LoadChannelFile(load, radio.Memory());
        if (!loaded.ok) {
            std::cerr << "zt790sim: " << load << ": " << loaded.message.english << "\n";
            return 3;
        }
    }
    for (const std::string& spec : faults) {
        std::string error;
        auto plan = zt::ParseFaultSpec(spec, error);
        if (!plan) {
            std::cerr << "zt790sim: --fault " << spec << ": " << error << "\n";
            return 2;
        }
        plan->delayMs = delayMs;
        plan->noiseBytes = noiseBytes;
        plan->shortBytes = shortBytes;
        radio.AddFault(*plan);
    }

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    zt::PtyRadio pty(radio);
    std::string error;
    const std::string device = pty.Open(error);
    if (device.empty()) {
        std::cerr << "zt790sim: " << error << "\n";
        return 1;
    }
    std::cout << device << std::endl;
    // One line a finished exchange, so a script can wait for the radio.
    options.onSessionEnd = [](int n) { std::cout << "exchange " << n << " done" << std::endl; };

    const bool ok = pty.Run(options, g_stop, error);
    if (!ok) std::cerr << "zt790sim: " << error << "\n";
    if (!save.empty()) {
        const zt::FileResult saved = zt::SaveChannelFile(save, radio.Memory());
        if (!saved.ok) {
            std::cerr << "zt790sim: " << save << ": " << saved.message.english << "\n";
            return 3;
        }
    }
    return ok ? 0 : 1;
}
