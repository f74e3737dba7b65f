// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a screen reader meets it, in each language: every window of
// the window table opened from its menu item (as a screen reader presses it),
// with the dialogs of Set Fields and of the channel card, then the whole
// accessible tree walked. Every control a user can reach names itself, with
// more than its role; the grid's cell editor names the cell it edits as the
// focus moves; the menus give their access keys; an edit, the port, a write's
// progress and its end are spoken although the focus stays where it is.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <map>
#include <set>

#include "accessible_tree.h"
#include "support/sim_process.h"
#include "ui/window_table.h"
#include "x_display.h"

namespace zt::testing {
namespace {

struct Language {
    const char* flag;
    bool chinese;
};

// The texts the walk looks for, in English and in Chinese.
using Words = std::array<const char*, 2>;
constexpr Words kMainTitle{"series program software", "系列对讲机编程软件"};
constexpr Words kPortTitle{"Communication Port Setup", "通讯端口设置"};
// What the grid's editor is called on channel 3, in its first two columns.
constexpr Words kChannel3Rx{"Channel 3, RX Frequency", "信道号 3，接收频率(MHZ)"};
constexpr Words kChannel3Tx{"Channel 3, TX Frequency", "信道号 3，发射频率(MHZ)"};
constexpr Words kFileMenu{"File", "文件"};
constexpr Words kModified{"Modified", "已修改"};
// The write window's button, its title, its last status, its check boxes.
constexpr Words kWrite{"Write", "写入"};
constexpr Words kWriteTitle{"Write Data to Radio", "写数据到对讲机"};
constexpr Words kWritten{"Complete writing Data", "数据写入完毕 ！"};
constexpr Words kBackup{"Keep a backup of the radio first", "先保存对讲机数据备份"};
constexpr Words kReadBack{"Read back and compare", "写入后读回核对"};
// The menu items that open a dialog of their own.
constexpr Words kSetFields{"Set Fields for Selected Channels...", "批量设置所选信道..."};
constexpr Words kPrintCard{"Print Channel Card...", "打印信道卡..."};
constexpr Words kExportCard{"Export Channel Card (PDF)...", "导出信道卡(PDF)..."};

// What a user can act on, whether or not it takes the focus.
const std::set<QString> kControlRoles{"push button", "toggle button", "check box",   "radio button",
                                      "combo box",   "text",          "spin button", "slider",
                                      "scroll bar",  "progress bar",  "page tab",    "table cell"};
// Names that only say what kind of control it is.
const std::set<QString> kRoleWords{
    "edit",      "button",       "push button", "combo box",  "text",   "list", "list item",
    "check box", "radio button", "spin box",    "scroll bar", "slider", "cell"};

// The windows that no menu item opens, and the button that does.
const std::map<WindowId, Words> kOpenedByButton{
    {WindowId::ChannEdit, {"Channel Edit", "信道编辑"}},
    {WindowId::Doctor, {"Check Connection", "检查连接"}}};  // in the port dialog

class Walker {
  public:
    explicit Walker(AccessibilityBus& bus) : bus_(bus) {}
    std::vector<std::string> faults;
    int controls = 0;
    std::map<QString, Accessible> named;  // every object by name, hidden ones too

    void Collect(const Accessible& a, int depth = 0) {
        const QString name = bus_.Name(a);
        if (!name.isEmpty() && !named.count(name.trimmed())) named[name.trimmed()] = a;
        // The grid's cells open nothing.
        if (depth > 30 || bus_.RoleName(a) == "table") return;
        for (const Accessible& c : bus_.Children(a)) Collect(c, depth + 1);
    }

    // The shown part of the tree; in a table only the headers and first rows.
    // `seen`: the names of the controls of one window, by role.
    void Check(const Accessible& a, const QString& where, std::set<QString>* seen = nullptr) {
        const gint64 states = bus_.States(a);
        if ((states >> ATSPI_STATE_SHOWING & 1) == 0) return;
        const QString role = bus_.RoleName(a);
        // A list's own name is the item it shows; what it is for is its label.
        QString name = role == "combo box" ? QString() : bus_.Name(a).trimmed();
        if (name.isEmpty()) name = bus_.LabelName(a).trimmed();
        const bool control =
            (states >> ATSPI_STATE_FOCUSABLE & 1) != 0 || kControlRoles.count(role);
        const QString at = where + " > " + role;
        // ZT_WALK_DEBUG=1 lists every object the walk passes, with its name.
        if (qEnvironmentVariableIsSet("ZT_WALK_DEBUG"))
            qInfo("%s [%s]", qPrintable(at), qPrintable(name));
        if (control && role != "table cell") {
            ++controls;
            if (name.isEmpty()) {
                faults.push_back(("no name: " + at).toStdString());
            } else if (name.toLower() == role || kRoleWords.count(name.toLower())) {
                faults.push_back(("only a role: \"" + name + "\" " + at).toStdString());
            } else if (seen && !seen->insert(role + " " + name).second) {
                faults.push_back(("named like another: \"" + name + "\" " + at).toStdString());
            }
        } else if (control && name.isEmpty()) {
            faults.push_back(("no name: " + at).toStdString());
        }
        const std::vector<Accessible> children = bus_.Children(a, role == "table" ? 40 : 1 << 30);
        // Every window keeps its own names apart.
        std::set<QString> own;
        const bool window = role == "frame" || role == "dialog" || role == "internal frame";
        const QString path = where + " > " + (name.isEmpty() ? role : name);
        for (const Accessible& c : children) Check(c, path, window ? &own : seen);
    }

  private:
    AccessibilityBus& bus_;
};

class AccessibilityWalk : public ::testing::TestWithParam<Language> {};

// The caption of the menu item or button that opens a window.
QString Opener(const WindowSpec& w, bool chinese) {
    if (w.command.name) {
        const std::string_view caption = w.command.caption.in(chinese);
        return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())).trimmed();
    }
    const auto it = kOpenedByButton.find(w.id);
    return it == kOpenedByButton.end() ? QString() : QString::fromUtf8(it->second[chinese]);
}

TEST_P(AccessibilityWalk, EveryWindowNamesEveryControl) {
    const Language& language = GetParam();
    const auto text = [&](const Words& w) { return QString::fromUtf8(w[language.chinese]); };
    Display& x = Screen();
    ASSERT_EQ(x.Error(), "");
    AccessibilityBus& bus = Bus();
    ASSERT_TRUE(bus.Ready()) << "no accessibility bus (scripts/deps installs at-spi2-core, dbus)";
    // The power window stays open only while a radio answers it.
    SimProcess sim;
    ASSERT_FALSE(sim.Device().isEmpty()) << "zt790sim did not start";
    QTemporaryDir home;
    QProcess program;
    ASSERT_TRUE(x.Start(program, home.path(), {"--language", language.flag, "--advanced"},
                        bus.ProgramEnvironment()));
    const QString main = x.WaitForWindow(text(kMainTitle));
    ASSERT_FALSE(main.isEmpty()) << "the main window did not show";
    const Accessible app = bus.WaitForApplication(program.processId());
    ASSERT_TRUE(app) << "the program did not join the accessibility bus";

    // The grid opens on channel 1: Enter opens its editor, Down moves it down
    // and Enter, storing a frequency, on to the next column.
    bus.Listen();
    ASSERT_TRUE(x.Keys(main, {"Return", "Down", "Down"}));
    EXPECT_EQ(bus.WaitForFocusNamed(text(kChannel3Rx)), text(kChannel3Rx));
    ASSERT_TRUE(x.Type(main, "446"));
    ASSERT_TRUE(x.Keys(main, {"Return"}));
    EXPECT_EQ(bus.WaitForFocusNamed(text(kChannel3Tx)), text(kChannel3Tx));
    EXPECT_EQ(bus.WaitForAnnouncement(text(kModified)), text(kModified));

    Walker walker(bus);
    walker.Collect(app);
    EXPECT_EQ(bus.KeyBinding(walker.named[text(kFileMenu)]), "Alt+F");
    // The radio's port, typed into the port dialog.
    bus.Press(walker.named[Opener(Window(WindowId::Setup), language.chinese)]);
    const QString setup = x.WaitForWindow(text(kPortTitle));
    ASSERT_TRUE(x.Keys(setup, {"Tab"}));
    ASSERT_TRUE(x.Type(setup, sim.Device()));
    ASSERT_TRUE(x.Keys(setup, {"Return"}));
    ASSERT_TRUE(x.WaitForNoWindow(text(kPortTitle)));
    EXPECT_EQ(bus.WaitForAnnouncement(sim.Device()), sim.Device());

    // A write, which ends without a box: its progress and its end are heard.
    // Its backup and read-back, which only make it longer here, are turned off
    // as a screen reader user does it.
    bus.Press(walker.named[Opener(Window(WindowId::CommWrite), language.chinese)]);
    ASSERT_TRUE(WaitFor([&] {
        walker.Collect(app);
        return walker.named.count(text(kWrite)) > 0;
    }));
    for (const Words& w : {kBackup, kReadBack, kWrite}) bus.Press(walker.named[text(w)]);
    EXPECT_EQ(bus.WaitForAnnouncement(text(kWritten)), text(kWritten));
    EXPECT_EQ(bus.Values().back(), text(kWriteTitle) + ": 99");  // its last

    // Every window of the table, from its menu item or its button, as a
    // screen reader presses them; each one joins the program's windows or the
    // work area's.
    for (const WindowSpec& w : Windows()) {
        if (w.id == WindowId::Chann) continue;  // open from the start
        const QString opener = Opener(w, language.chinese);
        ASSERT_FALSE(opener.isEmpty()) << "window " << int(w.id) << ": how does a user open it?";
        if (!walker.named.count(opener)) walker.Collect(app);  // a button of a window opened here
        ASSERT_TRUE(walker.named.count(opener)) << "nothing named " << opener.toStdString();
        bus.Press(walker.named[opener]);
    }
    // Last, as each runs a loop of its own until it closes.
    for (const Words& w : {kSetFields, kPrintCard, kExportCard}) bus.Press(walker.named[text(w)]);
    const Accessible frame = bus.Children(app).front();
    const auto windows = [&] {
        int n = static_cast<int>(bus.Children(app).size()) - 1;  // the main window's dialogs
        for (const Accessible& c : bus.Children(frame)) {
            if (bus.RoleName(c) == "layered pane") n += static_cast<int>(bus.Children(c).size());
        }
        return n;
    };
    const auto open = static_cast<int>(Windows().size() + 3);
    EXPECT_TRUE(WaitFor([&] { return windows() == open; })) << windows() << " windows open";

    walker.Check(app, language.flag);
    EXPECT_GT(walker.controls, 150);  // the walk reached the windows
    std::string all;
    for (const std::string& f : walker.faults) all += f + "\n";
    EXPECT_EQ(all, "");
    program.kill();
    program.waitForFinished(5000);
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibilityWalk,
                         ::testing::Values(Language{"en", false}, Language{"zh", true}),
                         [](const auto& info) { return std::string(info.param.flag); });

}  // namespace
}  // namespace zt::testing
