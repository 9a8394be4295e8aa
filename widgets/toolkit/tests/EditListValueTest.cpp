#include "EditListValue.h"

#include <gtest/gtest.h>

TEST(EditListValue, TypedTextCommitsAClampedWholeNumber) {
    struct Case {
        const char* text;
        std::int32_t committed;
    };
    const Case cases[] = {
        {"0", 1},          {"-7", 1},        {"25000", 10000}, {"", 1},       {"abc", 1},
        {"250", 250},      {"  42mm", 42},   {"10000", 10000}, {"1", 1},
        // Far beyond any integer type: saturates instead of wrapping into a small or negative number.
        {"99999999999999999999999", 10000}, {"4294967297", 10000}, {"-99999999999999999999", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(CommittedEditListValue(c.text), c.committed) << '"' << c.text << '"';
}
