// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way the program shows a message box. Every message is a modal box with
// an exclamation icon and a single OK button; tests put a recording presenter in
// its place so that no test ever blocks on a dialog.

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>

#include "model/bitext.h"

namespace zt {

class MessagePresenter {
  public:
    MessagePresenter() = default;
    MessagePresenter(const MessagePresenter&) = delete;
    MessagePresenter& operator=(const MessagePresenter&) = delete;
    virtual ~MessagePresenter() = default;

    // Shows the message now and returns once it was dismissed. Asked again for
    // the message that is being shown (a focus change under the box re-running
    // the handler that asked for it), it does nothing; another message asked for
    // meanwhile follows when the box closes.
    void show(const QString& text, const QString& title);
    void show(BiText text, bool languageChinese, BiText title = kOperatePrompt);
    // The same with a secondary text below the message (advice on what to do);
    // an empty `detail` shows the message alone.
    void show(const QString& text, const QString& title, const QString& detail);

    // Shows the message once the running event handler has returned. Use it from
    // focus-out and editing-finished handlers: a modal box shown there moves the
    // focus again and would re-enter the handler. The same message asked for
    // twice before it appears is shown once.
    void showLater(const QString& text, const QString& title);
    void showLater(BiText text, bool languageChinese, BiText title = kOperatePrompt);

    // Asks a question and returns the index of the button pressed, `buttons`
    // standing left to right; closing the box any other way (Escape, its close
    // box) answers `escape`.
    int ask(const QString& text, const QString& title, const QStringList& buttons, int escape);

    // True while a box is on screen or a deferred one is waiting.
    [[nodiscard]] bool busy() const { return showing_ || !waiting_.empty(); }

  protected:
    // Puts up the box itself.
    virtual void present(const QString& text, const QString& title) = 0;
    // Puts up a question. A presenter that cannot ask takes the escape answer,
    // which never loses anything.
    virtual int presentQuestion(const QString& text, const QString& title,
                                const QStringList& buttons, int escape);
    // A box with a secondary text; by default the detail follows the message
    // after a blank line.
    virtual void presentWithDetail(const QString& text, const QString& title,
                                   const QString& detail) {
        present(text + "\n\n" + detail, title);
    }

  private:
    struct Message {
        QString text;
        QString title;
        QString detail;
        bool operator==(const Message&) const = default;
    };
    [[nodiscard]] bool isQueued(const Message& m) const;
    void showNext();

    QObject context_;  // owner of the queued calls; they die with the presenter
    bool showing_ = false;
    Message current_;
    std::deque<Message> waiting_;
};

// The presenter of the running program: a real message box.
class MessageBoxPresenter final : public MessagePresenter {
  protected:
    void present(const QString& text, const QString& title) override;
    int presentQuestion(const QString& text, const QString& title, const QStringList& buttons,
                        int escape) override;
    // The detail as the box's informative text, below the message.
    void presentWithDetail(const QString& text, const QString& title,
                           const QString& detail) override;
};

}  // namespace zt
