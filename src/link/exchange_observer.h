// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a serial exchange tells the window (or zt790ctl) that runs it. Every call
// comes from inside SerialLink's event handlers, on the one thread that feeds it.
//
// Order of events:
//   read:  OnStatus("Connecting with transceiver. ") after a successful start;
//          per block OnProgress + OnStatus("Reading N Data Block");
//          at the end OnProgress(100), OnStatus("Read Data in gear. "),
//          OnMessage(ReadComplete), OnFinished(Completed), and about 200 ms
//          later OnCloseDue().
//   write: the same with "Writing  N  Data Block"; at the end
//          OnStatus("Complete writing Data "), OnFinished(Completed), and 500 ms
//          later OnCloseDue(). No message box.
//   power: OnPowerValues once the radio has answered; OnFinished(PowerEnded)
//          and OnCloseDue() when the link is lost or closed.
//   any:   after the last retry OnMessage(FailConnect), OnProgress(0),
//          OnStatus("Communication fault."), OnFinished(Failed). A port that
//          will not open gives OnMessage(PortError), then
//          OnFinished(PortFailed); the exchange is Idle and may be started again.
//
// OnMessage stands for a modal message box: the exchange continues only after
// it returns. The observer must not destroy the SerialLink from inside a
// callback; defer that (for example with a queued call) until it returns.

#include "link/link_texts.h"

namespace zt {

// The same course of a read or write as OnStatus tells it, as values, for a
// caller that words it itself (zt790ctl). It also tells what the windows do not
// show: each retry, and the attempts made when the exchange fails.
struct LinkStep {
    enum class Kind {
        Connecting,  // the programming request is going out (again, after a retry)
        Reading,     // block `number` of `count` (from 1) is requested
        Writing,     // block `number` of `count` (from 1) is sent
        ReadDone,    // all `count` blocks read
        WriteDone,   // all `count` blocks written
        Retrying,    // no answer: attempt `number` of `count` follows the pause
        NoAnswer,    // no answer to the last of `count` attempts
        LineLost,    // the port closed under the exchange
    };
    Kind kind = Kind::Connecting;
    int number = 0;
    int count = 0;
    friend bool operator==(const LinkStep&, const LinkStep&) = default;
};

enum class ExchangeOutcome {
    Completed,   // read or write finished; a read has replaced image rows 0..253
    Failed,      // no answer after the retries; the image is untouched
    PortFailed,  // the port would not open; nothing was sent
    PowerEnded,  // the power link ended (closed, or lost)
};

class ExchangeObserver {
  public:
    virtual ~ExchangeObserver() = default;

    // ProgressBar1: 0..100 (the bar becomes visible with the first value).
    virtual void OnProgress(int /*percent*/) {}
    // Label_tr_count.
    virtual void OnStatus(const LinkText& /*label*/) {}
    // The step of a read or write, after the OnProgress and OnStatus that go with it.
    virtual void OnStep(const LinkStep& /*step*/) {}
    // A message box; returns when the user has dismissed it.
    virtual void OnMessage(const LinkMessage& /*message*/) {}
    // The radio's low, mid and high power values (row 240 fields 0..2), shown on
    // the bars. Bar changes made from inside this call send nothing.
    virtual void OnPowerValues(int /*low*/, int /*mid*/, int /*high*/) {}
    virtual void OnFinished(ExchangeOutcome /*outcome*/) {}
    // The window should unload now.
    virtual void OnCloseDue() {}
};

}  // namespace zt
