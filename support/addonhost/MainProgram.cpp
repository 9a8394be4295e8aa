// Reading the main program's stored language and starting the main program.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <thread>

#include "Archive.h"
#include "PlugInExports.h"
#include "ProgramFolder.h"

extern char** environ;

namespace {

// The start results, numbered as the shell numbers its failures; each has its message.
constexpr int kOutOfResources = 0;
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kOutOfMemory = 8;
constexpr int kInvalidExecutable = 11;
constexpr int kSharingViolation = 26;
constexpr int kUnknown = 1;

const char* MessageFor(int result) {
    switch (result) {
        case kOutOfResources:
            return "The operating system is out of memory or resources!";
        case kFileNotFound:
            return "The specified file was not found!";
        case kPathNotFound:
            return "The specified path was not found!";
        case kAccessDenied:
            return "The operating system denied access to the specified file!";
        case kOutOfMemory:
            return "There was not enough memory to complete the operation!";
        case kInvalidExecutable:
            return "The .exe file is invalid!";
        case kSharingViolation:
            return "A sharing violation occurred!";
        default:
            return "Unkown error!";
    }
}

int ResultForError(int error) {
    switch (error) {
        case ENOENT:
            return kFileNotFound;
        case ENOTDIR:
            return kPathNotFound;
        case EACCES:
        case EPERM:
            return kAccessDenied;
        case ENOMEM:
            return kOutOfMemory;
        case EAGAIN:
            return kOutOfResources;
        case ENOEXEC:
        case ELIBBAD:
            return kInvalidExecutable;
        case ETXTBSY:
            return kSharingViolation;
        default:
            return kUnknown;
    }
}

// Starts the program in its folder; 0 on success, else the error number of the failed start.
int StartDetached(const std::filesystem::path& folder, const std::filesystem::path& program) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::string programText = program.string();
    char* arguments[] = {programText.data(), nullptr};
    pid_t child = 0;
    const int error = posix_spawn(&child, programText.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0) {
        // The program runs on its own; a waiting thread collects its exit so that it leaves no zombie.
        std::thread([child] {
            int status = 0;
            waitpid(child, &status, 0);
        }).detach();
    }
    return error;
}

}  // namespace

std::uint16_t GetLang() {
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return 0;
    }
    try {
        return platform::Archive::ForLoadingFile(folder / "CutrixV6" / "config").ReadU16();
    } catch (const platform::ArchiveError&) {
        return 0;
    }
}

std::uint16_t RunProgram(platform::MessageSink& messages) {
    const std::filesystem::path programFolder = platform::ProgramFolder();
    const std::filesystem::path folder = programFolder / "CutrixV6";
    int result = kPathNotFound;
    std::error_code error;
    if (!programFolder.empty() && std::filesystem::is_directory(folder, error)) {
        const int startError = StartDetached(folder, folder / "CutrixV6");
        if (startError == 0) {
            return 0;
        }
        result = ResultForError(startError);
    }
    messages.ShowMessageBox(MessageFor(result), "", platform::kOk | platform::kIconError);
    return 1;
}
