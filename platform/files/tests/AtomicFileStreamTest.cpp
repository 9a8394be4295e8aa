#include "AtomicFileStream.h"
#include "AtomicFile.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <string>

using cutrix::testing::TempHome;

namespace {

std::string Content(const std::filesystem::path& file) {
    auto bytes = platform::ReadWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

int EntriesIn(const std::filesystem::path& folder) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++entries;
    }
    return entries;
}

std::filesystem::path FreshFolder() {
    const auto folder = TempHome() / "stream";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

// A megabyte in many small writes, as a design export streams its records.
TEST(AtomicFileStream, ManySmallWritesArriveWholeAndReplaceTheOldFileOnCommit) {
    const auto folder = FreshFolder();
    const auto file = folder / "design.ds";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("old")));
    std::string expected;
    {
        platform::AtomicFileStream stream(file);
        ASSERT_NE(stream.File(), nullptr);
        for (int record = 0; record < 24000; ++record) {
            const std::string text = "record " + std::to_string(record) + " of the design, 74 bytes or so....\n";
            expected += text;
            ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), stream.File()), text.size());
        }
        EXPECT_EQ(Content(file), "old");  // nothing shows before the commit
        ASSERT_TRUE(stream.Commit());
    }
    EXPECT_GT(expected.size(), 1000000u);
    EXPECT_EQ(Content(file), expected);
    EXPECT_EQ(EntriesIn(folder), 1);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

// Small records are gathered in the stream's own buffer, not sent to the system a disk block at a time.
TEST(AtomicFileStream, SmallRecordsStayInTheStreamUntilManyBlocksAreGathered) {
    const auto folder = FreshFolder();
    platform::AtomicFileStream stream(folder / "design.ds");
    ASSERT_NE(stream.File(), nullptr);
    const std::string record(74, 'r');
    for (int written = 0; written < 8 * 4096; written += static_cast<int>(record.size())) {
        ASSERT_EQ(std::fwrite(record.data(), 1, record.size(), stream.File()), record.size());
    }
    struct stat info {};
    ASSERT_EQ(::fstat(::fileno(stream.File()), &info), 0);
    EXPECT_EQ(info.st_size, 0);
}

TEST(AtomicFileStream, WithoutACommitTheOldFileStaysAndNoTemporaryIsLeft) {
    const auto folder = FreshFolder();
    const auto file = folder / "design.ds";
    ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("old")));
    {
        platform::AtomicFileStream stream(file);
        ASSERT_NE(stream.File(), nullptr);
        std::fputs("half a design", stream.File());
    }
    EXPECT_EQ(Content(file), "old");
    EXPECT_EQ(EntriesIn(folder), 1);
}

TEST(AtomicFileStream, AStreamThatCannotBeMadeOrWrittenDoesNotCommit) {
    platform::AtomicFileStream missingFolder(TempHome() / "no such folder" / "design.ds");
    EXPECT_EQ(missingFolder.File(), nullptr);
    EXPECT_FALSE(missingFolder.Commit());

    // A device is never replaced by a file, and nothing is left beside it.
    platform::AtomicFileStream device("/dev/full");
    EXPECT_EQ(device.File(), nullptr);
    EXPECT_FALSE(device.Commit());
    struct stat info {};
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_FALSE(std::filesystem::exists(TempHome() / "no such folder"));
}

// A scratch file skips only the wait for the disk: it is still whole or absent, never half-written.
TEST(AtomicFileStream, EitherDurabilityPublishesWholeOrLeavesTheOldFile) {
    using Durability = platform::AtomicFileStream::Durability;
    for (const Durability durability : {Durability::kSynced, Durability::kWhileRunning}) {
        SCOPED_TRACE(static_cast<int>(durability));
        const auto folder = FreshFolder();
        const auto file = folder / "0.tmp";
        ASSERT_TRUE(platform::WriteFileAtomically(file, std::string_view("old")));
        {
            platform::AtomicFileStream abandoned(file, durability);
            std::fputs("half", abandoned.File());
        }
        EXPECT_EQ(Content(file), "old");
        platform::AtomicFileStream stream(file, durability);
        std::fputs("new snapshot", stream.File());
        EXPECT_EQ(Content(file), "old");  // nothing shows before the commit
        ASSERT_TRUE(stream.Commit());
        EXPECT_EQ(Content(file), "new snapshot");
        EXPECT_EQ(EntriesIn(folder), 1);
    }
}
