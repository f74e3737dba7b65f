// SPDX-License-Identifier: GPL-3.0-or-later
// Several radios at once, as a dealer runs zt790ctl against a row of zt790sim
// radios: a write where one radio stays silent, one lies about a write, one
// loses its cable and one port does not exist, while the good radio finishes
// and verifies; then reads, a clone with backups and a radio compared with a
// file. And diff of two files with its exit codes.
#include <QRegularExpression>

#include "ctl_run.h"
#include "model/write_prep.h"

namespace zt::testing {
namespace {

using Fleet = CtlTest;

// The report line of a port.
std::string RowOf(const std::string& report, const QString& port) {
    for (const QString& line : QString::fromStdString(report).split('\n'))
        if (line.startsWith(port + " ")) return line.toStdString();
    return "(no line for " + port.toStdString() + " in:\n" + report + ")";
}

// The report line of a port cut into its cells: port, result, blocks verified,
// seconds, file.
std::vector<std::string> CellsOf(const std::string& report, const QString& port) {
    std::vector<std::string> cells;
    for (const QString& cell :
         QString::fromStdString(RowOf(report, port)).split(QRegularExpression(" {2,}")))
        cells.push_back(cell.toStdString());
    return cells;
}

std::vector<std::string> FilesIn(const char* folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Beside the fleet, one silent radio read alone (both wait through four
// attempts, so they share the time): it exits with 1 and leaves the output
// file as it was.
TEST_F(Fleet, AFailingRadioFailsAloneAndTheWorstExitCodeWins) {
    const Image image = Radio(40);
    Save("send.chann", image);
    Image sent = image;
    PrepareImageForWrite(sent);
    const Image blank = BlankImage();
    ASSERT_NE(sent[7], blank[7]);

    auto good = StartRadio("good");
    auto silent = StartRadio("silent", "--fault silent@ident:always");
    auto liar = StartRadio("liar", "--fault no-store@7");
    auto pulled = StartRadio("pulled", "--fault pull@100");
    auto alone = StartRadio("alone", "--fault silent@ident:always");
    auto unread = StartRadio("unread", "--fault silent@ident:always");
    Write("kept.chann", "previous contents");
    auto read = Start("read --port " + alone->Device() + " --output kept.chann");
    // 1 means "different" to diff: a radio that does not answer is no answer.
    auto diff = Start("diff --port " + unread->Device() + " send.chann");
    const RunResult r =
        Ctl("write -p " + good->Device() + " -p " + silent->Device() + " -p " + liar->Device() +
            " -p " + pulled->Device() + " -p /nonexistent/tty send.chann --verify");
    EXPECT_EQ(r.exitCode, 8) << r.out << r.err;
    using Cells = std::vector<std::string>;
    auto cells = [&r](const QString& port) {
        Cells c = CellsOf(r.out, port);
        c.erase(c.begin() + 3);  // the seconds
        return c;
    };
    EXPECT_EQ(cells(good->Device()),
              (Cells{good->Device().toStdString(), "written, verified", "240/240", "-"}));
    EXPECT_EQ(cells(silent->Device()),
              (Cells{silent->Device().toStdString(), "no answer; nothing written", "-", "-"}));
    EXPECT_EQ(cells(liar->Device()),
              (Cells{liar->Device().toStdString(),
                     "verification failed: the radio holds something else at block 7 (address "
                     "0x0070)",
                     "239/240", "-"}));
    EXPECT_EQ(
        cells(pulled->Device()),
        (Cells{pulled->Device().toStdString(),
               "the port went away while writing (cable pulled or adapter unplugged)", "-", "-"}));
    EXPECT_EQ(cells("/nonexistent/tty"), (Cells{"/nonexistent/tty", "no such port", "-", "-"}));
    EXPECT_TRUE(Has(r.out, "1 of 5 radios succeeded; 4 failed.\n"));
    EXPECT_TRUE(Has(r.err,
                    "zt790ctl: cannot open /nonexistent/tty: No such file or directory\n"
                    "No such serial port:"));

    // Each radio holds what its fault left: all of it, all but block 7, the
    // blocks before the cable came out, nothing.
    EXPECT_TRUE(pulled->WaitForExit());
    good->Stop();
    silent->Stop();
    liar->Stop();
    const Image onGood = Load("good.chann");
    const Image onLiar = Load("liar.chann");
    const Image onPulled = Load("pulled.chann");
    for (int row = 0; row < 256; ++row) {
        const Image& written = row < 240 ? sent : blank;
        EXPECT_EQ(onGood[row], written[row]) << row;
        EXPECT_EQ(onLiar[row], row == 7 ? blank[row] : written[row]) << row;
        EXPECT_EQ(onPulled[row], row < 100 ? written[row] : blank[row]) << row;
    }
    EXPECT_EQ(Load("silent.chann"), blank);

    const RunResult lone = Wait(*read);
    EXPECT_EQ(lone.exitCode, 1);
    EXPECT_TRUE(Has(lone.err, "no answer from the radio, trying again in 5 s (attempt 4 of 4)\n"));
    EXPECT_TRUE(Has(lone.err, "no answer from the radio after 4 attempts\n"));
    EXPECT_EQ(Read("kept.chann"), "previous contents");
    const RunResult compared = Wait(*diff);
    EXPECT_EQ(compared.exitCode, 3) << compared.err;
    EXPECT_TRUE(Has(compared.err, "zt790ctl: the radio did not answer."));
}

// A clone from A to B and C runs beside a read of two other radios into a
// folder and a comparison of one of them with a file.
TEST_F(Fleet, ReadsCloneWithBackupsAndARadioComparedWithAFile) {
    Save("a.chann", Radio(1));
    Save("b.chann", Radio(2));
    Image cloned = Radio(1);
    PrepareImageForWrite(cloned);
    Save("prepared.chann", cloned);
    auto a = StartRadio("a-after", "--load a.chann");
    auto b = StartRadio("b-after", "--load b.chann");
    auto c = StartRadio("c-after");
    auto d = StartRadio("d-after", "--load prepared.chann");
    auto e = StartRadio("e-after", "--load b.chann");
    auto clone = Start("clone --from " + a->Device() + " --to " + b->Device() + " --to " +
                       c->Device() + " --backup backups -o source.chann");
    // Folders that exist but take no file, even from root.
    auto f = StartRadio("f-after", "--load b.chann");
    auto g = StartRadio("g-after", "--load b.chann");
    auto unsaved = Start("read -p " + f->Device() + " --output-dir /proc/self");
    auto unbacked =
        Start("write -p " + g->Device() + " -p /nonexistent/tty a.chann --backup /proc/self");

    RunResult r = Ctl("read -p " + d->Device() + " -p " + e->Device() + " --output-dir images");
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(CellsOf(r.out, d->Device()).at(1), "read");
    EXPECT_TRUE(Has(r.out, "All 2 radios succeeded.\n"));
    // Named after the port and the time; each holds its radio's memory.
    const std::vector<std::string> images = FilesIn("images");
    ASSERT_EQ(images.size(), 2U);
    for (const auto& [sim, memory] : {std::pair{d.get(), cloned}, std::pair{e.get(), Radio(2)}}) {
        std::string stem = sim->Device().toStdString().substr(5);  // "pts/3"
        std::replace(stem.begin(), stem.end(), '/', '-');
        const auto file = std::find_if(images.begin(), images.end(), [&](const std::string& n) {
            return n.starts_with(stem + "-");
        });
        ASSERT_NE(file, images.end()) << stem;
        EXPECT_TRUE(Has(RowOf(r.out, sim->Device()), "images/" + *file));
        const Image read = Load(("images/" + *file).c_str());
        for (int row = 0; row < 254; ++row) EXPECT_EQ(read[row], memory[row]) << row;
    }
    // What writing a.chann to D would change: nothing, D holds it as written.
    r = Ctl("diff --port " + d->Device() + " a.chann");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_TRUE(Has(r.out, "\nNo differences.\n"));

    r = Wait(*clone);
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    std::vector<std::string> cells = CellsOf(r.out, a->Device());
    ASSERT_EQ(cells.size(), 5U) << r.out;
    EXPECT_EQ(cells[1] + " " + cells[2] + " " + cells[4], "read, verified 254/254 source.chann");
    cells = CellsOf(r.out, c->Device());
    ASSERT_EQ(cells.size(), 5U) << r.out;
    EXPECT_EQ(cells[1] + " " + cells[2], "written, verified 240/240");
    EXPECT_TRUE(Has(r.out, "All 3 radios succeeded.\n"));
    const std::vector<std::string> backups = FilesIn("backups");
    ASSERT_EQ(backups.size(), 2U);
    for (const std::string& name : backups) {
        const Image backup = Load(("backups/" + name).c_str());
        const bool ofB = Has(RowOf(r.out, b->Device()), name);
        const Image before = ofB ? Radio(2) : BlankImage();
        for (int row = 0; row < 254; ++row) EXPECT_EQ(backup[row], before[row]) << row;
    }
    EXPECT_EQ(Load("source.chann"), Load("a.chann"));

    r = Wait(*unsaved);
    EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
    EXPECT_TRUE(Has(RowOf(r.out, f->Device()), "read, but not saved: ")) << r.out;
    r = Wait(*unbacked);
    EXPECT_EQ(r.exitCode, 3) << r.out << r.err;
    EXPECT_TRUE(Has(RowOf(r.out, g->Device()), "backup not saved: ")) << r.out;
    EXPECT_TRUE(Has(RowOf(r.out, g->Device()), "; nothing written")) << r.out;
    g->Stop();
    EXPECT_EQ(Load("g-after.chann"), Radio(2));

    b->Stop();
    c->Stop();
    const Image onB = Load("b-after.chann");
    const Image onC = Load("c-after.chann");
    for (int row = 0; row < 254; ++row) {
        EXPECT_EQ(onB[row], row < 240 ? cloned[row] : Radio(2)[row]) << row;
        EXPECT_EQ(onC[row], row < 240 ? cloned[row] : BlankImage()[row]) << row;
    }
}

// diff of two files: its report, its CSV and its exit codes.
TEST_F(Fleet, DiffOfTwoFiles) {
    Image a = BlankImage();
    StoreRxText(a, 3, "446.03");
    ApplyGridDefaults(a, 3);
    Image b = a;
    StoreRxText(b, 3, "446.5");
    WriteName(b, 3, "ab");
    b[3][14] = 0x00;   // a byte no editor shows
    b[208][0] = 3;     // squelch level
    b[130][0] = 0x12;  // memory no editor shows
    Save("a.chann", a);
    Save("b.chann", b);

    RunResult r = Ctl("diff a.chann a.chann");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "A: a.chann\nB: a.chann\n\nNo differences.\n");

    r = Ctl("diff a.chann b.chann");
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out,
              "A: a.chann\nB: b.chann\n"
              "\nChannel 3\n"
              "  Name                    (none)     ->  \"AB\"\n"
              "  Receive                 446.03000  ->  446.50000\n"
              "  Transmit                446.03000  ->  446.50000\n"
              "  row 3 byte 14 (0x003E)  FF         ->  00\n"
              "\nOptional features\n"
              "  Squelch Level  5  ->  3\n"
              "\nMemory no editor shows\n"
              "  row 130 byte 0 (0x0820)  FF  ->  12\n"
              "\n6 differences.\n");

    r = Ctl("diff a.chann b.chann --csv");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "Channel,Field,A,B\r\n"
              "3,Name,(none),AB\r\n"
              "3,Receive,446.03000,446.50000\r\n"
              "3,Transmit,446.03000,446.50000\r\n"
              "3,row 3 byte 14 (0x003E),FF,00\r\n");
    EXPECT_EQ(r.err,
              "zt790ctl: 2 differences lie outside the channels; run without --csv to see "
              "them.\n");

    EXPECT_EQ(Ctl("diff -p /nonexistent/tty a.chann").exitCode, 5);
}

}  // namespace
}  // namespace zt::testing
