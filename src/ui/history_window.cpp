// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/history_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "link/link_texts.h"
#include "model/app_state.h"
#include "model/image_diff.h"
#include "transfer/difference_summary.h"
#include "ui/accessible_names.h"
#include "ui/message_presenter.h"
#include "ui/qt_text.h"

namespace zt {

namespace {

constexpr BiText kTitle{"History", "历史记录"};
constexpr BiText kColumns[] = {{"No.", "序号"},      {"Time", "时间"},
                               {"Kind", "类别"},     {"Port", "端口"},
                               {"Channels", "信道"}, {"Against the image", "与当前数据比较"}};
constexpr BiText kCompareColumns[] = {{"Field", "项目"}, {"Entry", "记录"}, {"Image", "当前数据"}};
constexpr BiText kDifferences{"Differences", "不同之处"};
constexpr BiText kSame{"the same as the image", "与当前数据相同"};
constexpr BiText kEmpty{
    "No radio memory has been kept yet: every read, every backup taken before "
    "a write and every image written comes here.",
    "尚未保存任何对讲机数据：每次读取、写入前的备份和写入的数据都会保存在这里。"};
constexpr BiText kNoSelection{"Choose an entry of the history first.", "请先选择一项历史记录 ！"};

struct Button {
    const char* name;
    BiText caption;
    void (HistoryWindow::*action)();
};
const Button kButtons[] = {
    {"Command_open", {"Open", "打开"}, &HistoryWindow::openEntry},
    {"Command_compare", {"Compare", "比较"}, &HistoryWindow::compareEntry},
    {"Command_delete", {"Delete", "删除"}, &HistoryWindow::deleteEntry},
    {"Command_close", {"Close", "关闭"}, nullptr},
};

}  // namespace

HistoryWindow::HistoryWindow(AppState& state, MessagePresenter& presenter, QWidget* parent)
    : QWidget(parent),
      state_(state),
      presenter_(presenter),
      history_(state.HistoryFolder),
      empty_(new QLabel(this)),
      table_(new QTableWidget(this)),
      tree_(new QTreeWidget(this)) {
    const bool chinese = state_.LanguageChinese;
    setObjectName("Form_history");
    setWindowTitle(qs(kTitle, chinese));
    table_->setObjectName("MSF_history");
    table_->setColumnCount(static_cast<int>(std::size(kColumns)));
    table_->setHorizontalHeaderLabels(qs(kColumns, chinese));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    tree_->setObjectName("Tree_compare");
    tree_->setHeaderLabels(qs(kCompareColumns, chinese));
    tree_->hide();  // until Compare
    empty_->setObjectName("Label_empty");
    empty_->setText(qs(kEmpty, chinese));
    empty_->setWordWrap(true);
    nameControls(
        {{table_, nullptr, qs(kTitle, chinese)}, {tree_, nullptr, qs(kDifferences, chinese)}});

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const Button& b : kButtons) {
        auto* button = new QPushButton(qs(b.caption, chinese), this);
        button->setObjectName(b.name);
        buttons->addWidget(button);
        if (b.action) {
            connect(button, &QPushButton::clicked, this, b.action);
        } else {
            connect(button, &QPushButton::clicked, this, [this] { closeWindow(this); });
        }
    }
    buttons->addStretch();
    connect(table_, &QTableWidget::cellDoubleClicked, this, &HistoryWindow::compareEntry);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(empty_);
    layout->addWidget(table_, 3);
    layout->addWidget(tree_, 2);
    layout->addLayout(buttons);
    windowActivated();
}

void HistoryWindow::windowActivated() {
    const bool chinese = state_.LanguageChinese;
    const int row = table_->currentRow();
    entries_ = history_.Entries();
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(entries_.size()));
    empty_->setVisible(entries_.empty());
    for (int r = 0; r < static_cast<int>(entries_.size()); ++r) {
        const HistoryEntry& e = entries_[static_cast<std::size_t>(r)];
        Image image{};
        BiString error;
        QString against;
        if (!history_.Load(e, image, error)) {
            against = qs(error.in(chinese));
        } else {
            const auto diffs = DiffImages(image, state_.ChannelTable, kRadioRows);
            against = diffs.empty() ? qs(kSame, chinese)
                                    : QString::number(diffs.size()) +
                                          (chinese ? " 处不同：" : " differences: ") +
                                          qs(DescribeDifferences(diffs).in(chinese));
        }
        const QStringList cells{QString::number(e.number),
                                qs(e.time),
                                qs(HistoryKindText(e.kind), chinese),
                                qs(e.port),
                                QString::number(e.usedChannels),
                                against};
        for (int c = 0; c < cells.size(); ++c) {
            table_->setItem(r, c, new QTableWidgetItem(cells[c]));
            nameCell(table_, r, c, chinese);
        }
    }
    table_->resizeColumnsToContents();
    if (!entries_.empty()) table_->selectRow(std::clamp(row, 0, table_->rowCount() - 1));
}

bool HistoryWindow::selected(HistoryEntry& entry, Image& image) {
    const bool chinese = state_.LanguageChinese;
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) {
        presenter_.show(kNoSelection, chinese);
        return false;
    }
    entry = entries_[static_cast<std::size_t>(row)];
    BiString error;
    if (history_.Load(entry, image, error)) return true;
    presenter_.show(qs(error.in(chinese)), qs(kOperatePrompt, chinese));
    return false;
}

void HistoryWindow::openEntry() {
    if (exchangeRunning()) {
        presenter_.show(link_text::kBusy, state_.LanguageChinese);
        return;
    }
    HistoryEntry entry;
    Image image{};
    if (!selected(entry, image)) return;
    state_.ChannelTable = image;
    emit imageOpened();
    windowActivated();
}

void HistoryWindow::compareEntry() {
    HistoryEntry entry;
    Image image{};
    if (!selected(entry, image)) return;
    const bool chinese = state_.LanguageChinese;
    tree_->clear();
    QTreeWidgetItem* group = nullptr;
    QString heading;
    for (const DiffEntry& d : DiffImages(image, state_.ChannelTable, kRadioRows)) {
        const QString h = qs(DiffHeading(d).in(chinese));
        if (!group || h != heading) {
            group = new QTreeWidgetItem(tree_, QStringList{h});
            group->setExpanded(true);
            heading = h;
        }
        new QTreeWidgetItem(
            group, QStringList{qs(d.field.in(chinese)), qs(d.a.in(chinese)), qs(d.b.in(chinese))});
    }
    if (!group) new QTreeWidgetItem(tree_, QStringList{qs(kSame, chinese)});
    for (int c = 0; c < tree_->columnCount(); ++c) tree_->resizeColumnToContents(c);
    tree_->show();
}

void HistoryWindow::deleteEntry() {
    HistoryEntry entry;
    Image image{};
    if (!selected(entry, image)) return;
    const bool chinese = state_.LanguageChinese;
    const BiString question{"Delete history entry " + std::to_string(entry.number) + " (" +
                                std::string(HistoryKindText(entry.kind).english) + ", " +
                                entry.time + ")? Its copy of the radio's memory is then gone.",
                            "删除第 " + std::to_string(entry.number) + " 项历史记录（" +
                                std::string(HistoryKindText(entry.kind).chinese) + "，" +
                                entry.time + "）吗？删除后这份数据将无法恢复。"};
    const QStringList buttons{qs(BiText{"Delete", "删除"}, chinese),
                              qs(BiText{"Cancel", "取消"}, chinese)};
    if (presenter_.ask(qs(question.in(chinese)), qs(kOperatePrompt, chinese), buttons, 1) != 0)
        return;
    BiString error;
    if (!history_.Remove(entry.number, error))
        presenter_.show(qs(error.in(chinese)), qs(kOperatePrompt, chinese));
    tree_->hide();
    windowActivated();
}

}  // namespace zt
