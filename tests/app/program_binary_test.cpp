// SPDX-License-Identifier: GPL-3.0-or-later
// The zt790prog program itself, as a user drives it: on a virtual X display,
// against zt790sim on a pseudo-terminal, with nothing but keys. Open the file
// given on the command line, choose the radio's device in the port dialog,
// read, edit a channel in the grid, write, save, trim a power level, leave;
// then look at what the radio and the file hold.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "accessible_tree.h"
#include "files/channel_file.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "support/sim_process.h"
#include "x_display.h"

namespace zt::testing {
namespace {

TEST(ProgramBinary, ReadEditWriteAndTrimThePowerWithTheKeyboard) {
    Display& x = Screen();
    ASSERT_EQ(x.Error(), "");
    ASSERT_TRUE(x.Xdo({"version"})) << "xdotool is missing (scripts/deps installs it)";
    // Only to see when the power window's link is up, as a screen reader does.
    AccessibilityBus& bus = Bus();
    ASSERT_TRUE(bus.Ready()) << "no accessibility bus (scripts/deps installs at-spi2-core, dbus)";

    QTemporaryDir dir;
    const QString start = dir.filePath("radio.chann");
    const QString end = dir.filePath("after.chann");
    Image memory = BlankImage();
    StoreRxText(memory, 1, "446.00625");
    ApplyGridDefaults(memory, 1);
    WriteName(memory, 1, "BASE");
    memory[240] = ImageRow{30, 90, 160, 0};
    ASSERT_TRUE(SaveChannelFile(start.toStdString(), memory).ok);
    SimProcess sim({"--load", start, "--save", end});
    ASSERT_FALSE(sim.Device().isEmpty()) << "zt790sim did not start";

    // As a file manager starts it, with the file.
    bus.Listen();
    QProcess program;
    ASSERT_TRUE(x.Start(program, dir.path(), {start}, bus.ProgramEnvironment()));
    const QString main = x.WaitForWindow("series program software");
    ASSERT_FALSE(main.isEmpty()) << "the main window did not show";
    // Types `typed` into the window titled `title`, after `keys`, then presses
    // Return and waits until it has gone.
    const auto answer = [&x](const QString& title, const QStringList& keys = {},
                             const QString& typed = {}) {
        const QString window = x.WaitForWindow(title);
        return !window.isEmpty() && (keys.isEmpty() || x.Keys(window, keys)) &&
               (typed.isEmpty() || x.Type(window, typed)) && x.Keys(window, {"Return"}) &&
               x.WaitForNoWindow(title);
    };
    ASSERT_TRUE(answer("Operate Prompt")) << "no message about the file";

    // Communication (Alt+C): its dialog takes the typed device path.
    ASSERT_TRUE(x.Keys(main, {"alt+c"}));
    ASSERT_TRUE(answer("Communication Port Setup", {"Tab"}, sim.Device()));

    // Read: the window opens with its Read button in focus.
    ASSERT_TRUE(x.Keys(main, {"ctrl+r", "space"}));
    ASSERT_TRUE(sim.WaitForExchange(1, 60'000)) << "the read did not finish";
    ASSERT_TRUE(answer("Operate Prompt"));

    // A read or write window closes itself a moment after its exchange, and the
    // focus moving then would take the next keys: Ctrl+R (or Ctrl+W) opens a
    // fresh, idle one instead, which Cancel closes at once.
    // Channel 3 in the grid, two rows below the first cell, left with Enter;
    // then a write (its Write button has the focus too), which ends without a
    // word: a backup read (the read above is its first), the write and the
    // read-back.
    ASSERT_TRUE(x.Keys(main, {"ctrl+r", "Tab", "space", "Down", "Down"}));
    ASSERT_TRUE(x.Type(main, "445.5"));
    ASSERT_TRUE(x.Keys(main, {"Return", "ctrl+w", "space"}));
    ASSERT_TRUE(sim.WaitForExchange(4, 60'000)) << "the write did not finish";
    ASSERT_TRUE(x.Keys(main, {"ctrl+w", "Tab", "space"}));

    // Ctrl+S: the save window opens on the file name, ready to be typed over.
    ASSERT_TRUE(x.Keys(main, {"ctrl+s"}));
    ASSERT_TRUE(x.Type(main, "saved.chann"));
    ASSERT_TRUE(x.Keys(main, {"Return"}));
    ASSERT_TRUE(answer("Operate Prompt")) << "no message about the saved file";

    // Adjust > Power Adjust (Alt+A, P). Once its link is up (its bars show
    // the radio's levels), two steps up on the high level, then Close (after
    // the three levels in the tab order).
    ASSERT_TRUE(x.Keys(main, {"alt+a", "p"}));
    ASSERT_TRUE(WaitFor([&] { return bus.Values().contains("High Power: 160"); }))
        << "the power window's link did not come up";
    ASSERT_TRUE(x.Keys(main, {"Tab", "Tab", "Right", "Right", "Tab", "space"}));
    ASSERT_TRUE(sim.WaitForExchange(5, 15'000)) << "the power window did not end its link";

    // Exit (Alt+X) ends the program normally.
    ASSERT_TRUE(x.Keys(main, {"alt+x"}));
    ASSERT_TRUE(program.waitForFinished(10'000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    sim.Stop();
    Image after{};
    ASSERT_TRUE(LoadChannelFile(end.toStdString(), after).ok);
    Image file{};
    ASSERT_TRUE(LoadChannelFile(dir.filePath("saved.chann").toStdString(), file).ok);
    const auto power = [&after](int level) { return after[240][level]; };
    EXPECT_EQ(RxText(after, 1) + " " + ReadName(after, 1) + " " + RxText(after, 3) + " " +
                  TxText(after, 3) + " " + RxText(file, 3),
              "446.00625 BASE 445.50000 445.50000 445.50000");
    EXPECT_EQ(std::vector<int>({power(0), power(1), power(2)}), (std::vector<int>{30, 90, 162}));
}

}  // namespace
}  // namespace zt::testing
