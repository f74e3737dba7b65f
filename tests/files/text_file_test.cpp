// SPDX-License-Identifier: GPL-3.0-or-later
// The durable writer every save goes through, with the system made to refuse
// the write, the flush or the rename: the previous file, its permissions and a
// link to it stay as they were, and no temporary file is left behind.
#include "files/text_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "scratch_dir.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

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

TEST_F(TextFile, AReplacedFileKeepsItsPermissionsAndALinkItsTarget) {
    for (const bool throughLink : {false, true}) {
        SCOPED_TRACE(throughLink ? "through a link" : "directly");
        const fs::path path = Target(throughLink);
        const auto before = Entries();
        std::string error;
        ASSERT_TRUE(WriteTextFile(path, text, error)) << error;
        EXPECT_EQ(Read(dir / "data" / "radio.chann"), text);
        EXPECT_EQ(fs::status(dir / "data" / "radio.chann").permissions(), kMode);
        EXPECT_EQ(Entries(), before);
        if (throughLink) {
            EXPECT_EQ(fs::read_symlink(path), fs::path("..") / "data" / "radio.chann");
        }
        fs::remove(path);
    }
    // A new file is created; a folder is refused.
    std::string error;
    ASSERT_TRUE(WriteTextFile(dir / "new.chann", "12", error)) << error;
    EXPECT_EQ(Read(dir / "new.chann"), "12");
    EXPECT_FALSE(WriteTextFile(dir / "data", "12", error));
    EXPECT_EQ(error, "it is a folder");
    EXPECT_FALSE(WriteTextFile(dir / "none" / "new.chann", "12", error));
    EXPECT_EQ(error, "No such file or directory");
}

TEST_F(TextFile, AFailedWriteFlushOrRenameLeavesEverythingAsItWas) {
    const struct {
        WriteStep step;
        int error;
        const char* reason;
    } faults[] = {
        {WriteStep::Write, ENOSPC, "No space left on device"},
        {WriteStep::Flush, EIO, "Input/output error"},
        {WriteStep::Rename, EXDEV, "Invalid cross-device link"},
    };
    for (const auto& f : faults) {
        for (const int target : {0, 1, 2}) {  // a new file, an old one, an old one through a link
            SCOPED_TRACE(std::string(f.reason) + " " + std::to_string(target));
            const fs::path path = target == 0 ? dir / "data" / "new.chann" : Target(target == 2);
            const auto before = Entries();
            std::string error;
            {
                const ScopedWriteFault fault(f.step, f.error);
                EXPECT_FALSE(WriteTextFile(path, text, error));
            }
            EXPECT_EQ(error, f.reason);
            EXPECT_EQ(Entries(), before);
            if (target != 0) {
                EXPECT_EQ(Read(dir / "data" / "radio.chann"), "old contents");
                EXPECT_EQ(fs::status(dir / "data" / "radio.chann").permissions(), kMode);
                fs::remove(path);
                if (target == 2) fs::remove(dir / "data" / "radio.chann");
            }
        }
    }
    // The fault ends with its guard.
    std::string error;
    EXPECT_TRUE(WriteTextFile(dir / "data" / "after.chann", text, error)) << error;
}

}  // namespace
}  // namespace zt
