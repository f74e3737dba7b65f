// SPDX-License-Identifier: GPL-3.0-or-later
// The link's receive path fed arbitrary radio bytes on the virtual clock. The
// input is a script: the first byte picks the exchange (read, write or power),
// then records of [pause in 8 ms steps][length][bytes] arrive one after the
// other. Whatever arrives, the exchange never crashes, ends within its retries
// once the bytes stop, and a read that does not complete leaves the image as
// it was.
#include <cstdint>
#include <vector>

#include "link/serial_link.h"
#include "model/app_state.h"
#include "model/startup.h"
#include "sim/sim_port.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_timers.h"

namespace {

struct Ends : zt::ExchangeObserver {
    void OnFinished(zt::ExchangeOutcome o) override {
        outcome = o;
        ++finished;
    }
    zt::ExchangeOutcome outcome = zt::ExchangeOutcome::Failed;
    int finished = 0;
};

// Four attempts of a whole read at its slowest plus the pauses, with room.
constexpr zt::VirtualClock::Micros kQuietEnd = zt::Ms(4 * (254 * 1015 + 6015) + 1000);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static zt::AppState app = [] {
        zt::AppState a;
        zt::StartUp(a);
        return a;
    }();
    app.ChannelTable = zt::Image{};
    for (auto& row : app.ChannelTable) row.fill(0xA5);
    // A write needs an image that passes its checks: the blank image's VFO and band.
    app.ChannelTable[zt::kVfoRow] = {80,  18,  32,  70,  0, 0,  0,   1,
                                     255, 255, 255, 255, 2, 32, 255, 255};
    app.ChannelTable[zt::kBandEdgeRow] = {0,   64,  0,   71,  255, 255, 255, 255,
                                          255, 255, 255, 255, 255, 255, 255, 255};
    for (int c = 1; c <= 128; ++c) app.ChannelTable[c].fill(255);

    const auto mode = static_cast<zt::LinkMode>(data[0] % 3);
    zt::VirtualClock clock;
    zt::SimPort port(clock);
    zt::VirtualTimers timers(clock);
    Ends ends;
    zt::SerialLink link(mode, app, port, timers, ends);
    const bool started = mode == zt::LinkMode::Power ? link.Connect() == zt::StartResult::Started
                                                     : link.Start() == zt::StartResult::Started;
    if (!started) __builtin_trap();
    const zt::Image before = app.ChannelTable;

    std::size_t i = 1;
    while (i + 2 <= size && ends.finished == 0) {
        const int pauseMs = 8 * data[i];
        std::size_t length = data[i + 1];
        i += 2;
        if (length > size - i) length = size - i;
        clock.RunFor(zt::Ms(pauseMs));
        if (mode == zt::LinkMode::Power && length >= 2 && data[i] == 0xFF) {
            link.SetPowerLevel(static_cast<int>(length % 3), data[i + 1]);  // a bar moves
        } else {
            port.Inject(std::vector<std::uint8_t>(data + i, data + i + length));
        }
        i += length;
        clock.RunFor(0);
    }
    if (mode == zt::LinkMode::Power && ends.finished == 0) link.ClosePower();
    if (!clock.RunUntil([&] { return ends.finished > 0; }, kQuietEnd)) __builtin_trap();
    if (ends.finished != 1) __builtin_trap();
    const auto& v = link.Vars();
    if (v.TxIndex > v.TxLength || v.TxLength > 21 || v.BlockIndex > 254) __builtin_trap();
    if (mode == zt::LinkMode::Read && ends.outcome != zt::ExchangeOutcome::Completed &&
        app.ChannelTable != before) {
        __builtin_trap();
    }
    return 0;
}
