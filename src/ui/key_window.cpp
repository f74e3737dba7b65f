// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/key_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/app_state.h"
#include "model/key_assign.h"
#include "ui/accessible_names.h"
#include "ui/editor_support.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// A handheld radio seen from the side, with its two programmable keys marked.
QPixmap RadioPicture() {
    QPixmap picture(140, 260);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(92, 6, 12, 70), 5, 5);  // antenna
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(40, 70, 80, 180), 12, 12);  // body
    p.setBrush(QColor(150, 170, 150));
    p.drawRect(QRectF(52, 90, 56, 40));  // display
    p.setBrush(QColor(200, 120, 40));
    p.drawRoundedRect(QRectF(30, 110, 10, 34), 3, 3);  // PTT
    p.setBrush(QColor(120, 120, 200));
    p.drawRoundedRect(QRectF(30, 152, 10, 18), 3, 3);  // PF1
    p.drawRoundedRect(QRectF(30, 176, 10, 18), 3, 3);  // PF2
    p.setPen(Qt::black);
    p.drawText(QPointF(2, 166), QStringLiteral("PF1"));
    p.drawText(QPointF(2, 190), QStringLiteral("PF2"));
    return picture;
}

}  // namespace

KeyWindow::KeyWindow(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("Form_edit_Key");
    setAttribute(Qt::WA_DeleteOnClose);
    const bool zh = state_.LanguageChinese;
    setWindowTitle(qs(kKeyCaptions.window, zh));

    pf1_ = new QComboBox(this);
    pf1_->setObjectName("Combo_pf1");
    pf2_ = new QComboBox(this);
    pf2_->setObjectName("Combo_pf2");
    for (QComboBox* list : {pf1_, pf2_}) {
        for (const KeyFunction& f : kKeyFunctions) list->addItem(qs(f.name, zh));
        discardTypedKeys(list);
        connect(list, &QComboBox::activated, this, [this, list] { commit(list); });
    }
    auto* picture = new QLabel(this);
    picture->setObjectName("Picture1");
    picture->setPixmap(RadioPicture());

    auto* keys = new QGridLayout;
    auto* pf1Label = new QLabel(qs(kKeyCaptions.pf1, zh), this);
    pf1Label->setObjectName("Label_PF1");
    auto* pf2Label = new QLabel(qs(kKeyCaptions.pf2, zh), this);
    pf2Label->setObjectName("Label_PF2");
    nameControls({{pf1_, pf1Label}, {pf2_, pf2Label}});
    keys->addWidget(pf1Label, 0, 0);
    keys->addWidget(pf1_, 0, 1);
    keys->addWidget(pf2Label, 1, 0);
    keys->addWidget(pf2_, 1, 1);
    keys->setRowStretch(2, 1);

    auto* close = new QPushButton(qs(kKeyCaptions.close, zh), this);
    close->setObjectName("Command_Close");
    auto* help = new QPushButton(qs(kKeyCaptions.help, zh), this);
    help->setObjectName("Command_Help");
    connect(close, &QPushButton::clicked, this, [this] { closeWindow(this); });

    auto* body = new QHBoxLayout;
    body->addWidget(picture);
    body->addLayout(keys, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    refresh();
}

void KeyWindow::refresh() {
    const KeyView v = RefreshKeys(state_.ChannelTable);
    pf1_->setCurrentIndex(v.pf1);
    pf2_->setCurrentIndex(v.pf2);
}

void KeyWindow::commit(QComboBox* changed) {
    if (changed->currentIndex() < 0) changed->setCurrentIndex(0);
    CommitKeys(state_.ChannelTable, pf1_->currentIndex(), pf2_->currentIndex());
}

}  // namespace zt
