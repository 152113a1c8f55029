#include "engine/xmlparser.h"

#include <gtest/gtest.h>

TEST(Parser, OneElementAndTrailingBlank) {
    auto root = ParseDocument("<a>1</a>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, "Root");
    ASSERT_EQ(root->CountChildren(""), 1);
    EXPECT_EQ(root->Child("a").text, "1");
    EXPECT_FALSE(ParseDocument("<a>1</a> "));
}
