// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_Adjust_Txp: tunes the radio's three transmit power levels live. Opening
// the window connects to the radio; its identification brings the current low,
// mid and high values, which the bars show without sending anything. From then
// on every move of a bar stores the value in image row 240 and sends that row at
// once. Close ends the adjustment (the radio gets its end byte); a lost link
// closes the window by itself, without a message.

#include <QWidget>
#include <array>
#include <memory>

#include "link/exchange_observer.h"
#include "link/serial_link.h"
#include "ui/exchange_support.h"
#include "ui/window_support.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace zt {

struct AppState;
class MessagePresenter;

class PowerAdjustWindow : public QWidget, public ExchangeObserver {
    Q_OBJECT
  public:
    static constexpr int kLevels = 3;  // low, mid, high

    PowerAdjustWindow(AppState& state, MessagePresenter& presenter, LinkDevices devices,
                      QWidget* parent = nullptr);
    ~PowerAdjustWindow() override;

    // Connects to the radio; the main window calls it once the window shows.
    void connectToRadio();
    // Command_Close.
    void closeAdjustment();

    [[nodiscard]] const SerialLink& link() const { return *link_; }
    [[nodiscard]] QScrollBar* bar(int level) const {
        return bars_.at(static_cast<std::size_t>(level));
    }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnMessage(const LinkMessage& message) override;
    void OnPowerValues(int low, int mid, int high) override;
    void OnCloseDue() override;

    void barMoved(int level, int value);
    void closeWhenIdle();

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    LinkCallDepth depth_;
    bool ended_ = false;
    std::array<QScrollBar*, kLevels> bars_{};
    std::array<QLabel*, kLevels> values_{};
    std::array<QLabel*, kLevels> captions_{};
    QPushButton* close_;
    QPushButton* help_;
    LinkDevices devices_;
    std::unique_ptr<SerialLink> link_;
};

}  // namespace zt
