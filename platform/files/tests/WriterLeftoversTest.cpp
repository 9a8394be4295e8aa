#include "AtomicFile.h"
#include "TempHome.h"
#include "WriterLeftovers.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

using cutrix::testing::TempHome;

namespace {

// A save killed between writing its temporary sibling and renaming it: a child process writes and is
// killed, as a crash or a power cut would stop the program.
void KilledSave(const std::filesystem::path& target) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string temporary;
        const int fd = platform::CreateTemporarySibling(target, temporary);
        const std::vector<char> bytes(1 << 20, 'x');
        if (fd >= 0 && ::write(fd, bytes.data(), bytes.size()) > 0) {
            ::raise(SIGKILL);
        }
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(WriterLeftovers, OnlyTheWritersOwnPatternIsALeftover) {
    const std::pair<const char*, bool> cases[] = {
        {".drawing.lcx.tmp-a1B2c3", true}, {".config.tmp-XyZ009", true},   {"drawing.lcx.tmp-a1B2c3", false},
        {".drawing.lcx.tmp-a1B2c", false}, {".drawing.lcx.tmp-a1B2c!", false}, {".tmp-a1B2c3", false},
        {".drawing.lcx", false},           {".drawing.lcx.tmp-a1B2c3.bak", false},
    };
    for (const auto& [name, leftover] : cases) {
        EXPECT_EQ(platform::IsWriterLeftoverName(name), leftover) << name;
    }
}

// The next start removes what the killed save left and nothing else; a leftover written after this
// process started may be a running writer's and stays.
TEST(WriterLeftovers, AKilledSavesLeftoverIsGoneAfterTheNextStart) {
    const std::filesystem::path folder = TempHome() / "documents";
    std::filesystem::create_directories(folder);
    for (const char* name : {"drawing.lcx", ".hidden-notes", "drawing.lcx.tmp-abcdef", ".x.tmp-abc"}) {
        std::ofstream(folder / name) << "kept";
    }
    std::filesystem::create_directory(folder / ".folder.tmp-abcdef");
    KilledSave(folder / "drawing.lcx");
    ASSERT_EQ(Names(folder).size(), 6u);

    EXPECT_EQ(platform::RemoveWriterLeftovers(folder, platform::ProcessStartTime()), 0u)
        << "written after this process started";
    const auto nextStart = std::filesystem::file_time_type::clock::now();
    EXPECT_EQ(platform::RemoveWriterLeftovers(folder, nextStart), 1u);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{".folder.tmp-abcdef", ".hidden-notes", ".x.tmp-abc",
                                                       "drawing.lcx", "drawing.lcx.tmp-abcdef"}));
}

TEST(WriterLeftovers, ThisProcessStartedBeforeNowAndAfterBoot) {
    const auto started = platform::ProcessStartTime();
    const auto now = std::filesystem::file_time_type::clock::now();
    EXPECT_LE(started, now);
    EXPECT_GT(started, now - std::chrono::hours(24 * 365));
}
