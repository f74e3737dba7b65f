// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program among other programs: files handed to it from outside
// (its command line, a drop), the manual behind every Help button and F1,
// Ctrl+Q, and the entries --advanced shows (how the command line starts the
// program: the program binary tests and the accessibility walk).
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTextBrowser>
#include <QUrl>

#include "ui/help_window.h"
#include "ui/manual.h"
#include "ui/window_table.h"
#include "ui_test_support.h"

namespace zt::test {
namespace {

class Desktop : public MainWindowTest {
  protected:
    // A channel file holding channel 1 at 446.00625 MHz named BASE.
    QString channelFile(const QString& name) {
        Image image = BlankImage();
        UseChannel(image, 1, "446.00625");
        WriteName(image, 1, "BASE");
        return saveImage(name, image);
    }
    // Drags files over the main window and drops them; whether it took them.
    bool drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        const QPoint at = main->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main.get(), &dropped);
        settle();
        return dropped.isAccepted();
    }
    QString visibleItems(QWidget* menu) {
        QStringList names;
        for (QAction* a : menu->actions()) {
            if (a->isVisible()) names << a->objectName();
        }
        return names.join(' ');
    }
    HelpWindow* help() { return main->helpWindow(); }
};

TEST_F(Desktop, FileArgumentOpensChannelAndCsvFilesAndRefusesBadOnesLeavingTheBlankImage) {
    struct Refused {
        QString name;
        QByteArray bytes;     // empty: the file is not there
        const char* message;  // nullptr: the loader's own reason
    };
    const Refused refused[] = {
        {"short.chann", "1 2 3", nullptr},
        {"radio.Chann", "", "Nullity file suffix name of channel parameter."},
        {"bad.csv", "Location,Name,Frequency\n1,BASE,1234.5\n", nullptr},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name.toStdString());
        const QString path = r.bytes.isEmpty() ? dir.filePath(r.name) : writeFile(r.name, r.bytes);
        EXPECT_FALSE(main->openFile(path));
        const Texts shown = presenter.take();
        ASSERT_EQ(shown.size(), 1u);
        if (r.message) {
            EXPECT_EQ(shown[0], r.message);
        }
        EXPECT_TRUE(state->ChannelTable == BlankImage());
        EXPECT_EQ(gridText(1, Col::ColRx), "");
    }

    EXPECT_TRUE(main->openFile(channelFile("radio.chann")));
    EXPECT_EQ(presenter.take(), Texts{"Succeed fold the channel parameter from file."});
    EXPECT_EQ(gridText(1, Col::ColRx), "446.00625");
    EXPECT_EQ(gridText(1, Col::ColName), "BASE");
    // A CSV file is imported into the image (its columns: the files tests).
    EXPECT_TRUE(
        main->openFile(writeFile("repeaters.csv", "Location,Name,Frequency\n3,RPT,439.25\n")));
    EXPECT_EQ(presenter.take(), Texts{"Imported 1 channel from repeaters.csv."});
    EXPECT_EQ(gridText(3, Col::ColRx), "439.25000");
}

TEST_F(Desktop, DroppedFileOpensLikeTheCommandLine) {
    EXPECT_FALSE(drop({channelFile("a.chann"), channelFile("b.chann")}));  // one at a time
    EXPECT_TRUE(state->ChannelTable == BlankImage());

    EXPECT_TRUE(drop({channelFile("radio.chann")}));
    EXPECT_EQ(presenter.take(), Texts{"Succeed fold the channel parameter from file."});
    EXPECT_EQ(gridText(1, Col::ColRx), "446.00625");

    // Never into an image the radio is being read into or written from.
    main->exchangeRunning = [] { return true; };
    state->ChannelTable = BlankImage();
    EXPECT_FALSE(drop({channelFile("radio.chann")}));
    EXPECT_TRUE(state->ChannelTable == BlankImage());
}

// Each Help button, and F1 in a dialog or an editor, opens the manual at its
// window's heading, in the language of the interface.
TEST_F(Desktop, HelpAndF1OpenTheSectionOfTheirWindow) {
    const struct {
        WindowId id;
        bool f1;
        const char* english;
        const char* chinese;
    } windows[] = {
        {WindowId::Chann, false, "Channel Information", "信道信息"},
        {WindowId::ChannEdit, false, "Channel Edit", "信道编辑"},
        {WindowId::Option, false, "Optional Features", "可选功能"},
        {WindowId::Test, false, "Radio (broadcast FM presets)", "收音机（广播 FM 预置频道）"},
        {WindowId::Key, false, "Key Assignment", "键设定"},
        {WindowId::Scan, false, "Scan Information", "扫描信息"},
        {WindowId::Message, false, "Embedded Message", "嵌入信息"},
        {WindowId::CommRead, false, "Read from radio", "从对讲机读取数据"},
        {WindowId::CommWrite, false, "Write to radio", "向对讲机写入数据"},
        {WindowId::Adjust, false, "Power Adjust", "发射功率调整"},
        {WindowId::Setup, true, "Communication Port Setup", "通讯端口设置"},
        {WindowId::Type, true, "Model Select", "机型选择"},
        {WindowId::About, true, "About", "关于"},
        {WindowId::OpenChann, true, "Channel files: Open, Save and Save As",
         "信道参数文件：打开、保存和另存为"},
        {WindowId::Chann, true, "Channel Information", "信道信息"},
    };
    for (bool chinese : {false, true}) {
        main->switchLanguage(chinese);
        for (const auto& w : windows) {
            SCOPED_TRACE(std::string(w.english) + (w.f1 ? " F1" : ""));
            main->reopen(w.id);
            settle();
            QWidget* window = main->window(w.id);
            if (w.f1) {
                QApplication::setActiveWindow(window->window());
                window->activateWindow();
                window->setFocus();
                QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_F1);
                settle();
            } else {
                press(window, "Command_Help");
            }
            ASSERT_NE(help(), nullptr);
            EXPECT_TRUE(help()->isVisible());
            EXPECT_EQ(help()->headingInView(), QString::fromUtf8(chinese ? w.chinese : w.english));
            main->unload(w.id);
        }
    }
    EXPECT_TRUE(presenter.take().empty());
}

TEST_F(Desktop, F1InTheMainWindowAndTheManualsKeys) {
    main->unload(WindowId::Chann);
    QApplication::setActiveWindow(main.get());
    QTest::keyClick(main.get(), Qt::Key_F1);
    ASSERT_NE(help(), nullptr);
    EXPECT_EQ(help()->headingInView(), "The main window");
    // Its focus shows from the start; Enter on a button presses it; Escape
    // closes the manual.
    QApplication::setActiveWindow(help());
    EXPECT_TRUE(help()->testAttribute(Qt::WA_KeyboardFocusChange));
    child<QPushButton>(help(), "Command_Contents")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(child<QPushButton>(help(), "Command_Back")->isEnabled());
    QTest::keyClick(help()->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help()->isVisible());
}

// (Where each heading lies in the manual shown: the Help and F1 test.)
TEST_F(Desktop, EveryWindowHasItsSectionInBothManuals) {
    for (bool chinese : {false, true}) {
        const std::map<QString, int> sections = ManualSections(ManualMarkdown(chinese));
        std::vector<const char*> names{"main-window", "command-line", "zt790ctl",
                                       "zt790sim",    "cables",       "troubleshooting"};
        for (const WindowSpec& w : Windows()) names.push_back(w.manualSection);
        for (const char* name : names)
            EXPECT_TRUE(sections.contains(QString::fromLatin1(name))) << name << " " << chinese;
    }
}

TEST_F(Desktop, CtrlQQuitsThroughTheExitPath) {
    main->exchangeRunning = [] { return true; };
    QTest::keyClick(main.get(), Qt::Key_Q, Qt::ControlModifier);
    settle();
    EXPECT_TRUE(main->isVisible());          // not while the radio is being written
    EXPECT_EQ(presenter.take().size(), 1u);  // quitting when idle: the app tests
}

TEST_F(Desktop, AdvancedShowsTheHiddenEntriesInTheirPlaces) {
    QWidget* edit = main->findChild<QMenu*>("Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(visibleItems(main->menuBar()),
              "File proc_type Edit Program Adjust proc_setup Menu_About Menu_exit");
    // The channel and undo commands come after the menu's own entries.
    const QString commands =
        " divider_undo Edit_undo Edit_redo divider_cut Edit_cut Edit_copy Edit_paste Edit_empty "
        "Edit_selectall divider_move Edit_moveup Edit_movedown Edit_insert Edit_delete "
        "divider_sort Edit_sortrx Edit_sortname divider_fields Edit_setfields";
    EXPECT_EQ(visibleItems(edit), "Channel_edit Optional_edit divider1 Test_edit" + commands);
    EXPECT_EQ(visibleItems(main->findChild<QMenu*>("File")),
              "File_New File_Open File_save File_saveas File_exit divider_files File_importcsv "
              "File_exportcsv File_printcard File_exportcard File_history");
    // Hidden entries cannot run, nor can the divider drawn as an entry.
    for (const char* off : {"key_edit", "Scan_edit", "Dtmf_edit", "Fleetsync_edit", "divider2",
                            "Message_edit", "Prog_test", "Language_Setup", "divider1"})
        EXPECT_FALSE(main->action(off)->isEnabled()) << off;

    main->setAdvanced(true);
    EXPECT_EQ(visibleItems(main->menuBar()),
              "File proc_type Edit Program Adjust proc_setup Language_Setup Menu_About Menu_exit");
    EXPECT_EQ(visibleItems(edit),
              "Channel_edit Optional_edit key_edit Scan_edit divider1 Test_edit divider2 "
              "Message_edit" +
                  commands);
    // They run (their windows open from them: the accessibility walk).
    for (const char* name : {"key_edit", "Scan_edit", "Message_edit", "Language_Setup"})
        EXPECT_TRUE(main->action(name)->isEnabled()) << name;
    // What the radio does not offer stays hidden.
    for (const char* never : {"Dtmf_edit", "Fleetsync_edit", "Prog_test"})
        EXPECT_FALSE(main->action(never)->isVisible()) << never;
}

}  // namespace
}  // namespace zt::test
