// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor_support.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "model/editor_text.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

// The key a filter sees, or nothing for a key that types no character.
std::optional<char32_t> TypedKey(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return kKeyBackspace;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return kKeyEnter;
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return std::nullopt;
    const QString text = e->text();
    if (text.isEmpty()) return std::nullopt;
    const char32_t c = text.toUcs4().value(0);
    if (c < 0x20 || c == 0x7F) return std::nullopt;  // control characters: shortcuts, Delete
    return c;
}

class KeyRuleFilter : public QObject {
  public:
    KeyRuleFilter(QWidget* box, KeyRule rule) : QObject(box), rule_(std::move(rule)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* e = static_cast<QKeyEvent*>(event);
        const std::optional<char32_t> key = TypedKey(e);
        if (!key) return false;
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const QString text = edit ? edit->text() : QString();
        const std::optional<char32_t> typed = rule_(text, *key);
        if (!typed) return true;  // discarded
        if (*typed == *key || !edit) return false;
        // The rule changed the key (a small letter made a capital): type that.
        const char32_t c = *typed;
        edit->insert(QString::fromUcs4(&c, 1));
        return true;
    }

  private:
    KeyRule rule_;
};

}  // namespace

void installKeyRule(QWidget* box, KeyRule rule) {
    box->installEventFilter(new KeyRuleFilter(box, std::move(rule)));
}

void discardTypedKeys(QComboBox* list) {
    installKeyRule(list, [](const QString&, char32_t key) -> std::optional<char32_t> {
        if (key == kKeyEnter) return key;
        return std::nullopt;
    });
}

void keepPopupShort(QComboBox* list) {
    constexpr int kVisibleRows = 16;
    list->setMaxVisibleItems(kVisibleRows);
    // Those styles ignore the row count unless the list is drawn as a plain list.
    list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

FocusRules::FocusRules(MessagePresenter& presenter, QObject* parent)
    : QObject(parent), presenter_(presenter) {}

void FocusRules::onFocusLost(QWidget* box, std::function<void()> rule) {
    rules_.emplace_back(box, std::move(rule));
    box->installEventFilter(this);
}

bool FocusRules::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    if (stopped_ || refocusing_ || running_ || presenter_.busy()) return false;
    for (auto& [box, rule] : rules_) {
        if (box == watched) {
            running_ = true;
            rule();
            running_ = false;
            break;
        }
    }
    return false;
}

void FocusRules::show(const std::vector<Prompt>& prompts, bool languageChinese) {
    for (const Prompt& p : prompts)
        presenter_.showLater(qs(p.text(languageChinese)), qs(p.title, languageChinese));
}

void FocusRules::refocusLater(QWidget* box) {
    QPointer<QWidget> target(box);
    QTimer::singleShot(0, this, [this, target] {
        if (!target || stopped_) return;
        refocusing_ = true;
        target->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
    });
}

}  // namespace zt
