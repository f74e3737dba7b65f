// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/embedded_message.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/qt_text.h"
#include "ui/window_id.h"

namespace zt {

MessageWindow::MessageWindow(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state), open_(openFlag(state, WindowId::Message)) {
    setObjectName("Form_Edit_Message");
    setAttribute(Qt::WA_DeleteOnClose);
    const bool zh = state_.LanguageChinese;
    setWindowTitle(qs(kMessageCaptions.window, zh));

    text_ = new QLineEdit(this);
    text_->setObjectName("Text_MS1");
    // Five characters is all the radio holds; a longer paste is cut to them.
    text_->setMaxLength(kMessageLength);
    installKeyRule(text_, [](const QString& text, char32_t key) -> std::optional<char32_t> {
        if (!EmbeddedMessageKeyAccepted(text.toLatin1().toStdString(), key)) return std::nullopt;
        return key;
    });
    // Only what the user changes is stored: showing the message stores nothing.
    connect(text_, &QLineEdit::textEdited, this, [this](const QString& text) {
        StoreEmbeddedMessage(state_.ChannelTable, text.toLatin1().toStdString());
    });

    // No label of its own: the window's title says what it holds.
    nameControls({{text_, nullptr, windowTitle()}});

    auto* close = new QPushButton(qs(kMessageCaptions.close, zh), this);
    close->setObjectName("Command_Close");
    auto* help = new QPushButton(qs(kMessageCaptions.help, zh), this);
    help->setObjectName("Command_Help");
    connect(close, &QPushButton::clicked, this, [this] { closeWindow(this); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addStretch(1);
    layout->addLayout(buttons);

    refresh();
}

void MessageWindow::refresh() {
    text_->setText(QString::fromLatin1(ShowEmbeddedMessage(state_.ChannelTable)));
}

void MessageWindow::closeEvent(QCloseEvent* event) {
    open_.release();
    event->accept();
}

}  // namespace zt
