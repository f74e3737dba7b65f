// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/comm_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "link/link_texts.h"
#include "model/app_state.h"
#include "model/bitext.h"
#include "ui/accessible_names.h"
#include "ui/announcer.h"
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
constexpr BiText kKeepBackup{"Keep a backup of the radio first", "先保存对讲机数据备份"};
constexpr BiText kReadBack{"Read back and compare", "写入后读回核对"};
constexpr BiText kWriteAgain{"Write Again", "重新写入"};
constexpr BiText kRestore{"Restore Backup", "恢复备份"};

// How long a close that arrived inside a link call waits before trying again.
constexpr int kCloseRetryMs = 20;

}  // namespace

CommWindow::CommWindow(LinkMode mode, AppState& state, MessagePresenter& presenter,
                       LinkDevices devices, std::function<void()> remember, QWidget* parent)
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
      mode_(mode),
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
    if (mode == LinkMode::Write) addSafeguards(layout, buttons, std::move(remember));
}

CommWindow::~CommWindow() {
    // Stops a run still in flight while the window's observer parts and the
    // port and timers it runs over exist.
    delete safe_;
    link_.reset();
}

void CommWindow::addSafeguards(QBoxLayout* layout, QHBoxLayout* buttons,
                               std::function<void()> remember) {
    const bool chinese = state_.LanguageChinese;
    writeAgain_ = new QPushButton(qs(kWriteAgain, chinese), this);
    writeAgain_->setObjectName("Command_WriteAgain");
    restore_ = new QPushButton(qs(kRestore, chinese), this);
    restore_->setObjectName("Command_Restore");
    // After the window's own buttons; shown when the radio needs one of them.
    for (QPushButton* b : {writeAgain_, restore_}) {
        b->hide();
        buttons->insertWidget(buttons->count() - 1, b);
    }
    keepBackup_ = new QCheckBox(qs(kKeepBackup, chinese), this);
    keepBackup_->setObjectName("Check_backup");
    keepBackup_->setChecked(state_.WriteKeepsBackup);
    readBack_ = new QCheckBox(qs(kReadBack, chinese), this);
    readBack_->setObjectName("Check_verify");
    readBack_->setChecked(state_.WriteReadsBack);
    auto* options = new QHBoxLayout;
    options->addStretch();
    options->addWidget(keepBackup_);
    options->addWidget(readBack_);
    options->addStretch();
    layout->addLayout(options);
    auto changed = [this, remember = std::move(remember)] {
        state_.WriteKeepsBackup = keepBackup_->isChecked();
        state_.WriteReadsBack = readBack_->isChecked();
        if (remember) remember();
    };
    connect(keepBackup_, &QCheckBox::toggled, this, changed);
    connect(readBack_, &QCheckBox::toggled, this, changed);

    safe_ = new SafeWrite(state_, presenter_, devices_, depth_, this);
    safe_->sourceFile = [this] { return imageFile ? utf8(imageFile()) : std::string(); };
    connect(safe_, &SafeWrite::progressChanged, this, &CommWindow::OnProgress);
    connect(safe_, &SafeWrite::statusChanged, this, [this](const QString& text) {
        status_->setText(text);
        progress_->setAccessibleDescription(text);
    });
    // The bar names the phase; the label keeps the link's own words.
    connect(safe_, &SafeWrite::phaseChanged, this, [this](const QString& phase) {
        progress_->setFormat(phase.isEmpty() ? QStringLiteral("%p%") : phase + " (%p%)");
        if (!phase.isEmpty()) progress_->setAccessibleDescription(phase);
    });
    connect(safe_, &SafeWrite::imageWritten, this, &CommWindow::exchangeCompleted);
    connect(safe_, &SafeWrite::ended, this, [this](bool done, bool repair) {
        announce(this, status_->text());
        if (!done) ensureLink();
        writeAgain_->setVisible(repair);
        restore_->setVisible(repair && safe_->hasBackup());
    });
    connect(safe_, &SafeWrite::closeDue, this, &CommWindow::closeWhenIdle);
    connect(writeAgain_, &QPushButton::clicked, this,
            [this] { runSafeWrite(SafeWrite::Job::WriteAgain); });
    connect(restore_, &QPushButton::clicked, this,
            [this] { runSafeWrite(SafeWrite::Job::Restore); });
}

bool CommWindow::safeguarded() const {
    return mode_ == LinkMode::Write && (state_.WriteKeepsBackup || state_.WriteReadsBack);
}

bool CommWindow::exchangeRunning() const {
    return (link_ && link_->InProgress()) || (safe_ && safe_->running());
}

void CommWindow::ensureLink() {
    if (!link_)
        link_ =
            std::make_unique<SerialLink>(mode_, state_, *devices_.port, *devices_.timers, *this);
}

void CommWindow::runSafeWrite(SafeWrite::Job job) {
    if (exchangeRunning()) {
        presenter_.show(link_text::kBusy, state_.LanguageChinese);
        return;
    }
    writeAgain_->hide();
    restore_->hide();
    // The job's own links take the port and timers from here.
    link_.reset();
    safe_->start(job);
}

void CommWindow::start() {
    if (safeguarded()) {
        runSafeWrite(SafeWrite::Job::Write);
        return;
    }
    ensureLink();
    const LinkCallDepth::Scope scope(depth_);
    if (link_->Start() == StartResult::Started) written_ = state_.ChannelTable;
}

void CommWindow::cancel() {
    if (safe_ && safe_->running()) {
        presenter_.show(link_text::kDontClose, state_.LanguageChinese);
        return;
    }
    ensureLink();
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
        if (safe_) safe_->abort();
        if (link_) link_->Abort();
    } else if (safe_ && safe_->running()) {
        presenter_.show(link_text::kDontClose, state_.LanguageChinese);
        event->ignore();
        return;
    } else {
        ensureLink();
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
    // A finished write shows no box: the status line is all there is to hear
    // (the same at the end of a write with its safeguards, above).
    announce(this, status_->text());
    if (outcome == ExchangeOutcome::Completed) {
        const Image& image = mode() == LinkMode::Write ? written_ : state_.ChannelTable;
        emit exchangeCompleted(image);
        const LinkCallDepth::Scope scope(depth_);
        const bool write = mode() == LinkMode::Write;
        KeepInHistory(state_, presenter_, write ? HistoryKind::Written : HistoryKind::Read, image,
                      write && imageFile ? utf8(imageFile()) : std::string());
    }
}

void CommWindow::OnCloseDue() {
    // Called from the link's own timer tick: the window goes once it has returned.
    QTimer::singleShot(0, this, &CommWindow::closeWhenIdle);
}

}  // namespace zt
