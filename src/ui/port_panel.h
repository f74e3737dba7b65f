// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status panel of the serial port. A port chosen by path shows its whole
// name; when the panel is too narrow only the folders are shortened, from the
// left ("…/ttyUSB0"), and the panel never gets narrower than that.

#include <QLabel>
#include <QString>

namespace zt {

class PortPanel final : public QLabel {
  public:
    using QLabel::QLabel;
    // "COM1" or a device path; the path is also the panel's tool tip.
    void setPort(const QString& port);
    [[nodiscard]] const QString& port() const { return port_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fit();
    QString port_;
};

}  // namespace zt
