#include "FileBytes.h"

#include <gtest/gtest.h>

#include <string>

#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

TEST(FileBytesTest, ReadsTheWholeFileOrSaysWhyNot) {
    ScratchFolder folder;
    std::string content(5 << 20, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>(i * 7 % 253);
    }
    const std::string large = folder.Write("large.dxf", content);
    const std::string empty = folder.Write("empty.dxf", "");
    struct Case {
        const char* name;
        std::string path;
        std::uint64_t maxBytes;
        const char* failure;  // empty when the read succeeds
    };
    const Case cases[] = {
        {"a file of several huge pages", large, content.size(), ""},
        {"an empty file", empty, 10, ""},
        {"one byte over the limit", large, content.size() - 1, "file larger than the import limit"},
        {"a missing file", folder.File("missing.dxf"), 10, "cannot open"},
        {"a folder", folder.File(""), 1 << 20, "cannot open"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FileBytes bytes;
        std::string failure;
        const bool read = bytes.Read(c.path, c.maxBytes, failure);
        EXPECT_EQ(read, *c.failure == '\0');
        EXPECT_EQ(failure.rfind(c.failure, 0), 0u) << failure;
        if (read) {
            EXPECT_TRUE(bytes.View() == (c.path == large ? content : std::string()));
        }
    }
}

}  // namespace
}  // namespace filebridge::testing
