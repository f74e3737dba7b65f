// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The serial link state machine shared by the read, write and power exchanges.
//
// One SerialLink runs one kind of exchange for one window. It is fed by two kinds
// of event, both on the caller's single thread: timer ticks (OnTimer) and
// "bytes arrived" (OnBytesArrived); it hooks itself to the Port's receive
// handler and the LinkTimers' tick handler when constructed. It sends frames
// through the Port, keeps the documented link variables (Vars()), and reports
// to an ExchangeObserver.
//
// Using it from a window:
//   zt::SerialLink link(zt::LinkMode::Read, app, port, timers, observer);
//   link.Start();                 // the Read / Write button
//   if (link.Cancel()) close();   // the Cancel button: refused while busy
//   link.Abort();                 // the window goes away: timers stop, port closes
// The power window calls Connect() when it opens, SetPowerLevel() when a bar
// moves and ClosePower() for its Close button. The connection check starts an
// Identify link and reads IdentifyResult() once it has finished.
//
// A Port and a LinkTimers serve one SerialLink at a time: the link hooks their
// handlers when constructed and unhooks them when destroyed, so destroy the old
// link before making a new one over the same objects.
//
// What an interrupted exchange leaves: a read copies the received blocks into
// the image only after the last one, so a cancelled, aborted or failed read
// never changes it; a write leaves the radio with the blocks it acknowledged.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/exchange_observer.h"
#include "link/port.h"
#include "link/timer.h"
#include "model/app_state.h"

namespace zt {

// Identify: one programming request, the identification, then the end byte;
// no read or write frame, no retry (the connection check).
enum class LinkMode { Read, Write, Power, Identify };

// What came back to an Identify link's programming request.
enum class IdentifyReply {
    Pending,     // not finished yet
    Identified,  // the radio's identification, as a read or write takes it
    Silent,      // nothing within the reply time-out
    Echo,        // only the programming request itself: the cable loops back
    Garbled,     // bytes, but not the identification
};

enum class LinkState {
    Idle,          // port closed (or power link not up), nothing running
    Connecting,    // programming request sent, waiting for the identification
    Transferring,  // link up, a frame out or a reply awaited
    Pausing,       // a reply timed out; the port is closed until the retry
    Completed,     // read or write finished
    Ready,         // power link up and idle, port open
};

inline constexpr int kPumpMs = 15;
inline constexpr int kByteReplyMs = 2000;
inline constexpr int kReplyMs = 1000;
inline constexpr int kPauseMs = 5000;
inline constexpr int kRetries = 3;
inline constexpr int kReadCloseCheckMs = 200;
inline constexpr int kWriteCloseDelayMs = 500;
inline constexpr int kPowerWatchdogMs = 500;
inline constexpr int kReadBlocks = 254;
inline constexpr int kWriteBlocks = 240;
inline constexpr std::size_t kIdentifyHeardMax = 64;

// The per-window link variables, under the names the exchanges use.
struct LinkVars {
    std::array<std::uint8_t, 201> TxFrame{};
    int TxLength = 0;
    int TxIndex = 0;
    bool TxDone = false;
    std::array<std::uint8_t, 2001> RxBytes{};
    bool WriteMode = false;
    bool LinkUp = false;
    bool Busy = false;
    bool Finished = false;
    int Retries = 0;
    int BlockIndex = 0;
    int BlockCount = 0;
};

enum class StartResult {
    Started,      // handshake under way
    Busy,         // an exchange is already running (busy message shown)
    PortFailed,   // the port would not open (port message shown)
    CheckFailed,  // a write stopped by a frequency-limit check (message shown)
};

class SerialLink {
  public:
    SerialLink(LinkMode mode, AppState& app, Port& port, LinkTimers& timers,
               ExchangeObserver& observer);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // The Read / Write button. A write first completes the derived rows of the
    // image and runs both frequency-limit checks.
    StartResult Start();
    // The Cancel button. While an exchange is busy it shows the "don't close"
    // message and returns false; otherwise it stops everything, closes the port
    // and returns true (the window may close).
    [[nodiscard]] bool Cancel();
    // Stops everything without a message or event: timers stop, the port closes
    // (a power link first sends its end byte). Safe to call at any time.
    void Abort();

    // Power window: connect when it opens (starts the 500 ms watchdog).
    StartResult Connect();
    // Power window: bar `level` (0 low, 1 mid, 2 high) moved to `value` (0..255).
    // Stores it in row 240 and, while the link is up, sends the power frame at
    // once, without waiting for the previous one to be acknowledged. Returns
    // false for a level or value out of range (nothing changes).
    bool SetPowerLevel(int level, int value);
    // Power window: the Close button.
    void ClosePower();
    // Write mode: send the image exactly as it is, without completing the
    // derived rows or checking the limits; restoring a radio's own memory must
    // put back every byte it held.
    void SendImageAsIs() { sendAsIs_ = true; }

    // Events.
    void OnBytesArrived();
    void OnTimer(LinkTimer timer);

    [[nodiscard]] LinkMode Mode() const { return mode_; }
    [[nodiscard]] LinkState State() const { return state_; }
    [[nodiscard]] const LinkVars& Vars() const { return v_; }
    // The system's reason for the last failed port opening.
    [[nodiscard]] const std::string& LastPortError() const { return lastPortError_; }
    // Busy, or waiting out the pause before a retry.
    [[nodiscard]] bool InProgress() const;
    // Identify link: the verdict, and every byte heard after the request (at
    // most kIdentifyHeardMax).
    [[nodiscard]] IdentifyReply IdentifyResult() const { return identifyResult_; }
    [[nodiscard]] const std::vector<std::uint8_t>& Heard() const { return heard_; }

  private:
    // Shared machinery.
    void OpenPort();
    void StartHandshake();
    void StartSend();
    // Puts a block frame into TxFrame from `at` on: the command, the block's
    // address and length, then the block's 16 bytes when `row` is given; the
    // frame ends there (TxLength).
    void PutBlockFrame(std::size_t at, std::uint8_t command, int block,
                       const ImageRow* row = nullptr);
    // Sends the first frame of a transfer, after which `blockIndex` counts.
    void SendFirstFrame(int blockIndex);
    void OnPumpTick();
    void OnReplyTimeout();
    void OnRetryPause();
    void OnCloseTick();
    // No answer after the last retry, or the port gone: the failure message.
    void FailExchange();
    void DispatchOnce();
    void ReceiveIdentification();
    void StopTransferTimers();
    void ShowMessage(LinkMessageKind kind, const BiText& text);
    // Tells the observer a step of a read or write (the power link has none).
    void Step(LinkStep::Kind kind, int number = 0, int count = 0);
    // The attempt under way, from 1 to kRetries + 1.
    [[nodiscard]] int Attempt() const { return kRetries - v_.Retries + 1; }
    void PortFailed();

    // Read exchange.
    bool ReceiveReadReply();
    void SendFirstReadRequest();
    void OnReadBlock();
    void CompleteRead();

    // Write exchange.
    [[nodiscard]] bool PrepareWrite();
    void SendFirstWriteFrame();
    void OnWriteAck();
    void CompleteWrite();

    // Identify exchange.
    void ReceiveIdentifyBytes();
    void EndIdentify(IdentifyReply reply);

    // Power exchange.
    void PowerLinkUp();
    void SendPowerFrame();
    void OnPowerAck();
    void EndPower();

    LinkMode mode_;
    AppState& app_;
    Port& port_;
    LinkTimers& timers_;
    ExchangeObserver& observer_;
    LinkVars v_;
    LinkState state_ = LinkState::Idle;
    std::string lastPortError_;
    IdentifyReply identifyResult_ = IdentifyReply::Pending;
    std::vector<std::uint8_t> heard_;
    bool sendAsIs_ = false;
};

}  // namespace zt
