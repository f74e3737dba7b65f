// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user manual in a window of its own, opened by every Help button and by F1
// at the section of the window asking. It follows the interface language and
// stays usable beside the window it was opened from.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace zt {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual in the language with the section's heading at the top of
    // the view; a section the manual does not have shows its beginning.
    void showSection(bool chinese, const QString& section);
    // The section last asked for.
    [[nodiscard]] QString section() const { return section_; }
    [[nodiscard]] bool chinese() const { return chinese_; }
    // The text of the first heading in view.
    [[nodiscard]] QString headingInView() const;
    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

    // The window the manual belongs to while it is open (a modal dialog keeps
    // the rest of the program from input, but not its own transient windows);
    // nullptr gives it back to the main window.
    void setTransientParent(QWidget* window);

  private:
    void load(bool chinese);
    void scrollToHeading(int heading);
    void linkClicked(const QUrl& url);
    void back();
    void applyCaptions();

    QTextBrowser* browser_;
    QPushButton* back_;
    QPushButton* contents_;
    QPushButton* close_;
    bool loaded_ = false;
    bool chinese_ = false;
    QString section_;
    std::vector<int> headingBlocks_;       // block number of each heading, in order
    std::vector<QString> headingAnchors_;  // the anchor of each heading, or empty
    std::vector<int> history_;             // scroll positions left by following links
};

}  // namespace zt
