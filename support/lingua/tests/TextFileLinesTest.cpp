#include "TextFileLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One line as "[name]" for a header or "key|value" for a key line.
std::string Describe(const TextFileLine& line) {
    if (line.isHeader) {
        return "[" + std::string(line.section) + "]";
    }
    return std::string(line.key) + "|" + std::string(line.value);
}

std::vector<std::string> ReadAll(std::string_view content) {
    std::vector<std::string> lines;
    ReadTextFileLines(content, [&](const TextFileLine& line) { lines.push_back(Describe(line)); });
    return lines;
}

}  // namespace

TEST(TextFileLines, LinesAreClassifiedAsHeadersOrKeyLines) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"[A]", "[A]"},
        {" \t[A]", "[A]"},        // blanks before a header are ignored
        {"[A] trailing", "[A]"},  // text after the "]" is ignored
        {"[ A ]", "[ A ]"},       // the name itself is not trimmed
        {"[]", "[]"},             // the empty name
        {"x=1", "x|1"},
        {"y=a=b", "y|a=b"},      // split at the first "="
        {" k = v ", " k | v "},  // key lines are not trimmed
        {"a]b", "|a]b"},         // no "[": a key line with an empty key
        {"]x[", "|]x["},         // first "]" first: not a header
        {"=", "|"},
        {"k=[v]", "[v]"},  // a bracket pair anywhere makes a header
        {"a]b[c", "[c]"},  // no "]" after the "[": the name runs to the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Describe(ParseTextFileLine(c.line)), c.expected);
    }
}

TEST(TextFileLines, LineEndsAndShortLines) {
    EXPECT_EQ(ReadAll("[A]\r\nx=1\r\n\r\ny=2"), (std::vector<std::string>{"[A]", "x|1", "y|2"}));
    EXPECT_EQ(ReadAll("[A]\nx=1\n"), (std::vector<std::string>{"[A]", "x|1"}));
    // A line of one byte with its line feed is skipped; "x" with a line feed has two and counts.
    EXPECT_EQ(ReadAll("\n\r\nx\nz"), (std::vector<std::string>{"|x"}));
    // A carriage return that is not part of a line end stays in the value.
    EXPECT_EQ(ReadAll("k=a\rb\r\n"), (std::vector<std::string>{"k|a\rb"}));
}

TEST(TextFileLines, LongLineIsReadWhole) {
    const std::string value(5000, 'v');
    const auto lines = ReadAll("k=" + value + "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "k|" + value);
}
