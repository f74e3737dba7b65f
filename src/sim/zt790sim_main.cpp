// SPDX-License-Identifier: GPL-3.0-or-later
// zt790sim: a simulated radio on a pseudo-terminal. Prints the device path on the
// first line of standard output, then answers the programming protocol until
// SIGTERM or the given number of completed exchanges, printing "exchange N done"
// as each one ends.

#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "files/channel_file.h"
#include "project_version.h"
#include "sim/pty_radio.h"
#include "sim/sim_radio.h"

namespace {

volatile bool g_stop = false;

extern "C" void OnSignal(int) { g_stop = true; }

// What --help prints after the options: how the radio is used and what it
// answers with (the manual page is made from this text).
constexpr char kHelpFooter[] = R"(
The radio starts with a blank memory, or the one in --load, and opens a
pseudo-terminal. It prints the terminal's device path on the first line of
standard output: give that path to zt790ctl --port, or type it into the
"Device:" box of zt790prog's port setup. It then answers read, write and
power exchanges as a ZT790 does, printing "exchange N done" as each ends,
until it is stopped with Ctrl+C or SIGTERM or has done --sessions exchanges.
On stopping it saves its memory to --save.

Exit status:
  0   stopped as asked
  1   the pseudo-terminal could not be opened or failed
  2   bad options
  3   a file could not be loaded or saved

Examples:
  zt790sim --load radio.chann --save after.chann
      A radio holding radio.chann; what is written to it lands in after.chann.
  zt790sim --sessions 1 --fault silent@12
      A radio that leaves block 12 unanswered once, so the program has to try
      again; it ends when that exchange has gone through.
  zt790sim --fault silent@12:always
      A radio that never answers at block 12: every read or write fails after
      its last attempt.
  zt790sim --line-fault flip:0x10@to-program:300 --line-fault late:2000@to-radio:90
      A bad cable: the 301st byte the radio sends arrives with bit 4 changed,
      and the 91st byte the program sends arrives 2 s late, holding back the
      bytes behind it. Bytes are counted from 0 since the radio started.)";

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "zt790sim: a simulated ZT790 radio on a pseudo-terminal, for trying "
        "zt790prog and zt790ctl without a radio",
        "zt790sim"};
    app.set_version_flag(
        "--version", std::string("zt790sim ") + zt::kProjectVersion + "\n" + zt::kLicenceNotice);
    app.footer(kHelpFooter);
    std::string load;
    std::string save;
    std::vector<std::string> faults;
    std::vector<std::string> lineFaults;
    int delayMs = 1500;
    int noiseBytes = 3;
    int shortBytes = -1;
    zt::PtyRadioOptions options;
    // A missing file is a file error (3) in zt790sim's own words, not a usage error.
    app.add_option("--load", load, "Start from the memory in this .chann file (default: blank)");
    app.add_option("--save", save, "Save the memory to this .chann file when the radio stops");
    app.add_flag("--pace", options.pace, "Move bytes at the real 9600-baud byte time");
    app.add_option("--sessions", options.sessions,
                   "Stop after this many completed reads, writes or power adjustments")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--fault", faults,
                   "Misbehave at a frame: KIND@FRAME[:always], KIND one of silent, short, "
                   "bad-ack, noise, delay, no-store (acknowledged, not stored), corrupt (a read "
                   "byte changed), pull (the cable pulled: the terminal closes and the radio "
                   "stops); FRAME ident, power or a block number. Repeatable.");
    app.add_option("--line-fault", lineFaults,
                   "Make the cable misbehave at a byte: KIND[:VALUE]@to-radio:N or "
                   "KIND[:VALUE]@to-program:N, byte N (from 0) on its way there; KIND one of "
                   "drop, late (VALUE ms, default 1500), flip (VALUE the bits, default 0x01), "
                   "extra (the byte VALUE before it, default 0x00), short (VALUE bytes lost from "
                   "there, default 10; to-program), duplicate, echo (the program's next VALUE "
                   "bytes echoed, default 8; to-radio), bad-ack (the next acknowledgement "
                   "arrives as 0x15; to-program), no-ack (the next acknowledgement is lost; "
                   "to-program), pull (the cable pulled, plugged back after VALUE ms; without "
                   "VALUE the terminal closes and the radio stops; to-radio). Repeatable.");
    app.add_option("--delay-ms", delayMs, "How late a delayed answer comes")->capture_default_str();
    app.add_option("--noise-bytes", noiseBytes, "Junk bytes sent before a noisy answer")
        ->capture_default_str();
    app.add_option("--short-bytes", shortBytes, "Bytes kept of a cut answer (default: half)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end here too; every real mistake exits 2.
        return app.exit(e) == 0 ? 0 : 2;
    }

    zt::SimRadio radio;
    if (!load.empty()) {
        const zt::FileResult loaded = zt::LoadChannelFile(load, radio.Memory());
        if (!loaded.ok) {
            const std::string& why = loaded.message.english;
            std::cerr << "zt790sim: " << (why.find(load) == std::string::npos ? load + ": " : "")
                      << why << "\n";
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
    for (const std::string& text : lineFaults) {
        std::string error;
        const auto fault = zt::ParseLineFault(text, error);
        if (!fault) {
            std::cerr << "zt790sim: --line-fault " << text << ": " << error << "\n";
            return 2;
        }
        options.line.push_back(*fault);
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
