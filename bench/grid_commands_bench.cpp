// SPDX-License-Identifier: GPL-3.0-or-later
// How long the channel grid's bulk commands take over all 128 channels, from
// the command to the grid repainted: paste 128 channels (whole, and as CSV
// rows), sort, move 127 channels, undo and redo, and set the power and the
// names of all 128 in the Set Fields dialog. Each is timed from the menu
// command until the event loop has run the repaint it asked for and the undo
// step is recorded. The goal is 50 ms each. Then the channel card of 128
// channels, from File > Export Channel Card (PDF)... to the PDF written; the
// goal is 1 s.
//
// Run it under the platform the program uses (xvfb-run for X11, or
// QT_QPA_PLATFORM=offscreen).
//
// Usage: bench_grid_commands [RUNS]   (default 20)

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "files/channel_csv.h"
#include "files/channel_records_text.h"
#include "model/app_state.h"
#include "model/blank_image.h"
#include "model/channel.h"
#include "model/channel_paste.h"
#include "ui/bulk_edit_dialog.h"
#include "ui/card_commands.h"
#include "ui/channel_clipboard.h"
#include "ui/channel_grid_window.h"
#include "ui/edit_command_runner.h"
#include "ui/image_recorder.h"
#include "ui/main_window.h"
#include "ui/message_presenter.h"

namespace {

// Counts the grid's repaints, so a figure never leaves out the drawing.
class PaintCount final : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class Messages final : public zt::MessagePresenter {
  public:
    QString last;

  protected:
    void present(const QString& text, const QString&) override { last = text; }
    // "Replace N used channels?": Replace.
    int presentQuestion(const QString&, const QString&, const QStringList&, int) override {
        return 0;
    }
};

// All 128 channels used and named, receive frequencies falling so that a
// sort has everything to move.
zt::Image FullImage(int shift) {
    zt::Image image = zt::BlankImage();
    for (int c = 1; c <= zt::kChannelCount; ++c) {
        const int k = (c * 37 + shift) % zt::kChannelCount;
        zt::StoreRxText(image, c, std::to_string(400 + k / 2) + "." + std::to_string(10000 + k));
        zt::ApplyGridDefaults(image, c);
        zt::SetRxTone(image, c, 1 + k % 50);
        zt::WriteName(image, c, "CH" + std::to_string(k));
    }
    return image;
}

struct Figures {
    double median = 0;
    double worst = 0;
};

Figures Summarize(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    zt::AppState state;
    Messages messages;
    zt::MainWindow main(state, messages);
    main.load();
    zt::ChannelGridWindow* grid = main.channelGrid();
    QApplication::processEvents();
    PaintCount painted;
    grid->grid()->viewport()->installEventFilter(&painted);

    // From the command until the loop has repainted and the step is recorded.
    const auto timed = [&](const std::function<void()>& prepare, const char* command) {
        prepare();
        QApplication::processEvents();
        QElapsedTimer clock;
        const int paintsBefore = painted.paints;
        clock.start();
        main.action(command)->trigger();
        QApplication::processEvents();  // the repaint the command asked for
        main.recorder().settle();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (painted.paints == paintsBefore)
            std::printf("%s: the grid was not repainted\n", command);
        return ms;
    };
    const auto start = [&](int shift) {
        state.ChannelTable = FullImage(shift);
        main.imageReplaced();
        main.recorder().reset();
    };
    std::vector<int> all127;
    for (int c = 2; c <= zt::kChannelCount; ++c) all127.push_back(c);
    std::vector<int> all128 = all127;
    all128.insert(all128.begin(), 1);
    // The Set Fields dialog answered at once: Low power and names CH001 onwards.
    main.editCommands().runFieldsDialog = [](zt::BulkEditDialog& dialog) {
        for (const char* box : {"Check_power", "Check_name"})
            dialog.findChild<QCheckBox*>(box)->setChecked(true);
        dialog.findChild<QLineEdit*>("Text_name")->setText("CH###");
        dialog.findChild<QAbstractButton*>("Command_ok")->click();
    };

    struct Bench {
        const char* name;
        std::function<void(int)> prepare;
        const char* command;
        std::vector<double> ms;
    } benches[] = {
        {"paste 128 whole channels",
         [&](int run) {
             start(run);
             const zt::Image other = FullImage(run + 1);
             zt::PutChannelsOnClipboard(zt::FormatChannelCsv(other),
                                        zt::FormatChannelRecords(zt::ClipChannels(other, all128)));
             grid->selectChannels({1}, 1);
         },
         "Edit_paste",
         {}},
        {"paste 128 CSV rows",
         [&](int run) {
             start(run);
             QGuiApplication::clipboard()->setText(
                 QString::fromStdString(zt::FormatChannelCsv(FullImage(run + 1))));
             grid->selectChannels({1}, 1);
         },
         "Edit_paste",
         {}},
        {"sort by RX", [&](int run) { start(run); }, "Edit_sortrx", {}},
        {"sort by name", [&](int run) { start(run); }, "Edit_sortname", {}},
        {"move 127 up",
         [&](int run) {
             start(run);
             zt::ClearChannel(state.ChannelTable, 1);
             main.imageReplaced();
             grid->selectChannels(all127, 2);
         },
         "Edit_moveup",
         {}},
        {"undo a sort",
         [&](int run) {
             start(run);
             main.action("Edit_sortrx")->trigger();
             main.recorder().settle();
         },
         "Edit_undo",
         {}},
        {"redo a sort",
         [&](int run) {
             start(run);
             main.action("Edit_sortrx")->trigger();
             main.recorder().settle();
             main.action("Edit_undo")->trigger();
         },
         "Edit_redo",
         {}},
        {"set 128 fields",
         [&](int run) {
             start(run);
             grid->selectChannels(all128, 1);
         },
         "Edit_setfields",
         {}},
    };
    int failures = 0;
    for (Bench& b : benches) {
        for (int run = 0; run < runs; ++run)
            b.ms.push_back(timed([&] { b.prepare(run); }, b.command));
        const Figures f = Summarize(b.ms);
        // A paste that stored nothing would be quick and wrong.
        if (b.command == std::string("Edit_paste") &&
            !messages.last.startsWith("Pasted 128 channels")) {
            std::printf("paste failed: %s\n", messages.last.toLocal8Bit().constData());
            ++failures;
        }
        std::printf("%-15s median %5.1f ms, worst %5.1f ms over %d runs%s\n", b.name, f.median,
                    f.worst, runs, f.worst <= 50 ? "" : "  above the 50 ms goal");
        if (f.worst > 50) ++failures;
    }

    // The card: laying out and drawing two pages and writing the PDF with its fonts.
    QTemporaryDir dir;
    auto* cards = main.findChild<zt::CardCommands*>();
    cards->chooseFileToSave = [&](const QString&, const QString&) {
        return dir.filePath("card.pdf");
    };
    std::vector<double> cardMs;
    for (int run = 0; run < runs; ++run) {
        start(run);
        grid->selectChannels({}, 1);
        QElapsedTimer clock;
        clock.start();
        main.action("File_exportcard")->trigger();
        cardMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!messages.last.startsWith("Exported the channel card of 128 channels (2 pages)")) {
            std::printf("card failed: %s\n", messages.last.toLocal8Bit().constData());
            ++failures;
            break;
        }
    }
    const Figures card = Summarize(cardMs);
    std::printf("%-15s median %5.1f ms, worst %5.1f ms over %d runs%s\n", "card of 128",
                card.median, card.worst, runs, card.worst <= 1000 ? "" : "  above the 1 s goal");
    if (card.worst > 1000) ++failures;
    return failures == 0 ? 0 : 1;
}
