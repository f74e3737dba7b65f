#include "sim/sim_radio.h"

#include <gtest/gtest.h>

#include "model/blank_image.h"

namespace zt {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds a frame; returns the answer to its last byte (earlier bytes must not answer).
std::optional<SimReply> Send(SimRadio& radio, const Bytes& frame) {
    for (std::size_t i = 0; i + 1 < frame.size(); ++i) {
        EXPECT_FALSE(radio.Receive(frame[i]).has_value()) << i;
    }
    return radio.Receive(frame.back());
}

const Bytes kProgram{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};

TEST(SimRadio, StartsBlankAndIdentifiesWithItsPowerValues) {
    SimRadio radio;
    EXPECT_EQ(radio.Memory(), BlankImage());
    const auto reply = Send(radio, kProgram);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->bytes, (Bytes{'Z', 'T', '7', '9', '0', 50, 100, 200, 0x02}));
    EXPECT_TRUE(radio.InProgrammingMode());
}

TEST(SimRadio, AnswersReadsAndStoresWritesOnlyInProgrammingMode) {
    SimRadio radio;
    EXPECT_FALSE(Send(radio, {'R', 0x0F, 0x00, 0x10}));  // not yet programming
    ASSERT_TRUE(Send(radio, kProgram));
    EXPECT_FALSE(radio.Receive(0x06));
    auto reply = Send(radio, {'R', 0x0F, 0x00, 0x10});
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->bytes.size(), 21u);
    EXPECT_EQ(Bytes(reply->bytes.begin() + 5, reply->bytes.end()),
              Bytes(radio.Memory()[240].begin(), radio.Memory()[240].end()));

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
}

TEST(SimRadio, TheAcknowledgementOfBlock253EndsARead) {
    SimRadio radio;
    ASSERT_TRUE(Send(radio, kProgram));
    ASSERT_TRUE(Send(radio, {0x06, 'R', 0x0F, 0xD0, 0x10}));
    EXPECT_EQ(radio.SessionsCompleted(), 0);
    EXPECT_FALSE(radio.Receive(0x06));
    EXPECT_EQ(radio.SessionsCompleted(), 1);
}

TEST(SimRadio, FaultsHitTheirFrameOnceOrAlways) {
    struct Case {
        const char* spec;
        Bytes frame;
        std::optional<Bytes> first;
        std::optional<Bytes> second;
        int delayMs = 0;
    };
    const Bytes ident{'Z', 'T', '7', '9', '0', 50, 100, 200, 0x02};
    const Bytes ack{0x06};
    const Bytes power{'g', 0x0F, 0x00, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Bytes block5Write{'W', 0x00, 0x50, 0x10};
    block5Write.resize(20, 0x33);
    const Case cases[] = {
        {"silent@ident", kProgram, std::nullopt, ident},
        {"silent@ident:always", kProgram, std::nullopt, std::nullopt},
        {"short@ident", kProgram, Bytes{'Z', 'T', '7', '9'}, ident},
        {"bad-ack@ident", kProgram, Bytes{'X', 'T', '7', '9', '0', 50, 100, 200, 2}, ident},
        {"noise@ident", kProgram, Bytes{0, 0, 0, 'Z', 'T', '7', '9', '0', 50, 100, 200, 2}, ident},
        {"delay@ident", kProgram, ident, ident, 1500},
        {"bad-ack@5:always", block5Write, Bytes{0x15}, Bytes{0x15}},
        {"short@5", block5Write, std::nullopt, ack},
        {"silent@power", power, std::nullopt, ack},
        {"silent@6", block5Write, ack, ack},  // another block is not hit
    };
    for (const Case& c : cases) {
        SimRadio radio;
        std::string error;
        const auto plan = ParseFaultSpec(c.spec, error);
        ASSERT_TRUE(plan) << c.spec << ": " << error;
        radio.AddFault(*plan);
        if (c.frame != kProgram) {
            ASSERT_TRUE(Send(radio, kProgram));
        }
        for (const auto& expected : {c.first, c.second}) {
            const auto reply = Send(radio, c.frame);
            ASSERT_EQ(reply.has_value(), expected.has_value()) << c.spec;
            if (expected) {
                EXPECT_EQ(reply->bytes, *expected) << c.spec;
            }
        }
        if (c.delayMs > 0) {
            radio.ClearFaults();
            radio.AddFault(*plan);
            EXPECT_EQ(Send(radio, c.frame)->delayMs, c.delayMs) << c.spec;
        }
    }
}

TEST(SimRadio, ANoStoreFaultAcknowledgesAWriteItDropsOnceOrAlways) {
    Bytes write{'W', 0x00, 0x50, 0x10};  // block 5
    write.resize(20, 0x33);
    for (const bool always : {false, true}) {
        SimRadio radio;
        const ImageRow before = radio.Memory()[5];
        std::string error;
        auto plan = ParseFaultSpec("no-store@5", error);
        ASSERT_TRUE(plan) << error;
        plan->always = always;
        radio.AddFault(*plan);
        ASSERT_TRUE(Send(radio, kProgram));
        EXPECT_EQ(Send(radio, write)->bytes, Bytes{0x06});
        EXPECT_EQ(radio.Memory()[5], before);
        EXPECT_EQ(Send(radio, write)->bytes, Bytes{0x06});
        EXPECT_EQ(radio.Memory()[5][0] == 0x33, !always);
    }
}

TEST(SimRadio, FaultSpecsThatDoNotParseSayWhy) {
    for (const char* spec : {"silent", "loud@3", "silent@256", "silent@-1", "silent@x", "@3"}) {
        std::string error;
        EXPECT_FALSE(ParseFaultSpec(spec, error)) << spec;
        EXPECT_FALSE(error.empty()) << spec;
    }
}

}  // namespace
}  // namespace zt
