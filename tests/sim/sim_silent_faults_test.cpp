// A fault a protocol without checksum cannot see: a read byte changed on the way.
#include <gtest/gtest.h>

#include "sim/sim_radio.h"

namespace zt {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::optional<SimReply> Send(SimRadio& radio, const Bytes& frame) {
    std::optional<SimReply> reply;
    for (const std::uint8_t b : frame) reply = radio.Receive(b);
    return reply;
}

void Program(SimRadio& radio) {
    ASSERT_TRUE(Send(radio, {'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02}));
    (void)radio.Receive(0x06);
}

TEST(SimSilentFaults, ACorruptReadChangesOneDataByteOnce) {
    std::string error;
    auto plan = ParseFaultSpec("corrupt@240", error);
    ASSERT_TRUE(plan) << error;
    EXPECT_EQ(plan->kind, FaultKind::CorruptRead);
    plan->corruptByte = 2;
    SimRadio radio;
    radio.AddFault(*plan);
    Program(radio);
    const ImageRow stored = radio.Memory()[240];

    auto reply = Send(radio, {'R', 0x0F, 0x00, 0x10});
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->bytes.size(), 21u);
    for (int k = 0; k < 16; ++k) {
        const std::uint8_t expected =
            k == 2 ? stored[2] ^ 0x01 : stored[static_cast<std::size_t>(k)];
        EXPECT_EQ(reply->bytes[5 + static_cast<std::size_t>(k)], expected) << k;
    }
    EXPECT_EQ(radio.Memory()[240], stored);  // the memory itself is intact
    (void)radio.Receive(0x06);
    reply = Send(radio, {'R', 0x0F, 0x00, 0x10});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes[7], stored[2]);
}

TEST(SimSilentFaults, TheKindIsNamedWhenASpecIsWrong) {
    std::string error;
    EXPECT_FALSE(ParseFaultSpec("vanish@3", error));
    EXPECT_EQ(error,
              "unknown fault 'vanish' (silent, short, bad-ack, noise, delay, no-store or corrupt)");
}

}  // namespace
}  // namespace zt
