// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange_support.h"

#include "qtio/qt_link_timers.h"
#include "qtio/qt_serial_port.h"

namespace zt {

LinkDevices SerialLinkDevices() {
    return LinkDevices{std::make_unique<QtSerialPort>(), std::make_unique<QtLinkTimers>()};
}

}  // namespace zt
