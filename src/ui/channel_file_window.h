// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Form_open_chann and Form_save_chann: a directory and file chooser for channel
// files. Confirm checks the typed name (no * $ \ / #, the suffix ".chann" or
// ".CHANN"), builds the path from the chosen directory and loads or saves the
// whole image.

#include <QString>
#include <QWidget>

#include "model/bitext.h"
#include "ui/window_support.h"

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QTreeView;

namespace zt {

struct AppState;
class MessagePresenter;

class ChannelFileWindow : public QWidget {
    Q_OBJECT
  public:
    enum class Mode { Open, Save };

    ChannelFileWindow(Mode mode, AppState& state, MessagePresenter& presenter,
                      QWidget* parent = nullptr);

    // The directory the file list shows and the path is built from.
    [[nodiscard]] QString directory() const { return directory_; }
    void setDirectory(const QString& path);
    // Command_enter: checks the name, then loads or saves. Closes on success.
    void confirm();

  signals:
    // The image was replaced by a loaded file.
    void imageLoaded(const QString& path);
    // The image was stored in a file.
    void imageSaved(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    Mode mode_;
    AppState& state_;
    MessagePresenter& presenter_;
    OpenFlag open_;
    QString directory_;
    QComboBox* drive_;
    QTreeView* dirs_;
    QListView* files_;
    QLineEdit* name_;
    QFileSystemModel* dirModel_;
    QFileSystemModel* fileModel_;
};

// What Confirm makes of a typed name.
enum class ChannelFileNameCheck { Ok, BadCharacter, BadSuffix };
[[nodiscard]] ChannelFileNameCheck CheckChannelFileName(const QString& trimmedName);

// The open window's refusals of a name; a file opened from outside the program
// gets them too.
inline constexpr BiText kOpenBadCharacter{"Open the file name of channel parameter is nullity ",
                                          "打开信道参数文件名无效 "};
inline constexpr BiText kOpenBadSuffix{"Nullity file suffix name of channel parameter.",
                                       "无效的信道参数文件后缀名！"};

}  // namespace zt
