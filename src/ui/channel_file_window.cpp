// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/channel_file_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "files/channel_file.h"
#include "model/app_state.h"
#include "model/bitext.h"
#include "ui/accessible_names.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

struct WindowTexts {
    BiText title;
    BiText nameLabel;
    BiText badCharacter;
    BiText badSuffix;
};
constexpr WindowTexts kOpenTexts{{"Open Channcle File", "打开信道参数文件"},
                                 {"Open File:", "打开文件名："},
                                 kOpenBadCharacter,
                                 kOpenBadSuffix};
constexpr WindowTexts kSaveTexts{{"Save Channel File", "保存信道参数文件"},
                                 {"Save File:", "保存文件名："},
                                 {"Store the file name of channel parameter need is nullity. ",
                                  "保存信道参数所需要的文件名无效 "},
                                 {"Advice don't modify file suffix name of system default ！",
                                  "建议不要修改系统默认的文件后缀名！"}};
constexpr BiText kDrive{"Drive:", "驱动器："};
// The folder and file lists have no caption on screen; a screen reader needs one.
constexpr BiText kFolders{"Folders", "文件夹"};
constexpr BiText kFiles{"Files", "文件"};
constexpr BiText kConfirm{"Confirm", "确  定"};
constexpr BiText kCancel{"Cancel", "取  消"};

}  // namespace

ChannelFileNameCheck CheckChannelFileName(const QString& name) {
    for (QChar bad : {u'*', u'$', u'\\', u'/', u'#'}) {
        if (name.contains(bad)) return ChannelFileNameCheck::BadCharacter;
    }
    // A name too short to carry the suffix cannot have it.
    const QString suffix = name.right(6);
    if (name.size() < 6 || (suffix != ".chann" && suffix != ".CHANN")) {
        return ChannelFileNameCheck::BadSuffix;
    }
    return ChannelFileNameCheck::Ok;
}

ChannelFileWindow::ChannelFileWindow(Mode mode, AppState& state, MessagePresenter& presenter,
                                     QWidget* parent)
    : QWidget(parent),
      mode_(mode),
      state_(state),
      presenter_(presenter),
      open_(mode == Mode::Open ? &state.Windows.OpenChannIsOpen : &state.Windows.SaveChannIsOpen),
      drive_(new QComboBox(this)),
      dirs_(new QTreeView(this)),
      files_(new QListView(this)),
      name_(new QLineEdit("*.chann", this)),
      dirModel_(new QFileSystemModel(this)),
      fileModel_(new QFileSystemModel(this)) {
    const bool open = mode == Mode::Open;
    const WindowTexts& texts = open ? kOpenTexts : kSaveTexts;
    const bool chinese = state_.LanguageChinese;
    setObjectName(open ? "Form_open_chann" : "Form_save_chann");
    setWindowTitle(qs(texts.title, chinese));
    drive_->setObjectName("Drive1");
    dirs_->setObjectName("Dir1");
    files_->setObjectName("File1");
    name_->setObjectName("Text1");

    auto* driveLabel = new QLabel(qs(kDrive, chinese), this);
    driveLabel->setObjectName("Label_drive");
    auto* nameLabel = new QLabel(qs(texts.nameLabel, chinese), this);
    nameLabel->setObjectName(open ? "Label_Name" : "Label_name");
    nameControls({{drive_, driveLabel},
                  {name_, nameLabel},
                  {dirs_, nullptr, qs(kFolders, chinese)},
                  {files_, nullptr, qs(kFiles, chinese)}});
    auto* confirm = new QPushButton(qs(kConfirm, chinese), this);
    confirm->setObjectName("Command_enter");
    auto* cancel = new QPushButton(qs(kCancel, chinese), this);
    cancel->setObjectName("Command_close");

    for (const QFileInfo& drive : QDir::drives()) drive_->addItem(drive.absoluteFilePath());

    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QString());
    dirs_->setModel(dirModel_);
    for (int column = 1; column < dirModel_->columnCount(); ++column) dirs_->hideColumn(column);
    dirs_->header()->hide();
    fileModel_->setFilter(QDir::Files);
    fileModel_->setNameFilters({"*.chann"});
    fileModel_->setNameFilterDisables(false);  // show only channel files
    files_->setModel(fileModel_);

    // The directory list fills in the background; show the chosen directory once
    // its branch is there.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        const QModelIndex index = dirModel_->index(directory_);
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent()) dirs_->expand(p);
        dirs_->setCurrentIndex(index);
        dirs_->scrollTo(index);
    });
    connect(drive_, &QComboBox::textActivated, this, &ChannelFileWindow::setDirectory);
    connect(dirs_, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setDirectory(dirModel_->filePath(index)); });
    connect(files_, &QListView::clicked, this,
            [this](const QModelIndex& index) { name_->setText(fileModel_->fileName(index)); });
    // The keyboard's way to what a click does: Enter opens a folder, the arrow
    // keys choose a file.
    connect(dirs_, &QTreeView::activated, this,
            [this](const QModelIndex& index) { setDirectory(dirModel_->filePath(index)); });
    connect(files_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (files_->hasFocus() && index.isValid())
                    name_->setText(fileModel_->fileName(index));
            });
    connect(files_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        name_->setText(fileModel_->fileName(index));
        this->confirm();
    });
    connect(name_, &QLineEdit::returnPressed, this, &ChannelFileWindow::confirm);
    connect(confirm, &QPushButton::clicked, this, &ChannelFileWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWindow(this); });

    auto* lists = new QGridLayout;
    lists->addWidget(driveLabel, 0, 0);
    lists->addWidget(drive_, 1, 0);
    lists->addWidget(dirs_, 2, 0);
    lists->addWidget(nameLabel, 0, 1);
    lists->addWidget(name_, 1, 1);
    lists->addWidget(files_, 2, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    setDirectory(QDir::currentPath());
    // The window opens on the name, ready to be typed over.
    name_->setFocus();
    name_->selectAll();
}

void ChannelFileWindow::setDirectory(const QString& path) {
    directory_ = QDir(path).absolutePath();
    const QModelIndex index = dirModel_->index(directory_);
    dirs_->setCurrentIndex(index);
    dirs_->scrollTo(index);
    dirs_->expand(index);
    files_->setRootIndex(fileModel_->setRootPath(directory_));
    const QString root = QDir(directory_).rootPath();
    const int drive = drive_->findText(root);
    if (drive >= 0) drive_->setCurrentIndex(drive);
}

void ChannelFileWindow::confirm() {
    const bool chinese = state_.LanguageChinese;
    const WindowTexts& texts = mode_ == Mode::Open ? kOpenTexts : kSaveTexts;
    const QString name = name_->text().trimmed();
    switch (CheckChannelFileName(name)) {
        case ChannelFileNameCheck::BadCharacter:
            presenter_.show(texts.badCharacter, chinese);
            return;
        case ChannelFileNameCheck::BadSuffix:
            presenter_.show(texts.badSuffix, chinese);
            return;
        case ChannelFileNameCheck::Ok:
            break;
    }
    const std::filesystem::path path = (directory_ + "/" + name).toStdU16String();
    const FileResult result = mode_ == Mode::Open ? LoadChannelFile(path, state_.ChannelTable)
                                                  : SaveChannelFile(path, state_.ChannelTable);
    presenter_.show(qs(result.message.in(chinese)), qs(kOperatePrompt, chinese));
    if (!result.ok) return;  // a refused file leaves the window for another choice
    if (mode_ == Mode::Open) {
        emit imageLoaded(directory_ + "/" + name);
    } else {
        emit imageSaved(directory_ + "/" + name);
    }
    closeWindow(this);
}

void ChannelFileWindow::closeEvent(QCloseEvent* event) {
    open_.release();
    QWidget::closeEvent(event);
}

}  // namespace zt
