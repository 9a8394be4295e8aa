#include "AtomicFile.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>

using cutrix::testing::TempHome;

TEST(AtomicFile, WritesAndReadsBackTheSameBytes) {
    const auto file = TempHome() / "settings";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("first\r\nsecond")));
    auto bytes = platform::ReadWholeFile(file);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "first\r\nsecond");
}

TEST(AtomicFile, ReplacesAnOldFileAndLeavesNoTemporaryBehind) {
    const auto file = TempHome() / "config";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("old content that is longer")));
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("new")));
    auto bytes = platform::ReadWholeFile(file);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(TempHome())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, FailsWithoutTouchingAnythingWhenTheFolderIsMissing) {
    const auto file = TempHome() / "missing-folder" / "config";
    EXPECT_FALSE(platform::WriteFileAtomically(file, std::string_view("data")));
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

TEST(AtomicFile, ReadingAMissingFileGivesNothing) {
    EXPECT_FALSE(platform::ReadWholeFile(TempHome() / "nope").has_value());
}

TEST(AtomicFile, ReadingAFolderGivesNothingInsteadOfThrowing) {
    EXPECT_FALSE(platform::ReadWholeFile(TempHome()).has_value());
}

TEST(AtomicFile, ReadingAnEmptyFileGivesNoBytes) {
    const auto file = TempHome() / "empty";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view()));
    auto bytes = platform::ReadWholeFile(file);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->empty());
}

TEST(AtomicFile, ReadingANamedPipeGivesNothingInsteadOfWaitingForAWriter) {
    const auto pipe = TempHome() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(platform::ReadWholeFile(pipe).has_value());
}

TEST(AtomicFile, ALimitedReadTakesAFileUpToItsLimitAndRefusesOneByteMore) {
    const auto file = TempHome() / "lpara";
    const std::string content(4096, 'x');
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view(content)));
    struct Case {
        std::uintmax_t limit;
        platform::ReadStatus status;
    };
    for (const Case& c :
         {Case{4096, platform::ReadStatus::kRead}, Case{4095, platform::ReadStatus::kTooLarge},
          Case{0, platform::ReadStatus::kTooLarge}}) {
        const platform::LimitedRead read = platform::ReadWholeFileWithin(file, c.limit);
        EXPECT_EQ(read.status, c.status) << c.limit;
        EXPECT_EQ(read.bytes.size(), c.status == platform::ReadStatus::kRead ? content.size() : 0u)
            << c.limit;
    }
    EXPECT_EQ(platform::ReadWholeFileWithin(TempHome() / "missing", 10).status,
              platform::ReadStatus::kCannotRead);
    EXPECT_EQ(platform::ReadWholeFileWithin(TempHome(), 10).status, platform::ReadStatus::kCannotRead);
}

// A file far larger than memory is refused from its size: a sparse file of 64 GB costs no disk space
// and would end the process if it were read.
TEST(AtomicFile, AHugeFileIsRefusedBeforeAnyOfItIsRead) {
    const auto file = TempHome() / "config";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("x")));
    std::filesystem::resize_file(file, std::uintmax_t{64} << 30);
    EXPECT_EQ(platform::ReadWholeFileWithin(file, 4u << 20).status, platform::ReadStatus::kTooLarge);
}
