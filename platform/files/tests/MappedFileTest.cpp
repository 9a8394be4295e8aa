#include "MappedFile.h"
#include "AtomicFile.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using cutrix::testing::TempHome;

// A mapped file shows exactly the bytes a plain read gives, and keeps showing them after the file is
// replaced by renaming (as every file the program writes is), after a move of the mapping too.
TEST(MappedFile, ShowsTheFileAsReadAndOutlivesItsReplacement) {
    const auto file = TempHome() / "mapped.bin";
    std::vector<std::uint8_t> bytes(3 * 4096 + 17);
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        bytes[index] = static_cast<std::uint8_t>(index * 7);
    }
    ASSERT_TRUE(platform::WriteFileAtomically(file, bytes));
    std::optional<platform::MappedFile> mapped = platform::MappedFile::Open(file);
    ASSERT_TRUE(mapped.has_value());
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("replaced")));
    platform::MappedFile moved = std::move(*mapped);
    EXPECT_TRUE(mapped->Bytes().empty());
    EXPECT_EQ(std::vector<std::uint8_t>(moved.Bytes().begin(), moved.Bytes().end()), bytes);
}

TEST(MappedFile, EmptyMissingAndNonRegularFiles) {
    const auto empty = TempHome() / "empty.bin";
    ASSERT_TRUE(platform::WriteFileAtomically(empty, std::string_view()));
    const auto pipe = TempHome() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::filesystem::path file;
        bool opens;
    };
    for (const Case& c : {Case{empty, true}, Case{TempHome() / "absent", false}, Case{TempHome(), false},
                          Case{pipe, false}, Case{"/dev/zero", false}}) {
        SCOPED_TRACE(c.file.string());
        const std::optional<platform::MappedFile> mapped = platform::MappedFile::Open(c.file);
        ASSERT_EQ(mapped.has_value(), c.opens);
        if (mapped) {
            EXPECT_TRUE(mapped->Bytes().empty());
        }
    }
}
