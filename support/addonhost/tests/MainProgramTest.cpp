#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "PlugInExports.h"
#include "RecordingMessageSink.h"
#include "TempHome.h"

namespace fs = std::filesystem;

namespace {

fs::path ProgramDir() {
    return cutrix::testing::TempHome() / "CutrixV6";
}

void WriteProgram(const std::string& content, fs::perms permissions) {
    fs::create_directories(ProgramDir());
    std::ofstream(ProgramDir() / "CutrixV6", std::ios::binary) << content;
    fs::permissions(ProgramDir() / "CutrixV6", permissions);
}

std::string ShownText(const platform::RecordingMessageSink& messages) {
    const auto shown = messages.Shown();
    return shown.size() == 1 ? shown[0].text : "<" + std::to_string(shown.size()) + " messages>";
}

}  // namespace

TEST(MainProgram, StoredLanguageIsTheFirstWordOfTheConfigFile) {
    EXPECT_EQ(GetLang(), 0) << "no file";
    fs::create_directories(ProgramDir());
    std::ofstream(ProgramDir() / "config", std::ios::binary) << '\x02';
    EXPECT_EQ(GetLang(), 0) << "a file too short for a word";
    std::ofstream(ProgramDir() / "config", std::ios::binary) << std::string("\x03\x00more", 6);
    EXPECT_EQ(GetLang(), 3);
}

TEST(MainProgram, StartFailuresAreExplained) {
    struct Case {
        const char* name;
        bool withFolder;
        const char* program;  // null: no program file
        fs::perms permissions;
        const char* message;
    };
    const Case cases[] = {
        {"no folder", false, nullptr, fs::perms::none, "The specified path was not found!"},
        {"no program", true, nullptr, fs::perms::none, "The specified file was not found!"},
        {"not executable", true, "#!/bin/sh\n", fs::perms::owner_read,
         "The operating system denied access to the specified file!"},
        {"not a program", true, "plain text", fs::perms::owner_all, "The .exe file is invalid!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(ProgramDir());
        if (c.withFolder) {
            fs::create_directories(ProgramDir());
        }
        if (c.program != nullptr) {
            WriteProgram(c.program, c.permissions);
        }
        platform::RecordingMessageSink messages;
        EXPECT_EQ(RunProgram(messages), 1);
        EXPECT_EQ(ShownText(messages), c.message);
    }
}

TEST(MainProgram, StartsTheProgramInItsFolder) {
    if (access("/bin/sh", X_OK) != 0) {
        GTEST_SKIP() << "no shell to run the stand-in program";
    }
    WriteProgram("#!/bin/sh\npwd > started.tmp && mv started.tmp started\n", fs::perms::owner_all);
    platform::RecordingMessageSink messages;
    ASSERT_EQ(RunProgram(messages), 0);
    EXPECT_TRUE(messages.Shown().empty());

    // The program runs on its own; wait (bounded) for the mark it leaves.
    const fs::path mark = ProgramDir() / "started";
    for (int attempt = 0; attempt < 1000 && !fs::exists(mark); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::ifstream stream(mark);
    const std::string workingFolder(std::istreambuf_iterator<char>(stream), {});
    EXPECT_EQ(workingFolder, fs::canonical(ProgramDir()).string() + "\n");
}
