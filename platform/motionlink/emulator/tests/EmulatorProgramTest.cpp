// The motionlink-emulator program: it serves on the port it reports, stops on SIGTERM, and keeps its
// parameters in its state file across runs.
#include "AtomicFile.h"
#include "MotionlinkLink.h"
#include "TempHome.h"
#include "TestJobs.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace motionlink::emulator {
namespace {

// How long a freshly started program (under the sanitizers, on a busy machine) may take to report.
constexpr int kStartupTimeoutMs = 30000;

class EmulatorProcess {
  public:
    explicit EmulatorProcess(std::vector<std::string> arguments) {
        int pipe[2];
        if (::pipe(pipe) != 0) {
            throw std::runtime_error("no pipe");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipe[0]);
        arguments.insert(arguments.begin(), MOTIONLINK_EMULATOR_PROGRAM);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const int spawned =
            posix_spawn(&pid_, MOTIONLINK_EMULATOR_PROGRAM, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipe[1]);
        output_ = pipe[0];
        if (spawned != 0) {
            pid_ = -1;
        }
    }

    ~EmulatorProcess() {
        Stop();
        ::close(output_);
    }

    // The first line the program printed, or empty when it printed none in time.
    std::string ReadyLine() {
        std::string line;
        char byte = 0;
        pollfd ready{output_, POLLIN, 0};
        while (::poll(&ready, 1, kStartupTimeoutMs) > 0 && ::read(output_, &byte, 1) == 1 && byte != '\n') {
            line += byte;
        }
        return line;
    }

    // Sends SIGTERM and waits; the exit status, or -1.
    int Stop() {
        if (pid_ <= 0) {
            return -1;
        }
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// The port out of "ready udp=<port> serial=...".
std::string PortOf(const std::string& readyLine) {
    const std::size_t start = readyLine.find("udp=");
    return start == std::string::npos ? ""
                                      : readyLine.substr(start + 4, readyLine.find(' ', start) - start - 4);
}

TEST(EmulatorProgramTest, ServesOnItsReportedPortAndKeepsParametersAcrossRuns) {
    const std::string state = (cutrix::testing::TempHome() / "emulator").string();
    {
        EmulatorProcess emulator({"--port", "0", "--state", state});
        const std::string port = PortOf(emulator.ReadyLine());
        ASSERT_FALSE(port.empty());
        ::setenv("CUTRIX_MOTIONLINK_PORT", port.c_str(), 1);
        ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
        EXPECT_EQ(Zint_SetG0Vel(321.5), 0);
        Zint_Close();
        EXPECT_EQ(emulator.Stop(), 0);
    }
    EmulatorProcess emulator({"--port", "0", "--state", state});
    const std::string port = PortOf(emulator.ReadyLine());
    ASSERT_FALSE(port.empty());
    ::setenv("CUTRIX_MOTIONLINK_PORT", port.c_str(), 1);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    double speed = 0;
    EXPECT_EQ(Zint_GetG0Vel(&speed), 0);
    EXPECT_EQ(speed, 321.5);
    Zint_Close();
}

TEST(EmulatorProgramTest, MismatchOptionMakesOpenReportTheMismatch) {
    EmulatorProcess emulator(
        {"--port", "0", "--state", (cutrix::testing::TempHome() / "e").string(), "--mismatch"});
    const std::string port = PortOf(emulator.ReadyLine());
    ASSERT_FALSE(port.empty());
    ::setenv("CUTRIX_MOTIONLINK_PORT", port.c_str(), 1);
    EXPECT_EQ(Zint_Open(1, 0, "127.0.0.1"), kLinkMismatch);
    Zint_Close();
}

// Both ways a job starts, streamed and as a stored document, leave a numbered copy of what was run.
TEST(EmulatorProgramTest, KeepJobsOptionKeepsEveryStartedJobAsANumberedFile) {
    const std::filesystem::path kept = cutrix::testing::TempHome() / "kept";
    EmulatorProcess emulator(
        {"--port", "0", "--state", (cutrix::testing::TempHome() / "k").string(), "--keep-jobs", kept.string()});
    const std::string port = PortOf(emulator.ReadyLine());
    ASSERT_FALSE(port.empty());
    ::setenv("CUTRIX_MOTIONLINK_PORT", port.c_str(), 1);
    const std::vector<std::uint8_t> streamed = testing::SampleJobBytes(1, 1000.0);
    const std::vector<std::uint8_t> stored = testing::SampleJobBytes(2, 1000.0);
    ASSERT_EQ(testing::DownloadDocument("KEPT", stored), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(testing::WriteSampleJob(nullptr, 1, 1000.0), 0);
    ASSERT_EQ(Zint_StopProcess(), 0);
    ASSERT_EQ(Zint_StrtSelDocument(1), 0);
    Zint_Close();
    EXPECT_EQ(platform::ReadWholeFile(kept / "job-1.zint"), streamed);
    EXPECT_EQ(platform::ReadWholeFile(kept / "job-2.zint"), stored);
    EXPECT_FALSE(std::filesystem::exists(kept / "job-3.zint"));
}

TEST(EmulatorProgramTest, BadOptionsStopTheProgramBeforeItServes) {
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"--drop", "1.5"}, {"--port", "x"}, {"--nonsense"}}) {
        EmulatorProcess emulator(arguments);
        EXPECT_EQ(emulator.ReadyLine(), "");
    }
}

}  // namespace
}  // namespace motionlink::emulator
