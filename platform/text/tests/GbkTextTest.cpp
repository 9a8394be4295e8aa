// Controller text: document names cross the link in GBK and come back as the same UTF-8.
#include "GbkText.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(GbkText, ChineseNameRoundTripsAndCountsGbkBytes) {
    const std::string name = "切割A1";  // two Chinese characters: two GBK bytes each
    const std::optional<std::string> gbk = Utf8ToGbk(name);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(gbk->size(), 6u);
    EXPECT_EQ(GbkToUtf8(*gbk), name);
}

TEST(GbkText, TextThatCannotCrossIsRefused) {
    EXPECT_FALSE(Utf8ToGbk("\xFF\xFE"));          // not UTF-8
    EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80"));  // an emoji has no GBK form
    EXPECT_FALSE(GbkToUtf8("\x81"));              // a lead byte without its trail byte
    EXPECT_EQ(Utf8ToGbk(""), std::string());
}

}  // namespace
}  // namespace platform
