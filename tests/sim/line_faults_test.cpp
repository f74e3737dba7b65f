// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/line_faults.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "sim/pty_radio.h"
#include "sim/sim_port.h"

namespace zt {
namespace {

// Bytes 06 41 06 42 enter the line at 0, 1, 2 and 3 ms; what comes out, as
// "end byte @ms" with r for the radio's end and p for the program's.
TEST(LineFaults, EachKindSpoilsItsByte) {
    const struct {
        const char* text;
        const char* out;
    } cases[] = {
        {"drop@to-radio:1", "r06@0 r06@2 r42@3"},
        {"late:10@to-program:1", "p06@0 p41@11 p06@11 p42@11"},
        {"flip:0x81@to-radio:1", "r06@0 rC0@1 r06@2 r42@3"},
        {"extra:0x55@to-program:2", "p06@0 p41@1 p55@2 p06@2 p42@3"},
        {"short:2@to-program:1", "p06@0 p42@3"},
        {"duplicate@to-radio:3", "r06@0 r41@1 r06@2 r42@3 r42@3"},
        {"echo:2@to-radio:1", "r06@0 p41@2 r41@1 p06@3 r06@2 r42@3"},
        {"bad-ack@to-program:1", "p06@0 p41@1 p15@2 p42@3"},
        {"no-ack@to-program:0", "p41@1 p06@2 p42@3"},
        {"pull:2@to-radio:1", "r06@0 r42@3"},  // plugged back at 3 ms
        {"pull@to-radio:1", "r06@0"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto fault = ParseLineFault(c.text, error);
        ASSERT_TRUE(fault) << c.text << ": " << error;
        LineFaults line({*fault});
        std::string out;
        const std::uint8_t bytes[] = {0x06, 0x41, 0x06, 0x42};
        for (int i = 0; i < 4; ++i) {
            for (const auto& d : fault->direction == Direction::ToRadio
                                     ? line.FromProgram(bytes[i], i * 1000, 1000)
                                     : line.FromRadio(bytes[i], i * 1000)) {
                char text[32];
                std::snprintf(text, sizeof text, " %c%02X@%lld",
                              d.direction == Direction::ToRadio ? 'r' : 'p', d.byte,
                              static_cast<long long>(d.at / 1000));
                out += text;
            }
        }
        EXPECT_EQ(out.substr(1), c.out) << c.text;
    }
}

TEST(LineFaults, TextsTakeDefaultsOrSayWhyNot) {
    const struct {
        const char *text, *result;  // the value taken, or why not
    } cases[] = {
        {"late@to-program:7", "1500"},
        {"flip@to-radio:7", "1"},
        {"short@to-program:7", "10"},
        {"echo@to-radio:7", "8"},
        {"pull@to-radio:7", "-1"},
        {"drop", "a line fault needs KIND@to-radio:N or KIND@to-program:N, e.g. drop@to-radio:12"},
        {"melt@to-radio:1",
         "unknown line fault 'melt' (drop, late, flip, extra, short, duplicate, echo, bad-ack, "
         "no-ack or pull)"},
        {"drop:3@to-radio:1", "'drop' takes no value"},
        {"flip:256@to-radio:1", "the value of 'flip' must be 1..255"},
        {"drop@sideways:1", "unknown place 'sideways:1' (to-radio:N or to-program:N)"},
        {"drop@to-radio:x", "unknown place 'to-radio:x' (to-radio:N or to-program:N)"},
        {"echo@to-program:1", "'echo' happens only to-radio"},
        {"bad-ack@to-radio:1", "'bad-ack' happens only to-program"},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto fault = ParseLineFault(c.text, error);
        EXPECT_EQ(fault ? std::to_string(fault->param) : error, c.result) << c.text;
    }
}

// The in-process port: what was on the wire when the cable went never
// arrives, even once it is back.
TEST(LineFaults, APulledCableLosesWhatWasOnTheWire) {
    VirtualClock clock;
    SimRadio radio;
    SimPort port(clock, &radio);
    std::string error;
    port.SetLineFaults({*ParseLineFault("late:3000@to-program:0", error),
                        *ParseLineFault("pull:1000@to-radio:8", error)});
    ASSERT_TRUE(port.Open({}, error));
    for (const char c : std::string("PROGRAM\x02R")) port.WriteByte(static_cast<std::uint8_t>(c));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Open({}, error));
    EXPECT_EQ(error, "the programming cable is unplugged");
    clock.RunFor(Ms(1000));
    EXPECT_TRUE(port.Open({}, error));
    clock.RunFor(Ms(5000));
    EXPECT_EQ(port.BytesWaiting(), 0);  // the identification, due at 3 s
}

// zt790sim's terminal carries the cable's faults both ways.
TEST(LineFaults, ComeBetweenTheTerminalAndTheRadio) {
    SimRadio radio;
    PtyRadio pty(radio);
    std::string error;
    const std::string path = pty.Open(error);
    ASSERT_FALSE(path.empty()) << error;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    PtyRadioOptions options;
    options.line = {*ParseLineFault("flip:0x20@to-program:0", error),
                    *ParseLineFault("flip:0x20@to-radio:0", error)};
    volatile bool stop = false;
    std::thread serve([&] { pty.Run(options, stop, error); });
    ASSERT_EQ(::write(fd, "pROGRAM\x02", 8), 8);
    std::string got;
    pollfd ready{fd, POLLIN, 0};
    char buffer[16];
    while (got.size() < 9 && ::poll(&ready, 1, 5000) > 0)
        got.append(buffer, static_cast<std::size_t>(::read(fd, buffer, sizeof buffer)));
    stop = true;
    serve.join();
    ::close(fd);
    EXPECT_EQ(got.substr(0, 5), "zT790");
}

}  // namespace
}  // namespace zt
