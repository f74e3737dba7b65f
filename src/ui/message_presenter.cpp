// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_presenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "ui/qt_text.h"

namespace zt {

bool MessagePresenter::isQueued(const Message& m) const {
    return (showing_ && current_ == m) ||
           std::find(waiting_.begin(), waiting_.end(), m) != waiting_.end();
}

void MessagePresenter::show(const QString& text, const QString& title) {
    show(text, title, QString());
}

void MessagePresenter::show(const QString& text, const QString& title, const QString& detail) {
    Message m{text, title, detail};
    if (isQueued(m)) return;
    if (showing_) {
        waiting_.push_back(std::move(m));
        return;
    }
    showing_ = true;
    current_ = std::move(m);
    if (current_.detail.isEmpty()) {
        present(current_.text, current_.title);
    } else {
        presentWithDetail(current_.text, current_.title, current_.detail);
    }
    showing_ = false;
    current_ = {};
    // Messages asked for while the box was up follow it, one after the other.
    if (!waiting_.empty()) QTimer::singleShot(0, &context_, [this] { showNext(); });
}

void MessagePresenter::show(BiText text, bool languageChinese, BiText title) {
    show(qs(text.in(languageChinese)), qs(title.in(languageChinese)));
}

void MessagePresenter::showLater(const QString& text, const QString& title) {
    Message m{text, title, {}};
    if (isQueued(m)) return;
    waiting_.push_back(std::move(m));
    if (!showing_) QTimer::singleShot(0, &context_, [this] { showNext(); });
}

void MessagePresenter::showLater(BiText text, bool languageChinese, BiText title) {
    showLater(qs(text.in(languageChinese)), qs(title.in(languageChinese)));
}

void MessagePresenter::showNext() {
    if (showing_ || waiting_.empty()) return;
    Message m = std::move(waiting_.front());
    waiting_.pop_front();
    show(m.text, m.title, m.detail);
}

int MessagePresenter::ask(const QString& text, const QString& title, const QStringList& buttons,
                          int escape) {
    return presentQuestion(text, title, buttons, escape);
}

int MessagePresenter::presentQuestion(const QString&, const QString&, const QStringList&,
                                      int escape) {
    return escape;
}

void MessageBoxPresenter::present(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

int MessageBoxPresenter::presentQuestion(const QString& text, const QString& title,
                                         const QStringList& buttons, int escape) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QPushButton*> pressed;
    for (const QString& caption : buttons) {
        // Action roles keep the buttons in the order given on every desktop.
        pressed.push_back(box.addButton(caption, QMessageBox::ActionRole));
    }
    if (escape >= 0 && escape < static_cast<int>(pressed.size())) {
        box.setEscapeButton(pressed[static_cast<std::size_t>(escape)]);
    }
    if (!pressed.empty()) box.setDefaultButton(pressed.front());
    box.exec();
    for (std::size_t i = 0; i < pressed.size(); ++i) {
        if (box.clickedButton() == pressed[i]) return static_cast<int>(i);
    }
    return escape;
}

void MessageBoxPresenter::presentWithDetail(const QString& text, const QString& title,
                                            const QString& detail) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setInformativeText(detail);
    box.exec();
}

}  // namespace zt
