// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor windows share: key filters on text boxes and lists, focus-loss
// rules that never feed on themselves, and showing the messages a rule returns.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "model/editor_prompt.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace zt {

class MessagePresenter;

// A box's key filter: gets the box's text and the typed key (a character, or
// kKeyBackspace / kKeyEnter) and returns the character to type, or nothing to
// discard the key. Keys that type nothing (arrows, Delete, shortcuts) pass.
using KeyRule = std::function<std::optional<char32_t>(const QString& text, char32_t key)>;
void installKeyRule(QWidget* box, KeyRule rule);
// Lists accept no typed text: every character key is discarded.
void discardTypedKeys(QComboBox* list);
// A long list (265 tones) drops down about 16 rows high and scrolls, instead of
// the whole screen height some styles give a list that takes no typing.
void keepPopupShort(QComboBox* list);

// Runs the focus-loss rules of one window. A rule runs when its box loses the
// focus to another control, and not when the focus leaves because a message box
// or another program came to the front, while a message of the window is
// pending, while the focus is being put back after a message, or once the
// window is closing. So a message shown from a focus-loss rule can never start
// the rule (or another box's rule) again.
class FocusRules : public QObject {
    Q_OBJECT
  public:
    FocusRules(MessagePresenter& presenter, QObject* parent);

    void onFocusLost(QWidget* box, std::function<void()> rule);
    // Shows the messages after the running handler has returned, in order.
    void show(const std::vector<Prompt>& prompts, bool languageChinese);
    // Puts the focus back into the box once the running handler has returned.
    void refocusLater(QWidget* box);
    // From now on no rule runs (the window is being closed or reloaded).
    void stop() { stopped_ = true; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    MessagePresenter& presenter_;
    std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> rules_;
    bool refocusing_ = false;
    bool running_ = false;
    bool stopped_ = false;
};

// Gives a control the name its window's rules and tests know it by.
template <class W>
W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace zt
