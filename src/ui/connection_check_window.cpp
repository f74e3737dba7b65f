// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/connection_check_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "doctor/doctor_report.h"
#include "qtio/serial_ports.h"
#include "ui/accessible_names.h"
#include "ui/announcer.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"Check Connection", "检查连接"};
constexpr BiText kChecking{"Checking the connection ...", "正在检查连接 ..."};
constexpr BiText kAnswered{"The radio answered.", "对讲机已应答。"};
constexpr BiText kNoAnswer{"The radio did not answer.", "对讲机没有应答。"};
constexpr BiText kAgain{"Check Again", "再次检查"};
constexpr BiText kClose{"Close", "关闭"};
constexpr BiText kChecksName{"Checks", "检查项目"};
constexpr BiText kAdvice{"What to do", "处理办法"};
// The checks of one port: device, adapter, permission, holders, opening, radio.
constexpr int kChecksShown = 6;

}  // namespace

ConnectionCheckWindow::ConnectionCheckWindow(bool chinese, PortChoice port,
                                             LinkDevicesFactory devices, Host host, QWidget* parent)
    : QDialog(parent), chinese_(chinese), makeDevices_(std::move(devices)), host_(std::move(host)) {
    setObjectName("Form_check_connection");
    setWindowTitle(qs(kTitle, chinese));
    const ResolvedPort resolved = ResolvePortChoice(port.number, port.device);
    device_ = resolved.ok ? resolved.device : "";
    label_ = resolved.ok ? "" : "COM" + std::to_string(port.number);

    status_ = new QLabel(this);
    status_->setObjectName("Label_status");
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName("Grid_checks");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    advice_ = new QPlainTextEdit(this);
    advice_->setObjectName("Text_advice");
    advice_->setReadOnly(true);
    advice_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    again_ = new QPushButton(qs(kAgain, chinese), this);
    again_->setObjectName("Command_again");
    connect(again_, &QPushButton::clicked, this, &ConnectionCheckWindow::start);
    auto* close = new QPushButton(qs(kClose, chinese), this);
    close->setObjectName("Command_close");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    nameControls({{table_, nullptr, qs(kChecksName, chinese)},
                  {advice_, nullptr, qs(kAdvice, chinese)},
                  {again_, nullptr, qs(kAgain, chinese)},
                  {close, nullptr, qs(kClose, chinese)}});

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(table_, 3);
    layout->addWidget(advice_, 2);
    layout->addLayout(buttons);
}

ConnectionCheckWindow::~ConnectionCheckWindow() = default;

void ConnectionCheckWindow::start() {
    if (running_) return;
    running_ = true;
    again_->setEnabled(false);
    status_->setText(qs(kChecking, chinese_));
    diagnoses_ = {ExamineSystem(host_, device_, label_)};
    if (!diagnoses_.front().WorthOpening()) {
        showReport();
        return;
    }
    devices_ = makeDevices_();
    // Called from inside the link's events: the probe goes away only later.
    probe_ = std::make_unique<RadioProbe>(*devices_.port, *devices_.timers, device_, [this] {
        QTimer::singleShot(0, this, &ConnectionCheckWindow::probeFinished);
    });
    probe_->Start();
}

void ConnectionCheckWindow::probeFinished() {
    if (!probe_ || !probe_->Done()) return;
    RecordRadio(diagnoses_.front(), probe_->Result());
    probe_.reset();
    devices_ = {};
    showReport();
}

void ConnectionCheckWindow::showReport() {
    const std::vector<std::vector<std::string>> rows = DoctorTable(diagnoses_, chinese_);
    QStringList header;
    for (const std::string& h : rows.front()) header << qs(h);
    table_->setHorizontalHeaderLabels(header);
    table_->setRowCount(static_cast<int>(rows.size() - 1));
    const QString separator = nameSeparator(chinese_);
    QString port;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (!rows[r][0].empty()) port = qs(rows[r][0]);
        // Each cell of a row reads as the whole row: port, check, result, detail.
        QString name = port;
        for (std::size_t c = 1; c < rows[r].size(); ++c)
            if (!rows[r][c].empty()) name += separator + qs(rows[r][c]);
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(qs(rows[r][c]));
            item->setData(Qt::AccessibleTextRole, name);
            table_->setItem(static_cast<int>(r - 1), static_cast<int>(c), item);
        }
    }
    table_->resizeColumnsToContents();
    // One port's checks in full, without scrolling; more ports scroll.
    int height = table_->horizontalHeader()->sizeHint().height() + 2 * table_->frameWidth();
    for (int r = 0; r < std::min(table_->rowCount(), kChecksShown); ++r)
        height += table_->rowHeight(r);
    table_->setMinimumHeight(height);
    // Grow the window itself (its frame when it sits in the workspace), never its owner.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    if (frame->height() < frame->sizeHint().height())
        frame->resize(frame->width(), frame->sizeHint().height());
    advice_->setPlainText(qs(DoctorAdvice(diagnoses_, chinese_)));
    const QString verdict = qs(AnyRadioAnswered(diagnoses_) ? kAnswered : kNoAnswer, chinese_);
    status_->setText(verdict);
    announce(this, verdict);
    running_ = false;
    again_->setEnabled(true);
}

}  // namespace zt
