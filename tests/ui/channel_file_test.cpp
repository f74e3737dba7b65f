#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "model/channel.h"
#include "ui/channel_file_window.h"
#include "ui/channel_grid_window.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class ChannelFiles : public MainWindowTest {
  protected:
    ChannelFileWindow* openWindow(const char* command, WindowId id) {
        main->action(command)->trigger();
        auto* w = qobject_cast<ChannelFileWindow*>(main->window(id));
        EXPECT_NE(w, nullptr);
        if (w) w->setDirectory(dir.path());
        return w;
    }
    std::vector<QString> confirmWith(ChannelFileWindow* w, const QString& name) {
        auto* box = child<QLineEdit>(w, "Text1");
        box->setText(name);
        child<QPushButton>(w, "Command_enter")->click();
        settle();
        return presenter.take();
    }

    QTemporaryDir dir;
};

TEST_F(ChannelFiles, NameChecksRefuseWithTheirMessages) {
    ChannelFileWindow* open = openWindow("File_Open", WindowId::OpenChann);
    EXPECT_EQ(child<QLineEdit>(open, "Text1")->text(), "*.chann");
    const QString openBadName = "Open the file name of channel parameter is nullity ";
    const QString openBadSuffix = "Nullity file suffix name of channel parameter.";
    EXPECT_EQ(confirmWith(open, "*.chann"), std::vector<QString>{openBadName});
    EXPECT_EQ(confirmWith(open, "a#b.chann"), std::vector<QString>{openBadName});
    EXPECT_EQ(confirmWith(open, "radio.Chann"), std::vector<QString>{openBadSuffix});
    EXPECT_EQ(confirmWith(open, "hann"), std::vector<QString>{openBadSuffix});
    EXPECT_EQ(confirmWith(open, ""), std::vector<QString>{openBadSuffix});
    EXPECT_EQ(main->window(WindowId::OpenChann), open);  // still open

    ChannelFileWindow* save = openWindow("File_saveas", WindowId::SaveChann);
    EXPECT_EQ(confirmWith(save, "x$.chann"),
              std::vector<QString>{"Store the file name of channel parameter need is nullity. "});
    EXPECT_EQ(confirmWith(save, "x.txt"),
              std::vector<QString>{"Advice don't modify file suffix name of system default ！"});
}

TEST_F(ChannelFiles, SaveThenLoadRestoresTheImageAndTheGridShowsIt) {
    StoreRxText(state->ChannelTable, 1, "446.5");
    ApplyGridDefaults(state->ChannelTable, 1);
    const Image saved = state->ChannelTable;

    ChannelFileWindow* save = openWindow("File_save", WindowId::SaveChann);
    EXPECT_TRUE(state->Windows.SaveChannIsOpen);
    EXPECT_EQ(confirmWith(save, "  radio.CHANN  "),
              std::vector<QString>{"Complete storing channel parameter."});
    EXPECT_TRUE(QFile::exists(dir.filePath("radio.CHANN")));
    EXPECT_EQ(main->window(WindowId::SaveChann), nullptr);
    EXPECT_FALSE(state->Windows.SaveChannIsOpen);

    ClearChannel(state->ChannelTable, 1);
    main->channelGrid()->showAllRows();
    ChannelFileWindow* open = openWindow("File_Open", WindowId::OpenChann);
    EXPECT_EQ(confirmWith(open, "radio.CHANN"),
              std::vector<QString>{"Succeed fold the channel parameter from file."});
    EXPECT_EQ(state->ChannelTable, saved);
    EXPECT_EQ(main->channelGrid()->grid()->item(0, 1)->text(), "446.50000");
    EXPECT_EQ(main->window(WindowId::OpenChann), nullptr);
}

TEST_F(ChannelFiles, ABadFileIsRefusedAndTheImageStays) {
    QFile bad(dir.filePath("bad.chann"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("1 2 3\r\n");
    bad.close();
    const Image before = state->ChannelTable;
    ChannelFileWindow* open = openWindow("File_Open", WindowId::OpenChann);
    const auto messages = confirmWith(open, "bad.chann");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0], "Succeed fold the channel parameter from file.");
    EXPECT_EQ(state->ChannelTable, before);
    EXPECT_EQ(main->window(WindowId::OpenChann), open);
}

TEST_F(ChannelFiles, ClickingAFileCopiesOnlyItsName) {
    QFile file(dir.filePath("club.chann"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ChannelFileWindow* open = openWindow("File_Open", WindowId::OpenChann);
    auto* list = child<QListView>(open, "File1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) == 1; }));
    const QModelIndex item = list->model()->index(0, 0, list->rootIndex());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    EXPECT_EQ(child<QLineEdit>(open, "Text1")->text(), "club.chann");
}

TEST_F(ChannelFiles, SavingCommitsANameStillBeingTyped) {
    ChannelGridWindow* grid = main->channelGrid();
    StoreRxText(state->ChannelTable, 1, "446");
    ApplyGridDefaults(state->ChannelTable, 1);
    grid->showAllRows();
    grid->grid()->setCurrentCell(0, ChannelGridWindow::ColName);
    grid->textEditor()->setText("HOME");
    openWindow("File_save", WindowId::SaveChann);
    EXPECT_EQ(ReadName(state->ChannelTable, 1), "HOME");
}

}  // namespace
}  // namespace zt::test
