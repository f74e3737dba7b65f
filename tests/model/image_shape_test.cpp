#include <gtest/gtest.h>

#include "model/app_state.h"

// The image must hold exactly the radio's 16-byte rows and nothing that would let
// an editor store a value the radio cannot carry.
TEST(ImageShape, RowsAreSixteenBytesAndTableHoldsWholeFile) {
    zt::AppState s;
    EXPECT_EQ(s.ChannelTable.size(), 256u);
    EXPECT_EQ(s.ChannelTable[0].size(), 16u);
    EXPECT_EQ(sizeof(s.ChannelTable), 256u * 16u);
}
