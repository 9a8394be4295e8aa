#include <gtest/gtest.h>

#include "PathExports.h"

TEST(FileNames, ExtensionIsTheTextAfterTheLastDot) {
    struct Case {
        const char* path;
        std::uint16_t result;
        const char* ext;
    };
    const Case cases[] = {
        {"/a/b.tar.gz", 0, "gz"}, {"/a/b.", 1, ""},           {"/a/b", 1, ""},
        {"x.Zint", 0, "Zint"},    {"/a.d/file", 0, "d/file"},  // the last dot, wherever it stands
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string ext = "stale";
        EXPECT_EQ(_path_GetFileNameExt(c.path, &ext), c.result);
        EXPECT_EQ(ext, c.ext);
    }
}

TEST(FileNames, FileNameWithAndWithoutExtension) {
    struct Case {
        const char* path;
        int keepExtension;
        std::uint16_t result;
        const char* name;
    };
    const Case cases[] = {
        {"/jobs/part.zint", 0, 0, "part"}, {"/jobs/part.zint", 1, 0, "part.zint"},
        {"part.v2.zint", 0, 0, "part.v2"}, {"part", 0, 0, "part"},
        {"/jobs/", 0, 1, "/jobs/"},        {"/jobs/", 1, 1, "/jobs/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " keep " + std::to_string(c.keepExtension));
        std::string name;
        EXPECT_EQ(_path_GetFileName(c.path, &name, c.keepExtension), c.result);
        EXPECT_EQ(name, c.name);
    }
}
