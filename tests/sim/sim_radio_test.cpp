// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"

namespace zt {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds a frame; returns the answer to its last byte (earlier bytes must not answer).
std::optional<SimReply> Send(SimRadio& radio, const Bytes& frame) {
    for (std::size_t i = 0; i + 1 < frame.size(); ++i)
        EXPECT_FALSE(radio.Receive(frame[i]).has_value()) << i;
    return radio.Receive(frame.back());
}

const Bytes kProgram{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};
const Bytes kIdent{'Z', 'T', '7', '9', '0', 50, 100, 200, 0x02};
const Bytes kRead240{'R', 0x0F, 0x00, 0x10};
// A frame that starts with these bytes, filled up to its size.
Bytes Frame(Bytes head, std::size_t size, std::uint8_t fill) {
    head.resize(size, fill);
    return head;
}
// The blank radio's answer: the power row 50 100 200 and erased bytes.
const Bytes kReply240 = Frame({'R', 0x0F, 0x00, 0x10, 0x00, 50, 100, 200}, 21, 255);
const Bytes kWrite5 = Frame({'W', 0x00, 0x50, 0x10}, 20, 0x33);

TEST(SimRadio, IdentifiesThenAnswersReadsAndStoresWritesOnlyInProgrammingMode) {
    SimRadio radio;
    EXPECT_EQ(radio.Memory(), BlankImage());
    EXPECT_FALSE(Send(radio, kRead240));  // not yet programming
    const auto ident = Send(radio, kProgram);
    ASSERT_TRUE(ident);
    EXPECT_EQ(ident->bytes, kIdent);  // with the power values of block 240
    EXPECT_TRUE(radio.InProgrammingMode());
    EXPECT_FALSE(radio.Receive(0x06));
    auto reply = Send(radio, kRead240);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes, kReply240);

    Bytes write{'W', 0x01, 0x20, 0x10};  // block 18
    for (int i = 0; i < 16; ++i) write.push_back(static_cast<std::uint8_t>(i == 3 ? 'E' : 6));
    reply = Send(radio, write);  // data bytes that look like commands stay data
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes, Bytes{0x06});
    EXPECT_EQ(radio.Memory()[18][3], 'E');
    EXPECT_EQ(radio.SessionsCompleted(), 0);
    EXPECT_FALSE(radio.Receive('E'));
    EXPECT_EQ(radio.SessionsCompleted(), 1);
    EXPECT_FALSE(radio.InProgrammingMode());

    // The acknowledgement of block 253 ends a read.
    ASSERT_TRUE(Send(radio, kProgram));
    ASSERT_TRUE(Send(radio, {0x06, 'R', 0x0F, 0xD0, 0x10}));
    EXPECT_FALSE(radio.Receive(0x06));
    EXPECT_EQ(radio.SessionsCompleted(), 2);
}

TEST(SimRadio, FaultsHitTheirFrameOnceOrAlways) {
    const Bytes ack{0x06};
    const Bytes power{'g', 0x0F, 0x00, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Bytes corrupted = kReply240;
    corrupted[7] ^= 0x01;  // data byte 2: a change no checksum of the protocol can see
    const struct {
        const char* spec;
        Bytes frame;
        std::optional<Bytes> first, second;
        int delayMs = 0;
    } cases[] = {
        {"silent@ident", kProgram, std::nullopt, kIdent},
        {"silent@ident:always", kProgram, std::nullopt, std::nullopt},
        {"short@ident", kProgram, Bytes{'Z', 'T', '7', '9'}, kIdent},
        {"bad-ack@ident", kProgram, Bytes{'X', 'T', '7', '9', '0', 50, 100, 200, 2}, kIdent},
        {"noise@ident", kProgram, Bytes{0, 0, 0, 'Z', 'T', '7', '9', '0', 50, 100, 200, 2}, kIdent},
        {"delay@ident", kProgram, kIdent, kIdent, 1500},
        {"bad-ack@5:always", kWrite5, Bytes{0x15}, Bytes{0x15}},
        {"short@5", kWrite5, std::nullopt, ack},
        {"silent@power", power, std::nullopt, ack},
        {"silent@6", kWrite5, ack, ack},  // another block is not hit
        {"corrupt@240", kRead240, corrupted, kReply240},
        {"pull@5", kWrite5, std::nullopt, std::nullopt},  // and nothing ever after
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spec);
        SimRadio radio;
        std::string error;
        auto plan = ParseFaultSpec(c.spec, error);
        ASSERT_TRUE(plan) << error;
        plan->corruptByte = 2;
        radio.AddFault(*plan);
        if (c.frame != kProgram) {
            ASSERT_TRUE(Send(radio, kProgram));
        }
        for (int i = 0; i < 2; ++i) {
            const auto& expected = i == 0 ? c.first : c.second;
            const auto reply = Send(radio, c.frame);
            ASSERT_EQ(reply.has_value(), expected.has_value());
            if (expected) {
                EXPECT_EQ(reply->bytes, *expected);
                EXPECT_EQ(reply->delayMs, i == 0 ? c.delayMs : 0);
            }
        }
        EXPECT_EQ(radio.CablePulled(), std::string_view(c.spec).starts_with("pull"));
        // Neither a pulled cable's write nor a corrupted read changes the memory.
        if (radio.CablePulled() || c.frame == kRead240) {
            EXPECT_EQ(radio.Memory(), BlankImage());
        }
    }
}

// A no-store fault (acknowledged, not stored) is caught by the verified write
// of the zt790ctl tests.
TEST(SimRadio, FaultSpecsThatDoNotParseSayWhy) {
    for (const char* spec : {"silent", "loud@3", "silent@256", "silent@-1", "silent@x", "@3"}) {
        std::string error;
        EXPECT_FALSE(ParseFaultSpec(spec, error)) << spec;
        EXPECT_FALSE(error.empty()) << spec;
    }
    std::string error;
    EXPECT_FALSE(ParseFaultSpec("vanish@3", error));
    EXPECT_EQ(error,
              "unknown fault 'vanish' (silent, short, bad-ack, noise, delay, no-store, corrupt or "
              "pull)");
}

}  // namespace
}  // namespace zt
