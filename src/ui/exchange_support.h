// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the read, write and power windows share: the serial port and timers each
// exchange runs over, how the main window stops an exchange in flight when it
// reopens the window, and a guard against unloading a window from inside its own
// link's events.

#include <functional>
#include <memory>
#include <string>

#include "link/link_texts.h"
#include "link/port.h"
#include "link/timer.h"
#include "model/bitext.h"

namespace zt {

struct AppState;
class MessagePresenter;

// What this machine says about a port that would not open (port number 1..8,
// or the device path when one was given): advice on a cause the user can
// remove, such as a cable the braille display daemon took; empty when there is
// none.
using PortAdvice = std::function<BiString(int portNumber, const std::string& device)>;

// The port and the four timers of one exchange window. The running program uses
// a serial port and Qt timers; tests put the simulated radio in their place.
struct LinkDevices {
    std::unique_ptr<Port> port;
    std::unique_ptr<LinkTimers> timers;
    PortAdvice portAdvice = {};  // may be empty: no advice
};
using LinkDevicesFactory = std::function<LinkDevices()>;

// A serial port over QSerialPort and timers over QTimer, with SystemPortAdvice.
[[nodiscard]] LinkDevices SerialLinkDevices();

// The advice this machine gives: a missing port, or a busy one, explained by
// the braille display daemon.
[[nodiscard]] BiString SystemPortAdvice(int portNumber, const std::string& device);

// Shows a message of an exchange. The port message keeps its own text; the
// advice of `devices`, when there is any, goes below it as a secondary text.
void ShowLinkMessage(MessagePresenter& presenter, const LinkMessage& message, const AppState& state,
                     const LinkDevices& devices);

// A window whose unloading by a main-window command must not be refused: it stops
// its work at once (timers stopped, port closed) and lets itself be closed.
class ForcedUnload {
  public:
    virtual ~ForcedUnload() = default;
    virtual void prepareForcedUnload() = 0;
};

// Counts how deep the window is inside its link's calls. A message box shown
// from an exchange event runs a nested event loop; a window must not be deleted
// from there, or the link would return into freed memory.
class LinkCallDepth {
  public:
    class Scope {
      public:
        explicit Scope(LinkCallDepth& depth) : depth_(depth) { ++depth_.depth_; }
        ~Scope() { --depth_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        LinkCallDepth& depth_;
    };
    [[nodiscard]] bool inside() const { return depth_ > 0; }

  private:
    int depth_ = 0;
};

}  // namespace zt
