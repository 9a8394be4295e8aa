// Reading a job file: the open failures, empty files, and the byte transform applied before the walk.
#include "Jobscan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "JobCommandTestSupport.h"
#include "TempHome.h"

namespace {

using jobscan::testing::ToVector;
using jobscan::testing::WriteOpcodeStreamAsJobFile;

std::filesystem::path JobPath(const char* name) {
    return cutrix::testing::TempHome() / name;
}

TEST(ReadZintFile, MissingFileGivesOneAndLeavesTheListUntouched) {
    CDbList<JobCommand> list;
    list.AddTail(JobCommand{JobCommand::Delay, 1.0, 0.0});
    EXPECT_EQ(Zint_ReadZintFile(JobPath("missing.zint").c_str(), &list, 0), 1);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(ReadZintFile, FolderOrNullPathCannotBeOpened) {
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(cutrix::testing::TempHome().c_str(), &list, 0), 1);
    EXPECT_EQ(Zint_ReadZintFile(nullptr, &list, 0), 1);
    EXPECT_TRUE(list.IsEmpty());
}

// Opening a named pipe for reading used to wait for a writer that never comes: the reader hung.
TEST(ReadZintFile, NamedPipeCannotBeOpenedInsteadOfHanging) {
    const auto path = JobPath("pipe.zint");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(path.c_str(), &list, 0), 1);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ReadZintFile, EmptyFileGivesZeroAndNothing) {
    const auto path = JobPath("empty.zint");
    std::ofstream(path, std::ios::binary).close();
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(path.c_str(), &list, 7), 0);
    EXPECT_TRUE(list.IsEmpty());
}

// The file holds stored bytes; only after the transform do they form the opcode stream.
TEST(ReadZintFile, DecodesTheTransformedBytes) {
    const auto path = JobPath("job.zint");
    const std::vector<std::uint8_t> opcodes{0xC7, 0x7F, 0x7F, 0x89, 0x00, 0x02,
                                            0x00, 0x03, 0xD7, 0xC7, 0x00, 0x00};
    WriteOpcodeStreamAsJobFile(path, opcodes);
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(path.c_str(), &list, 1), 0);
    EXPECT_EQ(ToVector(list), (std::vector<JobCommand>{JobCommand{JobCommand::Power, 1.0, 0.0},
                                                       JobCommand{JobCommand::Move, 2 * 0.001, 3 * 0.001}}));
}

TEST(ReadZintFile, FileWithoutEndOpcodeOrWithGarbageGivesZero) {
    const auto path = JobPath("garbage.zint");
    std::ofstream(path, std::ios::binary) << "not a job at all";
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(path.c_str(), &list, 0), 0);
}

TEST(ReadZintFile, ListWithoutSentinelStillReadsAndGetsNothing) {
    const auto path = JobPath("job.zint");
    WriteOpcodeStreamAsJobFile(path, std::vector<std::uint8_t>{0xC7, 0x7F, 0x7F});
    CDbList<JobCommand> released;
    released.Release();
    EXPECT_EQ(Zint_ReadZintFile(path.c_str(), &released, 0), 0);
    EXPECT_EQ(released.head, nullptr);
}

}  // namespace
