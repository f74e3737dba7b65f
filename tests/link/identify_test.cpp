// SPDX-License-Identifier: GPL-3.0-or-later
// The identification check against the in-process radio: a radio that answers,
// one that is silent, one that answers something else, and a cable that sends
// the program's own bytes back.
#include <gtest/gtest.h>

#include "link_rig.h"

namespace zt::testing {
namespace {

using IdentifyCheck = LinkRig;

TEST_F(IdentifyCheck, TellsAnswerSilenceEchoAndGarbleApart) {
    const Bytes request{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x02};
    // The end byte 'E' only after the identification; no retry either way.
    const Lines answered{"15 sent 50 52 4F 47 52 41 4D 02", "15 sent 45", "15 closed",
                         "15 Completed"};
    const Lines unanswered{"15 sent 50 52 4F 47 52 41 4D 02", "1015 closed", "1015 Failed"};
    const struct {
        const char* fault;  // nullptr: a healthy radio
        bool echo;          // no radio: the line brings the request back
        IdentifyReply reply;
        char firstHeard;  // 0: nothing heard
    } cases[] = {
        {nullptr, false, IdentifyReply::Identified, 'Z'},
        {"silent@ident:always", false, IdentifyReply::Silent, 0},
        {"bad-ack@ident:always", false, IdentifyReply::Garbled, 'X'},
        {nullptr, true, IdentifyReply::Echo, 'P'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault ? c.fault : c.echo ? "echo" : "healthy");
        radio = SimRadio{PatternImage()};
        if (c.fault) AddFault(c.fault);
        Make(LinkMode::Identify, c.echo);
        ASSERT_EQ(link->Start(), StartResult::Started);
        if (c.echo) {
            clock.RunFor(Ms(15));
            sim->Inject(request);
        }
        ASSERT_TRUE(RunUntilFinished());
        clock.RunFor(Ms(10'000));
        const bool identified = c.reply == IdentifyReply::Identified;
        EXPECT_EQ(log.Only({"sent", "closed", "Completed", "Failed"}),
                  identified ? answered : unanswered);
        EXPECT_EQ(link->IdentifyResult(), c.reply);
        const Bytes heard = link->Heard();
        EXPECT_EQ(heard.empty() ? 0 : heard[0], c.firstHeard);
        if (c.echo) {
            EXPECT_EQ(heard, request);
        }
        // The end byte took the radio out of programming mode, with nothing stored.
        EXPECT_EQ(radio.SessionsCompleted(), identified ? 1 : 0);
        EXPECT_EQ(radio.Memory(), PatternImage());
    }
}

}  // namespace
}  // namespace zt::testing
