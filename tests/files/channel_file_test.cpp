// SPDX-License-Identifier: GPL-3.0-or-later
// The channel file, the clipboard form of channels, and the writer under both.
#include "files/channel_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <set>

#include "files/channel_records_text.h"
#include "files/text_file.h"
#include "model/blank_image.h"
#include "scratch_dir.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

using ChannelFile = ScratchDir;

Image Sample() {
    Image image = BlankImage();
    for (int r = 0; r < kImageRows; r += 3)
        for (int f = 0; f < kRowBytes; ++f) image[r][f] = static_cast<std::uint8_t>(r * 16 + f);
    return image;
}

// 256 lines of sixteen values, each value between blanks and each line ended by
// CR LF; the English messages are checked by the file windows' tests.
TEST_F(ChannelFile, SavedTextAndLoadingItBackRestoresEveryByte) {
    const std::string blank = FormatChannelFile(BlankImage());
    EXPECT_TRUE(blank.starts_with(
        " 80  18  32  70  0  0  0  1  255  255  255  255  2  32  255  255 \r\n 255  255 "));
    EXPECT_EQ(std::count(blank.begin(), blank.end(), '\r'), 256);
    EXPECT_EQ(std::count(blank.begin(), blank.end(), '\n'), 256);
    // Row 153: the band edges 400..470 MHz, then twelve times 255.
    std::string rest;
    for (int i = 0; i < 12; ++i) rest += " 255 ";
    EXPECT_NE(blank.find("\r\n 0  64  0  71 " + rest + "\r\n"), std::string::npos);
    EXPECT_TRUE(blank.ends_with(" 255 \r\n"));

    const fs::path path = dir / "radio.chann";
    const FileResult s = SaveChannelFile(path, Sample());
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.message.chinese, "信道参数保存完毕 ！");
    EXPECT_EQ(Read(path), FormatChannelFile(Sample()));
    Image loaded = BlankImage();
    const FileResult l = LoadChannelFile(path, loaded);
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.message.chinese, "信道参数从文件调入成功 ！");
    EXPECT_EQ(loaded, Sample());
}

TEST_F(ChannelFile, ReadingAcceptsOtherSeparators) {
    const Image image = Sample();
    std::string commas;
    std::string oneLine;
    for (const auto& row : image) {
        for (const auto v : row) {
            commas += std::to_string(v) + ",";
            oneLine += "\t" + std::to_string(v) + "   ";
        }
        commas += "\n";
    }
    for (const std::string& text :
         {commas, oneLine, "\xEF\xBB\xBF" + commas, commas + " 7 8 junk",
          commas.substr(0, commas.size() - 2)}) {  // the last value without a separator
        auto parsed = ParseChannelFile(text);
        ASSERT_TRUE(std::holds_alternative<Image>(parsed)) << std::get<BiString>(parsed).english;
        EXPECT_EQ(std::get<Image>(parsed), image);
    }
}

TEST_F(ChannelFile, RefusedFilesMissingFilesAndFoldersLeaveTheImageUntouched) {
    const std::string full = FormatChannelFile(Sample());
    auto with = [&](const std::string& value) {  // the first 64 replaced
        std::string text = full;
        return text.replace(text.find(" 64 "), 4, " " + value + " ");
    };
    const struct {
        std::string name;
        std::string text;
        std::string fragment;
    } cases[] = {
        {"empty", "", "ends after 0 of 4096 values"},
        {"short", full.substr(0, full.rfind(" 255 ")), "ends after 4095 of 4096 values"},
        {"letters", with("6x"), "\"6x\""},
        {"too big", with("256"), "256 as value"},
        {"negative", with("-1"), "-1 as value"},
        {"fraction", with("6.4"), "\"6.4\""},
        // An over-long number is named as out of range, an endless token cut short.
        {"huge", with("99999999999999999999999999"), "99999999999999999999999999 as value"},
        {"endless", with(std::string(100000, '7')), "77777...\" where value"},
    };
    for (const auto& c : cases) {
        const fs::path path = dir / (c.name + ".chann");
        Write(path, c.text);
        Image image = BlankImage();
        const FileResult r = LoadChannelFile(path, image);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.message.english.find(c.fragment), std::string::npos) << r.message.english;
        EXPECT_NE(r.message.english.find("Nothing was loaded."), std::string::npos);
        EXPECT_NE(r.message.chinese.find("未调入任何数据"), std::string::npos);
        EXPECT_EQ(image, BlankImage()) << c.name;
    }
    Image sample = Sample();
    const FileResult missing = LoadChannelFile(dir / "missing.chann", sample);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.message.english.find("cannot be opened"), std::string::npos);
    EXPECT_NE(missing.message.chinese.find("无法打开"), std::string::npos);
    EXPECT_EQ(LoadChannelFile(dir, sample).message.english,
              "The channel parameter file cannot be opened: " + dir.string() + " is a folder.");
    EXPECT_EQ(sample, Sample());
}

// The writer's own faults, a folder and no temporary file left: TextFile below.
TEST_F(ChannelFile, AFailedSaveSaysWhyAndKeepsThePreviousFile) {
    const fs::path path = dir / "old.chann";
    Write(path, "previous contents");
    FileResult r;
    {
        const ScopedWriteFault fault(WriteStep::Flush, EIO);
        r = SaveChannelFile(path, BlankImage());
    }
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.english, "The channel parameter file could not be saved: " + path.string() +
                                     " (Input/output error). The previous file is unchanged.");
    EXPECT_EQ(r.message.chinese,
              "信道参数文件保存失败：" + path.string() + "（Input/output error），原文件未改动 ！");
    EXPECT_EQ(Read(path), "previous contents");
    // A new file that could not be made had no previous file.
    r = SaveChannelFile(dir / "no" / "new.chann", BlankImage());
    EXPECT_TRUE(r.message.english.ends_with("). No file was written.")) << r.message.english;
    EXPECT_TRUE(r.message.chinese.ends_with("），未写入文件 ！")) << r.message.chinese;
}

// The program's own clipboard form of channels: every byte, read back only
// when it is whole.
TEST(ChannelRecordsText, CarriesEveryByteAndRefusesAnythingElse) {
    ClipChannel used;
    used.slot.record = {0x50, 0x12, 0x20, 0x46, 0, 0, 0, 1, 0, 12, 255, 255, 0xD7, 0xF8, 3, 4};
    used.slot.name = {19, 16, 23, 255, 26};
    used.references = 1;
    const ClipChannel empty{EmptySlot(), 0};
    const std::vector<ClipChannel> channels{used, empty};
    const std::string text = FormatChannelRecords(channels);
    const std::string second =
        "255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 255 0";
    EXPECT_EQ(text,
              "zt790prog channel records 1\r\n"
              "80 18 32 70 0 0 0 1 0 12 255 255 215 248 3 4 19 16 23 255 26 1\r\n" +
                  second + "\r\n");
    EXPECT_EQ(ParseChannelRecords(text), channels);

    const std::string head = "zt790prog channel records 1\n";
    std::string tooMany = head;
    for (int c = 0; c < 129; ++c) tooMany += second + "\n";
    for (const std::string& bad : {std::string("Location,Name,Frequency\n1,A,446\n"),
                                   "zt790prog channel records 2\n" + second, head + "1 2 3",
                                   head + second + " 0", head + "256" + second.substr(3),
                                   head + "-1" + second.substr(3), head + "x" + second, tooMany}) {
        EXPECT_FALSE(ParseChannelRecords(bad)) << bad.substr(0, 60);
    }
}

// The durable writer every save goes through, with the system made to refuse
// the write, the flush or the rename: the previous file, its permissions and a
// link to it stay as they were, and no temporary file is left behind.

class TextFile : public ScratchDir {
  protected:
    void SetUp() override {
        ScratchDir::SetUp();
        fs::create_directories(dir / "data");
        fs::create_directories(dir / "links");
    }
    static void Write(const fs::path& p, const std::string& text, fs::perms perms) {
        ScratchDir::Write(p, text);
        fs::permissions(p, perms);
    }
    // Every entry under the test folder, links as links.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir)) {
            names.insert(fs::relative(e.path(), dir).string() + (e.is_symlink() ? " ->" : ""));
        }
        return names;
    }
    // A file "data/radio.chann" with mode 0754 (no umask gives that to a new
    // file), reached directly or through the relative link "links/radio.chann".
    fs::path Target(bool throughLink) {
        Write(dir / "data" / "radio.chann", "old contents", kMode);
        if (!throughLink) return dir / "data" / "radio.chann";
        fs::create_symlink(fs::path("..") / "data" / "radio.chann", dir / "links" / "radio.chann");
        return dir / "links" / "radio.chann";
    }

    static constexpr fs::perms kMode = fs::perms(0754);
    const std::string text = std::string(20'000, 'x') + "\r\n";
};

// Each fault, then none (the fault ended with its guard), on a new file, an
// old one and an old one through a link: written whole, or not at all.
TEST_F(TextFile, AWriteReplacesTheFileWholeOrLeavesEverythingAsItWas) {
    const struct {
        std::optional<WriteStep> step;
        int error;
        const char* reason;
    } faults[] = {
        {WriteStep::Write, ENOSPC, "No space left on device"},
        {WriteStep::Flush, EIO, "Input/output error"},
        {WriteStep::Rename, EXDEV, "Invalid cross-device link"},
        {{}, 0, ""},
    };
    for (const auto& f : faults) {
        for (const int target : {0, 1, 2}) {
            SCOPED_TRACE(std::string(f.reason) + " " + std::to_string(target));
            const fs::path path = target == 0 ? dir / "data" / "new.chann" : Target(target == 2);
            auto before = Entries();
            std::string error;
            bool written = false;
            {
                std::optional<ScopedWriteFault> fault;
                if (f.step) fault.emplace(*f.step, f.error);
                written = WriteTextFile(path, text, error);
            }
            EXPECT_EQ(written, !f.step);
            EXPECT_EQ(error, f.reason);
            if (target == 0 && written) before.insert("data/new.chann");
            EXPECT_EQ(Entries(), before);
            if (target == 0) {
                EXPECT_EQ(Read(path), written ? text : "");
            } else {
                EXPECT_EQ(Read(dir / "data" / "radio.chann"), written ? text : "old contents");
                EXPECT_EQ(fs::status(dir / "data" / "radio.chann").permissions(), kMode);
                if (target == 2) {
                    EXPECT_EQ(fs::read_symlink(path), fs::path("..") / "data" / "radio.chann");
                    fs::remove(dir / "data" / "radio.chann");
                }
            }
            fs::remove(path);
        }
    }
    std::string error;
    EXPECT_FALSE(WriteTextFile(dir / "data", "12", error));
    EXPECT_EQ(error, "it is a folder");
    EXPECT_FALSE(WriteTextFile(dir / "none" / "new.chann", "12", error));
    EXPECT_EQ(error, "No such file or directory");
}

}  // namespace
}  // namespace zt
