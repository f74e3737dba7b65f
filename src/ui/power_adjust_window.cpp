// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/power_adjust_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/bitext.h"
#include "model/power_levels.h"
#include "ui/accessible_names.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Power Adjust", "发射功率调整"};
constexpr BiText kClose{"Close", "关闭"};
constexpr BiText kHelp{"Help", "帮助"};
constexpr const char* kBarNames[] = {"HScroll_L", "HScroll_M", "HScroll_H"};
constexpr const char* kValueNames[] = {"Label_L", "Label_M", "Label_H"};
constexpr const char* kCaptionNames[] = {"Label_Low", "Label_Mid", "Label_High"};

constexpr int kCloseRetryMs = 20;

}  // namespace

PowerAdjustWindow::PowerAdjustWindow(AppState& state, MessagePresenter& presenter,
                                     LinkDevices devices, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      open_(&state.Windows.AdjustIsOpen),
      close_(new QPushButton(this)),
      help_(new QPushButton(this)),
      devices_(std::move(devices)),
      link_(std::make_unique<SerialLink>(LinkMode::Power, state, *devices_.port, *devices_.timers,
                                         *this)) {
    const bool chinese = state_.LanguageChinese;
    setObjectName("Form_Adjust_Txp");
    setWindowTitle(qs(kTitle, chinese));

    auto* grid = new QGridLayout;
    for (int level = 0; level < kLevels; ++level) {
        const auto i = static_cast<std::size_t>(level);
        auto* caption = new QLabel(qs(kPowerLevelCaptions[i], chinese), this);
        caption->setObjectName(kCaptionNames[i]);
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(kBarNames[i]);
        bar->setRange(0, 255);
        bar->setPageStep(16);
        // A tab stop, so the arrow keys trim a level as finely as the mouse;
        // Right raises it (a scroll bar's keys run the other way by default).
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setInvertedControls(false);
        auto* value = new QLabel(QStringLiteral("0"), this);
        value->setObjectName(kValueNames[i]);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        nameControls({{bar, caption}});  // what a screen reader calls it
        grid->addWidget(caption, level, 0);
        grid->addWidget(bar, level, 1);
        grid->addWidget(value, level, 2);
        bars_[i] = bar;
        values_[i] = value;
        captions_[i] = caption;
        connect(bar, &QScrollBar::valueChanged, this, [this, level](int v) { barMoved(level, v); });
    }
    grid->setColumnStretch(1, 1);

    close_->setObjectName("Command_Close");
    close_->setText(qs(kClose, chinese));
    help_->setObjectName("Command_Help");
    help_->setText(qs(kHelp, chinese));  // the main window ties it to the manual
    connect(close_, &QPushButton::clicked, this, &PowerAdjustWindow::closeAdjustment);

    // Tab walks the levels from the top, then the buttons.
    QWidget* const order[] = {bars_[0], bars_[1], bars_[2], close_, help_};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    bars_[0]->setFocus();  // the window opens on the first level

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    buttons->addWidget(help_);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
}

PowerAdjustWindow::~PowerAdjustWindow() { link_.reset(); }

void PowerAdjustWindow::connectToRadio() {
    const LinkCallDepth::Scope scope(depth_);
    (void)link_->Connect();
}

void PowerAdjustWindow::barMoved(int level, int value) {
    values_[static_cast<std::size_t>(level)]->setText(QString::number(value));
    if (ended_) return;
    const LinkCallDepth::Scope scope(depth_);
    link_->SetPowerLevel(level, value);
}

void PowerAdjustWindow::closeAdjustment() {
    if (!ended_) {
        const LinkCallDepth::Scope scope(depth_);
        link_->ClosePower();  // reports the end, which closes the window
        return;
    }
    closeWhenIdle();
}

void PowerAdjustWindow::closeWhenIdle() {
    if (depth_.inside()) {
        QTimer::singleShot(kCloseRetryMs, this, &PowerAdjustWindow::closeWhenIdle);
        return;
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void PowerAdjustWindow::closeEvent(QCloseEvent* event) {
    if (depth_.inside()) {
        event->ignore();
        return;
    }
    // However the window goes, the radio is told the adjustment has ended.
    if (!ended_) {
        const LinkCallDepth::Scope scope(depth_);
        link_->ClosePower();
    }
    open_.release();
    event->accept();
}

void PowerAdjustWindow::OnMessage(const LinkMessage& message) {
    const LinkCallDepth::Scope scope(depth_);
    ShowLinkMessage(presenter_, message, state_, devices_);
}

void PowerAdjustWindow::OnPowerValues(int low, int mid, int high) {
    // Setting the bars runs their change steps; the link is not up yet, so they
    // only store the values again.
    const int values[kLevels] = {low, mid, high};
    for (int level = 0; level < kLevels; ++level) {
        bars_[static_cast<std::size_t>(level)]->setValue(values[level]);
    }
}

void PowerAdjustWindow::OnCloseDue() {
    ended_ = true;
    QTimer::singleShot(0, this, &PowerAdjustWindow::closeWhenIdle);
}

}  // namespace zt
