// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated radio as a module of its own, for the stand-in serial port of
// the page's tests and benchmark: the same radio, faults included, that
// zt790sim and the native tests talk to.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "sim/sim_radio.h"

namespace {

using emscripten::val;
using zt::SimRadio;

// A copy of bytes, as a Uint8Array.
val Bytes(const std::uint8_t* data, std::size_t size) {
    return val(emscripten::typed_memory_view(size, data)).call<val>("slice");
}

void Load(SimRadio& radio, const std::string& bytes) {
    std::size_t i = 0;
    for (zt::ImageRow& row : radio.Memory()) {
        for (std::uint8_t& b : row)
            b = i < bytes.size() ? static_cast<std::uint8_t>(bytes[i++]) : 255;
    }
}

val Memory(const SimRadio& radio) {
    return Bytes(radio.Memory().data()->data(), sizeof(zt::Image));
}

// "" when the fault was added, otherwise why its text does not parse.
std::string AddFault(SimRadio& radio, const std::string& spec) {
    std::string error;
    const auto plan = zt::ParseFaultSpec(spec, error);
    if (plan) radio.AddFault(*plan);
    return error;
}

// null, or { bytes, delayMs }.
val Receive(SimRadio& radio, int byte) {
    const auto reply = radio.Receive(static_cast<std::uint8_t>(byte));
    if (!reply) return val::null();
    val answer = val::object();
    answer.set("bytes", Bytes(reply->bytes.data(), reply->bytes.size()));
    answer.set("delayMs", reply->delayMs);
    return answer;
}

}  // namespace

EMSCRIPTEN_BINDINGS(zt790_sim) {
    emscripten::class_<SimRadio>("SimRadio")
        .constructor<>()
        .function("load", &Load)
        .function("memory", &Memory)
        .function("addFault", &AddFault)
        .function("clearFaults", &SimRadio::ClearFaults)
        .function("receive", &Receive)
        .function("sessionsCompleted", &SimRadio::SessionsCompleted)
        .function("cablePulled", &SimRadio::CablePulled);
}
