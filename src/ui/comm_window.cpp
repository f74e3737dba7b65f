// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/comm_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "model/app_state.h"
#include "model/bitext.h"
#include "ui/accessible_names.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

struct CommCaptions {
    const char* windowName;
    const char* startName;
    BiText title;
    BiText start;
};

constexpr CommCaptions kReadCaptions{"Form_Comm_Read", "Command_read",
                                     BiText{"Read Data From Radio", "从对讲机读取数据"},
                                     BiText{"Read", "读取"}};
constexpr CommCaptions kWriteCaptions{"Form_Comm_Write", "Command_Write",
                                      BiText{"Write Data to Radio", "写数据到对讲机"},
                                      BiText{"Write", "写入"}};
constexpr BiText kCancel{"Cancel", "取消"};
constexpr BiText kHelp{"Help", "帮助"};

// How long a close that arrived inside a link call waits before trying again.
constexpr int kCloseRetryMs = 20;

}  // namespace

CommWindow::CommWindow(LinkMode mode, AppState& state, MessagePresenter& presenter,
                       LinkDevices devices, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      open_(mode == LinkMode::Write ? &state.Windows.CommWriteIsOpen
                                    : &state.Windows.CommReadIsOpen),
      status_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      start_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      help_(new QPushButton(this)),
      devices_(std::move(devices)),
      link_(std::make_unique<SerialLink>(mode, state, *devices_.port, *devices_.timers, *this)) {
    const CommCaptions& captions = mode == LinkMode::Write ? kWriteCaptions : kReadCaptions;
    const bool chinese = state_.LanguageChinese;
    setObjectName(captions.windowName);
    setWindowTitle(qs(captions.title, chinese));
    start_->setObjectName(captions.startName);
    start_->setText(qs(captions.start, chinese));
    cancel_->setObjectName("Command_Cancel");
    cancel_->setText(qs(kCancel, chinese));
    help_->setObjectName("Command_Help");
    help_->setText(qs(kHelp, chinese));  // the main window ties it to the manual
    status_->setObjectName("Label_tr_count");
    status_->setAlignment(Qt::AlignCenter);
    status_->setWordWrap(true);
    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setVisible(false);  // shown with the first value
    // A screen reader speaks the bar by the window's title, then its value.
    nameControls({{progress_, nullptr, windowTitle()}});

    connect(start_, &QPushButton::clicked, this, &CommWindow::start);
    connect(cancel_, &QPushButton::clicked, this, &CommWindow::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    buttons->addWidget(help_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(status_);
    layout->addWidget(progress_);
    layout->addStretch();
    layout->addLayout(buttons);
}

CommWindow::~CommWindow() {
    // Stops a run still in flight while the window's observer parts exist.
    link_.reset();
}

void CommWindow::start() {
    const LinkCallDepth::Scope scope(depth_);
    if (link_->Start() == StartResult::Started) written_ = state_.ChannelTable;
}

void CommWindow::cancel() {
    bool mayClose = false;
    {
        const LinkCallDepth::Scope scope(depth_);
        mayClose = link_->Cancel();
    }
    if (mayClose) closeWhenIdle();
}

void CommWindow::closeWhenIdle() {
    if (depth_.inside()) {
        QTimer::singleShot(kCloseRetryMs, this, &CommWindow::closeWhenIdle);
        return;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub) {
        sub->close();
    } else {
        close();
    }
}

void CommWindow::closeEvent(QCloseEvent* event) {
    const bool forced = std::exchange(forcedUnload_, false);
    if (depth_.inside()) {
        // Only reachable from a nested event loop of a message box the exchange
        // shows; the window stays until the exchange's call has returned.
        event->ignore();
        return;
    }
    if (forced) {
        link_->Abort();
    } else {
        bool mayClose = false;
        {
            const LinkCallDepth::Scope scope(depth_);
            mayClose = link_->Cancel();
        }
        if (!mayClose) {
            event->ignore();
            return;
        }
    }
    open_.release();
    event->accept();
}

void CommWindow::OnProgress(int percent) {
    progress_->setVisible(true);
    progress_->setValue(percent);
}

void CommWindow::OnStatus(const LinkText& label) {
    status_->setText(qs(label.in(state_.LanguageChinese)));
    progress_->setAccessibleDescription(status_->text());
}

void CommWindow::OnMessage(const LinkMessage& message) {
    const LinkCallDepth::Scope scope(depth_);
    ShowLinkMessage(presenter_, message, state_, devices_);
}

void CommWindow::OnFinished(ExchangeOutcome outcome) {
    // The port message names no port; the label says which one and why.
    if (outcome == ExchangeOutcome::PortFailed) status_->setText(qs(link_->LastPortError()));
    if (outcome == ExchangeOutcome::Completed) {
        emit exchangeCompleted(mode() == LinkMode::Write ? written_ : state_.ChannelTable);
    }
}

void CommWindow::OnCloseDue() {
    // Called from the link's own timer tick: the window goes once it has returned.
    QTimer::singleShot(0, this, &CommWindow::closeWhenIdle);
}

}  // namespace zt
