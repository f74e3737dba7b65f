// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include "model/bitext.h"
#include "ui/manual.h"
#include "ui/qt_text.h"
#include "ui/window_support.h"

namespace zt {

namespace {

constexpr BiText kTitle{"User Manual", "使用手册"};
constexpr BiText kBack{"Back", "后退"};
constexpr BiText kContents{"Contents", "目录"};
constexpr BiText kClose{"Close", "关闭"};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      back_(new QPushButton(this)),
      contents_(new QPushButton(this)),
      close_(new QPushButton(this)) {
    setObjectName("Form_Help");
    browser_->setObjectName("Text_Manual");
    back_->setObjectName("Command_Back");
    contents_->setObjectName("Command_Contents");
    close_->setObjectName("Command_Close");
    // Links inside the manual move between its sections; others open outside.
    browser_->setOpenLinks(false);
    // The manual's pictures lie beside it.
    browser_->setSearchPaths({QStringLiteral(":/manual")});
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::linkClicked);
    connect(back_, &QPushButton::clicked, this, &HelpWindow::back);
    connect(contents_, &QPushButton::clicked, this, [this] {
        history_.push_back(browser_->verticalScrollBar()->value());
        back_->setEnabled(true);
        browser_->verticalScrollBar()->setValue(0);
    });
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    back_->setEnabled(false);
    // Escape closes it and Enter presses its buttons, as in the other windows.
    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);
    pressButtonsWithEnter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(contents_);
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
    applyCaptions();
}

void HelpWindow::applyCaptions() {
    setWindowTitle(qs(kTitle, chinese_));
    back_->setText(qs(kBack, chinese_));
    contents_->setText(qs(kContents, chinese_));
    close_->setText(qs(kClose, chinese_));
}

void HelpWindow::load(bool chinese) {
    chinese_ = chinese;
    loaded_ = true;
    applyCaptions();
    const QString markdown = ManualMarkdown(chinese);
    browser_->setMarkdown(markdown);
    headingBlocks_.clear();
    for (QTextBlock b = browser_->document()->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0) headingBlocks_.push_back(b.blockNumber());
    }
    headingAnchors_.assign(headingBlocks_.size(), QString());
    for (const auto& [anchor, heading] : ManualSections(markdown)) {
        if (heading < static_cast<int>(headingAnchors_.size()))
            headingAnchors_[static_cast<std::size_t>(heading)] = anchor;
    }
    history_.clear();
    back_->setEnabled(false);
}

void HelpWindow::showSection(bool chinese, const QString& section) {
    if (!loaded_ || chinese != chinese_) load(chinese);
    section_ = section;
    show();
    raise();
    activateWindow();
    const auto it = std::find(headingAnchors_.begin(), headingAnchors_.end(), section);
    if (section.isEmpty() || it == headingAnchors_.end()) {
        browser_->verticalScrollBar()->setValue(0);
        return;
    }
    scrollToHeading(static_cast<int>(it - headingAnchors_.begin()));
}

void HelpWindow::scrollToHeading(int heading) {
    const QTextBlock block =
        browser_->document()->findBlockByNumber(headingBlocks_[static_cast<std::size_t>(heading)]);
    // To the end first, so that making the heading visible puts it at the top.
    QScrollBar* bar = browser_->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTextCursor cursor(block);
    browser_->setTextCursor(cursor);
    browser_->ensureCursorVisible();
}

QString HelpWindow::headingInView() const {
    const QTextCursor top = browser_->cursorForPosition(QPoint(4, 4));
    for (QTextBlock b = top.block(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0) return b.text();
    }
    return {};
}

void HelpWindow::linkClicked(const QUrl& url) {
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
        const auto it = std::find(headingAnchors_.begin(), headingAnchors_.end(), url.fragment());
        if (it == headingAnchors_.end()) return;
        history_.push_back(browser_->verticalScrollBar()->value());
        back_->setEnabled(true);
        scrollToHeading(static_cast<int>(it - headingAnchors_.begin()));
        return;
    }
    QDesktopServices::openUrl(url);
}

void HelpWindow::back() {
    if (history_.empty()) return;
    browser_->verticalScrollBar()->setValue(history_.back());
    history_.pop_back();
    back_->setEnabled(!history_.empty());
}

void HelpWindow::setTransientParent(QWidget* window) {
    if (!window) window = parentWidget() ? parentWidget()->window() : nullptr;
    winId();  // the native window exists from here on
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(window ? window->windowHandle() : nullptr);
}

}  // namespace zt
