// SPDX-License-Identifier: GPL-3.0-or-later
// Undo, redo and the unsaved-changes state over whole-image snapshots.
#include "model/image_history.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/blank_image.h"

namespace zt {
namespace {

// An image told apart by one byte of channel 1.
Image Version(int v) {
    Image image = BlankImage();
    image[1][14] = static_cast<std::uint8_t>(v);
    return image;
}
int VersionOf(const Image& image) { return image[1][14]; }

// Runs a script over a history that starts at version 0 (also the saved state):
//   N   the image becomes version N and the program comes to rest (record)
//   ~N  the image becomes N without coming to rest (a change still pending)
//   tN  the image becomes N by tidying (absorb)
//   u r undo, redo ("!" when there was nothing to undo or redo)
//   s   saved (markSaved)
//   h   the row the version lives in is saved (markRowSaved)
// After each: the image's version, then "*" when modified.
std::string Script(const char* script, std::size_t depth = kUndoSteps) {
    Image image = Version(0);
    ImageHistory history(image, depth);
    std::istringstream in(script);
    std::string op;
    std::string out;
    while (in >> op) {
        bool ok = true;
        if (op == "u") {
            ok = history.undo(image);
        } else if (op == "r") {
            ok = history.redo(image);
        } else if (op == "s") {
            history.markSaved(image);
        } else if (op == "h") {
            history.markRowSaved(1, image);
        } else if (op[0] == '~') {
            image = Version(std::stoi(op.substr(1)));
        } else if (op[0] == 't') {
            image = Version(std::stoi(op.substr(1)));
            history.absorb(image);
        } else {
            image = Version(std::stoi(op));
            history.record(image);
        }
        if (!out.empty()) out += ' ';
        out += (ok ? "" : "!") + std::to_string(VersionOf(image)) +
               (history.modified(image) ? "*" : "");
    }
    return out;
}

TEST(ImageHistory, UndoRedoAndModified) {
    const struct {
        const char* script;
        const char* expected;
    } cases[] = {
        {"u r", "!0 !0"},
        {"1 2 u u u r r r", "1* 2* 1* 0 !0 1* 2* !2*"},
        // A new change drops what could be redone.
        {"1 2 u 3 r u u", "1* 2* 1* 3* !3* 1* 0"},
        // Coming to rest without a change records nothing.
        {"1 1 1 u", "1* 1* 1* 0"},
        // A pending change is recorded before it is undone; redo gives it back.
        {"1 ~2 u r", "1* 2* 1* 2*"},
        {"1 ~2 r", "1* 2* !2*"},
        // Saved marks the state a file or the radio holds; undoing past it and
        // coming back shows the difference both ways.
        {"1 s 2 u u r", "1* 1 2* 1 0* 1"},
        {"1 s 2 h u", "1* 1 2* 2 1*"},
        // Tidying is no step: it joins the step it happens in, and an image
        // that was saved stays saved.
        {"t5 u", "5 !5"},
        {"1 s t6 u r", "1* 1 6 0* 6"},
        {"1 t7 u", "1* 7* 0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Script(c.script), c.expected) << c.script;
}

TEST(ImageHistory, KeepsAtLeastTwoHundredSteps) {
    Image image = Version(0);
    ImageHistory history(image);
    for (int v = 1; v <= 250; ++v) history.record(Version(v));
    image = Version(250);
    int undone = 0;
    while (history.undo(image)) ++undone;
    EXPECT_GE(undone, 200);
    EXPECT_EQ(VersionOf(image), 250 - undone);
    // A shallow history drops the oldest steps first.
    EXPECT_EQ(Script("1 2 3 4 u u u u", 2), "1* 2* 3* 4* 3* 2* !2* !2*");
}

}  // namespace
}  // namespace zt
