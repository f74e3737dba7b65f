#include "model/editor_text.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(EditorText, CharCountCountsCharactersNotBytes) {
    EXPECT_EQ(CharCount(""), 0);
    EXPECT_EQ(CharCount("87.15"), 5);
    EXPECT_EQ(CharCount("收音机"), 3);
    EXPECT_EQ(CharCount("A收B"), 3);
}

}  // namespace
}  // namespace zt
