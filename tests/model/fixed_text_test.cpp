#include <gtest/gtest.h>

#include <string>

#include "model/fixed_text.h"

namespace {

TEST(FixedTextTest, EmptyTextsCopyNothing) {
    // An empty view may carry no storage at all; assigning or appending it is a no-op.
    FixedText<8> t;
    t.Assign(std::string_view());
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(t.Append(std::string_view()));
    EXPECT_TRUE(t.AppendCut(std::string_view()));
    EXPECT_STREQ(t.c_str(), "");
}

TEST(FixedTextTest, AppendIsWholeOrNothingAndCutStopsAtTheBound) {
    FixedText<8> t("abc");
    EXPECT_TRUE(t.Append("defgh"));
    EXPECT_EQ(t.view(), "abcdefgh");
    EXPECT_FALSE(t.Append("x"));
    EXPECT_EQ(t.view(), "abcdefgh");
    t.Assign("abcdef");
    EXPECT_FALSE(t.AppendCut("xyz"));
    EXPECT_EQ(t.view(), "abcdefxy");
    t.Assign(std::string(20, 'q'));
    EXPECT_EQ(t.size(), 8u);
    EXPECT_EQ(t.c_str()[8], '\0');
}

}  // namespace

namespace {

TEST(FixedTextTest, NumbersAppendAsPrintfWritesThem) {
    for (int v : {0, 7, 10, 12000, -5, 2147483647, -2147483647 - 1}) {
        FixedText<40> mine("ID:");
        mine.AppendInt(v);
        FixedText<40> theirs("ID:");
        theirs.AppendFormat("%d", v);
        EXPECT_EQ(mine.view(), theirs.view()) << v;
    }
    FixedText<5> cut("abc");
    cut.AppendInt(12345);
    EXPECT_EQ(cut.view(), "abc12");
}

}  // namespace
