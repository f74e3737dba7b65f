// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl's radio commands as a user runs them against zt790sim radios, every
// command of a test at once: each subcommand once for its wiring, with the
// faults it tells in its own way. What each outcome is called, with its exit
// code: ctl_parts_test; the transfers' own rules: the transfer tests.
#include "ctl_run.h"
#include "model/write_prep.h"

namespace zt::testing {
namespace {

using CtlRadios = CtlTest;

// What a radio holding `own` holds after `image` was written to it: rows
// 0..239 as a write sends them, its own beyond.
Image Written(Image image, const Image& own) {
    PrepareImageForWrite(image);
    std::copy(own.begin() + 240, own.end(), image.begin() + 240);
    return image;
}

TEST_F(CtlRadios, OneRadioACommand) {
    Image memory = Radio(3);
    memory[240] = BlankImage()[240];  // power levels 50, 100 and 200
    const Image before = Radio(0);
    Image edited = before;
    StoreRxText(edited, 7, "440.5");
    const Image send = Radio(40);
    Save("radio.chann", memory);
    Save("before.chann", before);
    Save("edited.chann", edited);
    Save("send.chann", send);
    Save("prepared.chann", Written(send, send));
    StartRadios({{"read", "--load radio.chann"},
                 {"noisy", "--load before.chann --fault corrupt@100"},
                 {"liar", "--load before.chann --fault no-store@7"},
                 {"good", "--load radio.chann"},
                 {"power", "--load radio.chann"},
                 {"mute", "--fault silent@ident:always"},
                 {"pulled", "--fault pull@100"},
                 {"gone", "--fault pull@ident"},
                 {"same", "--load prepared.chann"},
                 {"asked", ""},
                 {"quiet", "--fault silent@ident:always"}});
    qputenv("ZT790_TRACE", "trace.txt");
    RunAll({
        {"read -p {read} -o read.chann", 0, {"Saved read.chann"}},
        {"read -p {noisy} -o got.chann --verify",
         8,
         {"verification failed: two reads of the radio differ, first at block 100 (address "
          "0x0640)"}},
        {"write -p {liar} edited.chann --backup backup.chann --verify",
         8,
         {"Backup saved to backup.chann",
          "the radio holds something other than what was written, first at block 7 (address "
          "0x0070), in channel 7."}},
        {"write -p {good} send.chann --verify",
         0,
         {"Verified: the radio holds what was written (blocks 0..239)."}},
        {"power -p {power} --low 20 --high 180",
         0,
         {"low 50\nmid 100\nhigh 200\nlow set to 20\nhigh set to 180\n"}},
        {"power -p {mute}",
         1,
         {"zt790ctl: the radio did not answer the power adjustment. Check that it is switched on "
          "and the cable is seated.\n"}},
        {"read -p {pulled} -o lost.chann",
         1,
         {"zt790ctl: the port went away while reading (cable pulled or adapter unplugged).\n"}},
        // A radio that could not be read is no "different" (1).
        {"diff -p {gone} send.chann", 3, {"zt790ctl: the port went away while reading"}},
        // What writing the file would change: nothing, the radio holds it as written.
        {"diff -p {same} send.chann", 0, {"\nNo differences.\n"}},
        {"doctor --port {asked} --json", 0, {R"("detail": "The radio answered: ZT790")"}},
        {"doctor --port {quiet}", 1, {"radio | failed | no answer"}},
    });
    qunsetenv("ZT790_TRACE");
    EXPECT_TRUE(Has(Read("trace.txt"), " sent 50 52 4F 47 52 41 4D 02\n"));
    EXPECT_TRUE(Has(Read("trace.txt"), " received 5A 54 37 39 30"));
    EXPECT_EQ(Load("read.chann"), memory);
    EXPECT_FALSE(std::filesystem::exists("got.chann"));
    EXPECT_FALSE(std::filesystem::exists("lost.chann"));
    EXPECT_EQ(Load("backup.chann"), before);
    Image kept = Written(edited, before);
    kept[7] = before[7];
    EXPECT_EQ(Stopped("liar"), kept);
    EXPECT_EQ(Stopped("good"), Written(send, memory));
    Image powered = memory;
    powered[240][0] = 20;
    powered[240][2] = 180;
    powered[240][3] = 2;  // the level moved last
    EXPECT_EQ(Stopped("power"), powered);

    // Both are in the history: the read comes back out as it was saved, the
    // write names its file.
    std::string readEntry;
    bool written = false;
    for (const QString& line : QString::fromStdString(Ctl("history").out).split('\n')) {
        const std::string l = line.toStdString();
        if (Has(l, "  read     " + radios["read"]->Device().toStdString()))
            readEntry = line.trimmed().section(' ', 0, 0).toStdString();
        written = written || (Has(l, "  written  " + radios["good"]->Device().toStdString()) &&
                              l.ends_with("send.chann"));
    }
    EXPECT_TRUE(written);
    ASSERT_EQ(
        Ctl(QString::fromStdString("history export " + readEntry + " -o kept.chann")).exitCode, 0);
    EXPECT_EQ(Read("kept.chann"), Read("read.chann"));
}

// Several radios a command: the table, a line per radio, its sum and the most
// serious exit code; a clone spreads one radio's memory.
TEST_F(CtlRadios, SeveralRadiosACommand) {
    const Image memory = Radio(1);
    const Image before = Radio(2);
    const Image send = Radio(40);
    Save("radio.chann", memory);
    Save("before.chann", before);
    Save("send.chann", send);
    StartRadios({{"good", ""},
                 {"pulled", "--fault pull@100"},
                 {"unbacked", "--load before.chann"},
                 {"r1", "--load radio.chann"},
                 {"r2", "--load before.chann"},
                 {"unsaved", ""},
                 {"from", "--load radio.chann"},
                 {"to1", "--load before.chann"},
                 {"to2", ""}});
    const std::vector<RunResult> r = RunAll({
        {"write -p {good} -p {pulled} -p /nonexistent/tty send.chann --verify",
         1,
         {"{good} | written, verified | 240/240 | ",
          "{pulled} | the port went away while writing (cable pulled or adapter unplugged) | - | ",
          "/nonexistent/tty | no such port | - | ", "1 of 3 radios succeeded; 2 failed.\n",
          "zt790ctl: cannot open /nonexistent/tty: No such file or directory\nNo such serial "
          "port:"}},
        // Folders that exist but take no file, even from root.
        {"write -p {unbacked} -p /nonexistent/b send.chann --backup /proc/self",
         3,
         {"{unbacked} | backup not saved: "}},
        {"read -p {unsaved} --output-dir /proc/self", 3, {"{unsaved} | read, but not saved: "}},
        {"read -p {r1} -p {r2} --output-dir images", 0, {"All 2 radios succeeded.\n"}},
        {"clone --from {from} --to {to1} --to {to2} -o source.chann",
         0,
         {"{from} | read, verified | 254/254 | ", " | source.chann\n",
          "{to2} | written, verified | 240/240 | ", "All 3 radios succeeded.\n"}},
    });
    EXPECT_EQ(Stopped("good"), Written(send, BlankImage()));
    EXPECT_EQ(Stopped("unbacked"), before);
    EXPECT_EQ(Stopped("to1"), Written(memory, before));
    EXPECT_EQ(Stopped("to2"), Written(memory, BlankImage()));
    EXPECT_EQ(Load("source.chann"), memory);
    // Named after the port and the time; each holds its radio's memory.
    for (const auto& [name, image] : {std::pair{"r1", memory}, std::pair{"r2", before}}) {
        std::string stem = radios[name]->Device().toStdString().substr(5);  // "pts/3"
        std::replace(stem.begin(), stem.end(), '/', '-');
        int found = 0;
        for (const auto& e : std::filesystem::directory_iterator("images")) {
            const std::string file = e.path().filename().string();
            if (!file.starts_with(stem + "-")) continue;
            ++found;
            EXPECT_TRUE(Has(r[3].out, "images/" + file));
            EXPECT_EQ(Load(("images/" + file).c_str()), image);
        }
        EXPECT_EQ(found, 1) << stem;
    }
}

}  // namespace
}  // namespace zt::testing
