#include "RunningPrograms.h"

#include <gtest/gtest.h>

#include <fstream>

#include "PathExports.h"
#include "TempHome.h"

namespace fs = std::filesystem;

// A process table whose first processes cannot be inspected: the search must go on past them.
//   1/exe   a plain file, not a link (as an unreadable entry answers)
//   2/      no exe at all (a process that ended while the table was read)
//   10/exe  -> /opt/Cutrix/CutrixV5
TEST(RunningPrograms, UnreadableProcessesArePassedOver) {
    const fs::path table = cutrix::testing::TempHome() / "proc";
    fs::create_directories(table / "1");
    std::ofstream(table / "1" / "exe") << "not a link";
    fs::create_directories(table / "2");
    fs::create_directories(table / "10");
    fs::create_symlink("/opt/Cutrix/CutrixV5", table / "10" / "exe");
    fs::create_directories(table / "self");

    EXPECT_TRUE(folderkit::IsModuleRunning(table, "/opt/Cutrix/CutrixV5"));
    EXPECT_TRUE(folderkit::IsModuleRunning(table, "/OPT/cutrix/cutrixv5"));
    EXPECT_FALSE(folderkit::IsModuleRunning(table, "/opt/Cutrix/CutrixV6"));
    EXPECT_FALSE(folderkit::IsModuleRunning(table / "missing", "/opt/Cutrix/CutrixV5"));
}

TEST(RunningPrograms, FindsThisTestProgram) {
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    EXPECT_EQ(_path_IsAppRun(self), 0);
    EXPECT_EQ(_path_IsAppRun(self + ".not-running"), 1);
    EXPECT_EQ(_path_IsAppRun(""), 1);
}
