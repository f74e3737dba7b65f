// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_box.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/bitext.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kWindowTitle{"About", "关于"};
constexpr BiText kTitle{"Merivon ZT790 C1.0 series program software. ",
                        "ZT790 C1.0 系列对讲机编程软件"};
constexpr BiText kVersionSuffix{" (Qt desktop edition)", "（桌面版）"};
constexpr BiText kDescription{
    "Reads, edits and writes the channels, optional features and broadcast FM presets "
    "of ZT790 and MV4L radios, and saves the whole radio memory to channel files.",
    "读取、编辑和写入 ZT790 与 MV4L 对讲机的信道、可选功能和收音机预置，"
    "并可将整个对讲机存储内容保存为信道参数文件。"};
constexpr BiText kDisclaimer{
    "Warning: transmitting outside the frequencies you are licensed for may be unlawful. "
    "Keep a saved copy of the radio's memory before writing to it.",
    "警告：在未获许可的频率上发射可能违法。写入对讲机之前，请先保存一份其存储内容。"};
constexpr BiText kOk{"Confirm", "确定"};
constexpr BiText kSysInfo{"System Information(&S)...", "系统信息(&S)..."};
constexpr std::string_view kNoSysInfo = "此时系统信息不可用";

}  // namespace

SystemInfoTool findSystemInfoTool() {
#if defined(Q_OS_WIN)
    const QString msinfo = QStandardPaths::findExecutable("msinfo32");
    if (!msinfo.isEmpty()) return {msinfo, {}};
#elif defined(Q_OS_MACOS)
    if (QFileInfo::exists("/System/Applications/Utilities/System Information.app"))
        return {"/usr/bin/open", {"-a", "System Information"}};
#else
    for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return {path, {}};
    }
#endif
    return {};
}

AboutBox::AboutBox(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QDialog(parent), state_(state), presenter_(presenter), open_(&state.Windows.AboutIsOpen) {
    setObjectName("frmAbout");
    const bool chinese = state_.LanguageChinese;
    setWindowTitle(qs(kWindowTitle, chinese));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    QLabel* title = label("lblTitle", qs(kTitle, chinese));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    QLabel* version = label("lblVersion", qs(state_.SoftwareVersion) + qs(kVersionSuffix, chinese));
    QLabel* description = label("lblDescription", qs(kDescription, chinese));
    QLabel* disclaimer = label("lblDisclaimer", qs(kDisclaimer, chinese));

    auto* ok = new QPushButton(qs(kOk, chinese), this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    sysInfo_ = new QPushButton(qs(kSysInfo, chinese), this);
    sysInfo_->setObjectName("cmdSysInfo");
    connect(sysInfo_, &QPushButton::clicked, this, &AboutBox::startSystemInfo);

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo_);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addLayout(bottom);

    setSystemInfoTool(findSystemInfoTool());
    resize(520, 260);
}

void AboutBox::setSystemInfoTool(SystemInfoTool tool) {
    tool_ = std::move(tool);
    sysInfo_->setVisible(!tool_.program.isEmpty());
}

void AboutBox::startSystemInfo() {
    if (tool_.program.isEmpty() || !QProcess::startDetached(tool_.program, tool_.arguments)) {
        presenter_.show(BiText{kNoSysInfo, kNoSysInfo}, state_.LanguageChinese);
    }
}

void AboutBox::closeEvent(QCloseEvent* event) {
    open_.release();
    QDialog::closeEvent(event);
}

}  // namespace zt
