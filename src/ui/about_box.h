// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmAbout: the product title, the version and the maker's notices, with a button
// that starts this platform's system information tool where one is installed.

#include <QDialog>
#include <QString>

#include "ui/window_support.h"

class QLabel;
class QPushButton;

namespace zt {

struct AppState;
class MessagePresenter;

// The system information tool of this machine, or an empty program when there is
// none. On Windows it is msinfo32; elsewhere the first of the known tools found
// on the search path.
struct SystemInfoTool {
    QString program;
    QStringList arguments;
};
[[nodiscard]] SystemInfoTool findSystemInfoTool();

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(AppState& state, MessagePresenter& presenter, QWidget* parent = nullptr);

    // The tool the system-information button starts; replaceable for tests.
    void setSystemInfoTool(SystemInfoTool tool);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void startSystemInfo();

    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    SystemInfoTool tool_;
    QPushButton* sysInfo_;
};

}  // namespace zt
