// SPDX-License-Identifier: GPL-3.0-or-later
// zt790ctl's parts called directly: the port list report and port failures,
// the limit and image reports, and the fleet table.
#include "cli/ctl_common.h"
#include "cli/diff_report.h"
#include "cli/fleet_report.h"
#include "cli/image_report.h"
#include "cli/import_report.h"
#include "cli/limit_report.h"
#include "cli/model_option.h"
#include "cli/port_report.h"
#include "cli/step_text.h"
#include "cli/transfer_report.h"

#include "../model/table.h"
#include "ctl_run.h"

namespace zt::ctl {
namespace {

const UserGroups kAnn{"ann", {"ann"}, {"ann"}};
const std::string kRule = "/usr/lib/udev/rules.d/60-zt790prog-cables.rules";
const PortProbe kDialout{true, false, "root", "dialout", 0660};
const PortProbe kRootOnly{true, false, "root", "root", 0600};
const PortProbe kNoDevice{false, false, "", "", 0};
const PortProbe kOpen{true, true, "root", "dialout", 0660};

PortLine Line(const std::string& device, const char* description, PortProbe probe) {
    return {{device.substr(5), device, description, false}, probe};
}

// The advice reads the port's own owner, group and mode: the port's group to
// join, or for a port only root may open the udev rule the package installs.
TEST(PortReport, NumbersAccessAndAdvice) {
    EXPECT_EQ(PortListReport({}, kAnn, kRule),
              "No serial ports found.\n"
              "Plug in the programming cable: a USB cable appears as /dev/ttyUSB0 or "
              "/dev/ttyACM0.\n");
    EXPECT_EQ(PortListReport({Line("/dev/ttyUSB0", "FT232R USB UART (FTDI)", kDialout),
                              Line("/dev/ttyACM0", "", kOpen), Line("/dev/ttyS0", "", kRootOnly),
                              Line("/dev/ttyS1", "", kDialout)},
                             kAnn, kRule),
              R"(No.  Device        Access  Description
  1  /dev/ttyUSB0  denied  FT232R USB UART (FTDI)
  2  /dev/ttyACM0  ok
  3  /dev/ttyS0    denied
  4  /dev/ttyS1    denied

The port belongs to the dialout group (crw-rw---- root dialout). To use it without root, add yourself to the group:
    sudo adduser ann dialout
then log out and in again.

The port is for root only (crw------- root root).
The udev rule zt790prog installs, /usr/lib/udev/rules.d/60-zt790prog-cables.rules, gives USB programming cables to the dialout group. Load it, or plug the cable in again:
    sudo udevadm control --reload && sudo udevadm trigger
Then add yourself to the dialout group:
    sudo adduser ann dialout
and log out and in again.
)");
    // Only the first eight have a number, as in the port dialog.
    std::vector<PortLine> nine;
    for (int k = 0; k < 9; ++k) nine.push_back(Line("/dev/ttyS" + std::to_string(k), "", kOpen));
    EXPECT_TRUE(testing::Has(PortListReport(nine, kAnn, kRule),
                             "  8  /dev/ttyS7  ok\n"
                             "  -  /dev/ttyS8  ok\n"
                             "Ports without a number are chosen by their device path.\n"));
}

// The progress lines of an exchange; the radio's model named or numbered.
TEST(CtlTexts, StepsAndModels) {
    using K = LinkStep::Kind;
    const std::pair<LinkStep, const char*> steps[] = {
        {{K::Connecting, 0, 0}, "connecting to the radio"},
        {{K::Reading, 3, 254}, "reading block 3 of 254"},
        {{K::Writing, 240, 240}, "writing block 240 of 240"},
        {{K::ReadDone, 0, 254}, "read all 254 blocks"},
        {{K::WriteDone, 0, 240}, "wrote all 240 blocks"},
        {{K::Retrying, 2, 4}, "no answer from the radio, trying again in 5 s (attempt 2 of 4)"},
        {{K::NoAnswer, 4, 4}, "no answer from the radio after 4 attempts"},
        {{K::LineLost, 0, 0}, "the line to the radio is gone: cable pulled or adapter unplugged"},
    };
    for (const auto& [step, text] : steps) EXPECT_EQ(StepText(step), text);
    const std::pair<const char*, std::optional<int>> models[] = {
        {"0", 0}, {"6", 6}, {"ZT790 C1.0 VHF", 1}, {"mv4l full", 6}, {"7", {}}, {"MV4L", {}}};
    for (const auto& [text, index] : models) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(ParseModel(text), index) << text;
        EXPECT_EQ(::testing::internal::GetCapturedStderr().empty(), index.has_value()) << text;
    }
    EXPECT_EQ(ModelText(3), "MV4L UHF2 (244-247 MHz)");
    // What new and import-csv start from: the band edges | the frequency-mode
    // start; without --model the start-up image, 462.0125 MHz.
    const auto edges = [](const Image& i) {
        return Hex(std::span(i[153]).first(4)) + " | " + Hex(std::span(i[0]).first(4));
    };
    EXPECT_EQ(edges(*StartImage("")), "00 40 00 47 | 50 12 20 46");
    Image vhf = *StartImage("1");
    EXPECT_EQ(edges(vhf), "60 13 40 17 | 00 25 66 13");
    vhf[0] = BlankImage()[0];
    vhf[153] = BlankImage()[153];
    EXPECT_EQ(vhf, BlankImage());
}

// import-csv of marine channels numbered from 0 and one UHF row into the image
// of --model ("" the start-up one), with --skip-invalid, --replace and
// --renumber=FIRST (0 without): what it says ("x.chann" is not there).
TEST(ImportReport, BadRowsNotesAndTheTally) {
    const struct {
        const char* model;
        bool skip, replace;
        int renumber;
        const char* says;
    } cases[] = {
        {"", false, false, 0,
         R"(marine.csv:2: channel 0 is not between 1 and 128; receive frequency 156.800000 MHz is outside the band 400..470 MHz
marine.csv:3: receive frequency 156.300000 MHz is outside the band 400..470 MHz
zt790ctl: --renumber places the rows in file order from channel 1, whatever their Location
zt790ctl: nothing imported; x.chann was not written
)"},
        {"1", true, false, 3,
         R"(marine.csv:4: receive frequency 446.100000 MHz is outside the band 136..174 MHz
marine.csv:2: note: name "Marine Ch 16" stored as "MRN16"
marine.csv: note: 1 name changed to fit the radio (five characters of A-Z, 0-9, blank, - _ + *)
Imported 2 channels into x.chann; 1 row skipped
)"},
        {"", true, true, 1,
         R"(marine.csv:2: receive frequency 156.800000 MHz is outside the band 400..470 MHz
marine.csv:3: receive frequency 156.300000 MHz is outside the band 400..470 MHz
Imported 1 channel into x.chann; 2 rows skipped
)"},
    };
    for (const auto& c : cases) {
        Image image = *StartImage(c.model);
        CsvImportOptions options;
        options.skipInvalid = c.skip;
        options.replace = c.replace;
        if (c.renumber > 0) options.renumberFrom = c.renumber;
        const CsvImportResult r = ImportChannelCsv(
            "Location,Name,Frequency\n0,Marine Ch 16,156.8\n1,CH06,156.3\n2,Site,446.1\n", image,
            options);
        EXPECT_EQ(ImportRowsReport(r, "marine.csv", c.renumber > 0, "x.chann") +
                      (r.ok ? ImportedText(r, "x.chann") : ""),
                  c.says)
            << c.model << " " << c.renumber;
    }
}

// What diff says of two files: a channel's fields, an option, memory no editor
// shows; as a report, or the channels as CSV.
TEST(DiffReport, TheReportAndItsCsv) {
    Image a = BlankImage();
    PutChannel(a, 3, "- 446.03 0 255:255 255:255 02 20 FFFF");
    Image b = a;
    PutChannel(b, 3, "ab 446.5 0 255:255 255:255 02 20 00FF");  // byte 14: no editor shows it
    b[208][0] = 3;                                              // squelch level
    b[130][0] = 0x12;                                           // memory no editor shows
    const DiffReport text = MakeDiffReport(a, b, 254, "a.chann", "b.chann", false);
    EXPECT_FALSE(text.same);
    EXPECT_EQ(text.out,
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
    const DiffReport csv = MakeDiffReport(a, b, 254, "a.chann", "b.chann", true);
    EXPECT_EQ(csv.out,
              "Channel,Field,A,B\r\n"
              "3,Name,(none),AB\r\n"
              "3,Receive,446.03000,446.50000\r\n"
              "3,Transmit,446.03000,446.50000\r\n"
              "3,row 3 byte 14 (0x003E),FF,00\r\n");
    EXPECT_EQ(csv.err,
              "zt790ctl: 2 differences lie outside the channels; run without --csv to see "
              "them.\n");
}

TEST(PortAccess, MessagesNameThePortTheReasonAndWhatToDo) {
    const struct {
        PortFailure failure;
        const char* reason;
        PortProbe probe;
        const char* message;
    } cases[] = {
        {PortFailure::NoSuchDevice, "/dev/ttyUSB0: No such file or directory", kNoDevice,
         R"(cannot open /dev/ttyUSB0: No such file or directory
No such serial port: is the programming cable plugged in? Run 'zt790ctl doctor' to find out why.
)"},
        {PortFailure::PermissionDenied, "/dev/ttyUSB0: Permission denied", kRootOnly,
         R"(cannot open /dev/ttyUSB0: Permission denied
The port is for root only (crw------- root root).
zt790prog's udev rule 60-zt790prog-cables.rules gives USB programming cables to the dialout group; the zt790prog package installs it in /usr/lib/udev/rules.d. Install the package, then load the rule:
    sudo udevadm control --reload && sudo udevadm trigger
Then add yourself to the dialout group:
    sudo adduser ann dialout
and log out and in again.
)"},
        {PortFailure::Busy, "/dev/ttyUSB0: Permission error while locking the device", kOpen,
         R"(cannot open /dev/ttyUSB0: Permission error while locking the device
The port is busy: another program has it open. Close the other program (another zt790ctl or zt790prog, a terminal program, ModemManager) and try again; 'zt790ctl doctor --port /dev/ttyUSB0' names it.
)"},
        {PortFailure::Other, "Inappropriate ioctl for device", kOpen,
         R"(cannot open /dev/ttyUSB0: Inappropriate ioctl for device
Check that this is the programming cable's port: 'zt790ctl ports' lists the serial ports of this machine.
)"},
    };
    for (const auto& c : cases) {
        // Told apart by the probe, and by whether the system refused the open.
        EXPECT_EQ(ClassifyPortFailure(c.probe, c.failure != PortFailure::Other), c.failure);
        EXPECT_EQ(PortFailureMessage(c.failure, "/dev/ttyUSB0", c.reason, c.probe, kAnn, ""),
                  c.message);
    }
    for (const char* busy :
         {"Device or resource busy", "Permission error while locking the device"})
        EXPECT_TRUE(ReasonSaysBusy(busy)) << busy;
    for (const char* other : {"Inappropriate ioctl for device", "Permission denied", ""})
        EXPECT_FALSE(ReasonSaysBusy(other)) << other;
}

// The other kinds of refused record and the refusal's closing lines: the show
// report below and the zt790ctl tests.
TEST(LimitReport, FrequenciesInMegahertzAndAReceiveFrequencyOutsideAlone) {
    EXPECT_EQ(MHzText(14652000), "146.52000");
    EXPECT_EQ(MHzText(40000001), "400.00001");
    EXPECT_EQ(MHzText(0), "0.00000");
    EXPECT_EQ(MHzText(-350000), "-3.50000");
    EXPECT_EQ(LimitFailureText({5, 39950000, 40950000, true, false, {400, 470}}),
              "channel 5: receive 399.50000 MHz is outside the band limits 400..470 MHz (transmit "
              "409.50000 MHz is inside)");
    EXPECT_EQ(LimitRefusalReport({}), "");
}

// `show` marks what a write would refuse, in its own spelling.
TEST(ImageReport, MarksEveryRefusedRecord) {
    Image image = BlankImage();
    PutChannel(image, 1, "- 446.00625 0 255:255 255:255 02 20 FFFF");
    PutChannel(image, 2, "- 146.52 0 255:255 255:255 02 20 FFFF");
    PutChannel(image, 3, "- 465 10 255:255 255:255 42 20 FFFF");
    image[0][12] = 0x42;  // frequency mode: plus its offset of 10 MHz
    const std::string channels = ChannelTableReport(image);
    for (const char* part :
         {" 1        446.00625   446.00625   OFF", " 2        146.52000*  146.52000*  OFF",
          " 3        465.00000   475.00000*  OFF",
          "* outside the band limits: zt790ctl write refuses this file\n"}) {
        EXPECT_TRUE(testing::Has(channels, part));
    }
    EXPECT_FALSE(testing::Has(BandLimitsReport(BlankImage()), "refuses"));
    EXPECT_TRUE(testing::Has(BandLimitsReport(image),
                             R"(Band limits: 400 to 470 MHz
zt790ctl write refuses this file:
  frequency mode: transmit 472.01250 MHz is outside the band limits 400..470 MHz (receive 462.01250 MHz is inside)
  channel 2: receive 146.52000 MHz is outside the band limits 400..470 MHz, and so is transmit 146.52000 MHz
  channel 3: transmit 475.00000 MHz is outside the band limits 400..470 MHz (receive 465.00000 MHz is inside)
)"));
    EXPECT_FALSE(testing::Has(FrequencyModeReport(BlankImage()), "*"));
    const std::string vfo = FrequencyModeReport(image);
    EXPECT_TRUE(testing::Has(vfo, "  Receive    462.01250 MHz\n"));
    EXPECT_TRUE(testing::Has(vfo, "  Transmit   472.01250 MHz *\n"));
    EXPECT_TRUE(testing::Has(vfo, "* outside the band limits: zt790ctl write refuses this file\n"));
    const std::string options = OptionsReport(image);
    EXPECT_TRUE(testing::Has(options, "Channel display            Frequency\n")) << options;
}

// How transfers ended, a line each: read or write, the status, what else the
// report says (V verify, B backup, W written, A answered, R read back, L line
// lost; - nothing), the block that differs and the exit code | the detail, or
// for a radio of a fleet "file:", "port:" or "error:" and why, or "unstarted" |
// what is said ("\n" a line break).
struct Ending {
    RadioOutcome o;
    int code = 0;
    std::string said;
};
std::vector<Ending> Endings(const char* table) {
    // Each name's place is its value.
    const auto value = [](const std::string& names, const std::string& name) {
        std::istringstream in(names);
        int n = 0;
        for (std::string word; in >> word && word != name;) ++n;
        return n;
    };
    std::vector<Ending> endings;
    for (const auto& [head, extra, said] : Rows<3>(table)) {
        Ending& e = endings.emplace_back();
        e.said = said;
        TransferReport& r = e.o.report;
        std::istringstream in(head);
        std::string kind, status, flags;
        in >> kind >> status >> flags >> r.differingBlock >> e.code;
        const auto has = [&](char flag) { return flags.find(flag) != std::string::npos; };
        e.o.port = "p";
        e.o.write = kind == "write";
        e.o.verify = has('V');
        e.o.portLost = r.lineLost = has('L');
        r.status = static_cast<TransferStatus>(
            value("Ok PortFailed NoAnswer CheckFailed BackupFailed VerifyFailed BackupUnsettled "
                  "ModelMismatch",
                  status));
        r.duringBackup = has('B');
        r.duringWrite = has('W');
        r.answered = has('A');
        r.duringVerify = has('R');
        r.model = ModelMismatch{{136, 174}, {400, 470}};
        const std::string why = extra.substr(extra.find(':') + 1);
        if (extra.starts_with("file:")) {
            e.o.fileError = why;
        } else if (extra.starts_with("port:")) {
            e.o.portFailure =
                static_cast<PortFailure>(value("NoSuchDevice PermissionDenied Busy", why));
        } else if (extra.starts_with("error:")) {
            r.portError = why;
        } else if (extra == "unstarted") {
            e.o.started = false;
        } else {
            r.detail = r.differences.english = extra;
        }
    }
    return endings;
}

// What a single-radio command says when a write does not go through; the
// radio's own words for the port and the limits are the zt790ctl tests'.
constexpr const char* kWriteEnds = R"(
write NoAnswer WA -1 1 | | zt790ctl: the radio stopped answering while writing.\nThe radio is now half-written: it stopped answering part-way through the write
write NoAnswer B -1 1 | | zt790ctl: the radio did not answer while reading the backup. Check that it is switched on and the cable is seated.\nNothing was written to the radio.\n
write ModelMismatch - -1 9 | | zt790ctl: The radio is a ZT790 C1.0 VHF (136-174 MHz), but the image is for a ZT790 C1.0 UHF (400-470 MHz).\nNothing was written to the radio; --force-model writes it all the same.\n
write NoAnswer - -1 1 | | zt790ctl: the radio did not answer. Check that it is switched on and the cable is seated.\nNothing was written to the radio.\n
write NoAnswer AR -1 1 | | zt790ctl: the radio did not answer while reading back the write. Check that it is switched on and the cable is seated.\n
write NoAnswer WAL -1 1 | | zt790ctl: the port went away while writing (cable pulled or adapter unplugged).\nThe radio is now half-written
write CheckFailed - -1 4 | | zt790ctl: nothing was sent to the radio.\n
write BackupFailed - -1 3 | disk full | zt790ctl: the backup could not be saved: disk full\nNothing was written to the radio.\n
write BackupUnsettled B 50 8 | | zt790ctl: the backup could not be settled: three reads of the radio differ, first at block 50 (address 0x0320).\n
write VerifyFailed R 7 8 | channel 7 | first at block 7 (address 0x0070), in channel 7.\nWrite again; if it fails again, the radio may be faulty.\n
write VerifyFailed - 100 8 | | zt790ctl: verification failed: two reads of the radio differ, first at block 100 (address 0x0640).\nThe line is unreliable; nothing was saved.
)";

TEST(TransferReport, AWriteCutShortOrRefusedSaysWhatTheRadioHolds) {
    AppState app;
    app.ComDevice = "/dev/null";
    app.ChannelTable = BlankImage();
    for (const Ending& e : Endings(kWriteEnds)) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(ReportTransfer(e.o.report, app, true), e.code) << e.said;
        EXPECT_TRUE(testing::Has(::testing::internal::GetCapturedStderr(), e.said));
    }
}

// Every way a radio of a fleet command can end, as the table says it, with its
// exit code.
constexpr const char* kRadioEnds = R"(
read Ok V -1 0 | | read, verified
write Ok - -1 0 | | written
read Ok - -1 3 | file:disk full | read, but not saved: disk full
read PortFailed - -1 5 | port:NoSuchDevice | no such port
write PortFailed B -1 7 | port:Busy | port busy: another program has it open; nothing written
read PortFailed - -1 6 | port:PermissionDenied | permission denied on the port
read PortFailed - -1 1 | error:I/O error | the port would not open: I/O error
write NoAnswer - -1 1 | | no answer; nothing written
write NoAnswer B -1 1 | | no answer to the backup read; nothing written
write NoAnswer A -1 1 | | stopped answering while writing
write NoAnswer AL -1 1 | | the port went away while writing (cable pulled or adapter unplugged)
write NoAnswer AR -1 1 | | stopped answering while reading back
write CheckFailed - -1 4 | channel 7 | refused by the limit check: channel 7
write BackupFailed - -1 3 | disk full | backup not saved: disk full; nothing written
write BackupUnsettled - 50 8 | | backup not settled: three reads differ at block 50 (address 0x0320); nothing written
write ModelMismatch - -1 9 | | refused: the radio is a ZT790 C1.0 VHF (136-174 MHz), but the image is for a ZT790 C1.0 UHF (400-470 MHz); nothing written
write VerifyFailed R 7 8 | | verification failed: the radio holds something else at block 7 (address 0x0070)
read VerifyFailed - 100 8 | | verification failed: the two reads differ at block 100 (address 0x0640)
write NoAnswer - -1 0 | unstarted | not started: the source radio was not read
)";

// Then the line that sums the table up and the code of the whole.
TEST(FleetReport, OutcomeTextsExitCodesAndTheSum) {
    std::vector<RadioOutcome> all;
    for (const Ending& e : Endings(kRadioEnds)) {
        EXPECT_EQ(OutcomeText(e.o), e.said);
        EXPECT_EQ(OutcomeExitCode(e.o), e.code) << e.said;
        all.push_back(e.o);
    }
    EXPECT_TRUE(FleetReport(all, "File").ends_with("2 of 19 radios succeeded; 17 failed.\n"));
    EXPECT_TRUE(FleetReport({all[0]}, "File").ends_with("\nThe radio succeeded.\n"));
    const struct {
        std::vector<int> codes;
        int worst;
    } worst[] = {{{1, 8}, 8}, {{0, 3, 1}, 1}, {{5, 9, 3}, 3}, {{5, 7, 6}, 7},
                 {{9, 4}, 4}, {{5, 9}, 9},    {{}, 0}};
    for (const auto& w : worst) EXPECT_EQ(MostSeriousExitCode(w.codes), w.worst) << w.worst;
}

}  // namespace
}  // namespace zt::ctl
