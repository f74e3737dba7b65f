// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange_support.h"

#include <unistd.h>

#include "model/app_state.h"
#include "doctor/braille_daemon.h"
#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"
#include "qtio/serial_ports.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

LinkDevices SerialLinkDevices() {
    return LinkDevices{std::make_unique<QtSerialPort>(), std::make_unique<QtLinkTimers>(),
                       SystemPortAdvice};
}

BiString SystemPortAdvice(int portNumber, const std::string& device) {
    const ResolvedPort resolved = ResolvePortChoice(portNumber, device);
    if (!resolved.ok || ::access(resolved.device.c_str(), F_OK) != 0)
        return BrailleDaemonAdvice(PortTrouble::Missing, "");
    // A port this user may not open is a matter of permissions, not of the daemon.
    if (::access(resolved.device.c_str(), R_OK | W_OK) != 0) return {};
    return BrailleDaemonAdvice(PortTrouble::Busy, resolved.device);
}

void ShowLinkMessage(MessagePresenter& presenter, const LinkMessage& message, const AppState& state,
                     const LinkDevices& devices) {
    const bool chinese = state.LanguageChinese;
    BiString advice;
    if (message.kind == LinkMessageKind::PortError && devices.portAdvice)
        advice = devices.portAdvice(state.ComPort, state.ComDevice);
    presenter.show(qs(message.text.in(chinese)), qs(message.title.in(chinese)),
                   qs(advice.in(chinese)));
}

}  // namespace zt
