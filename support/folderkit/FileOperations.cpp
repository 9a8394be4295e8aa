// Testing, copying, renaming and removing files and folders.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "AtomicFile.h"
#include "PathExports.h"

namespace fs = std::filesystem;

namespace {

// Makes a folder's entries removable, as clearing the read-only attribute does elsewhere.
void MakeFolderWritable(const fs::path& folder) {
    std::error_code ignored;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
}

void RemoveTree(const fs::path& folder) {
    MakeFolderWritable(folder);
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_directory(ignored) && !entry->is_symlink(ignored)) {
            RemoveTree(entry->path());
        } else {
            fs::remove(entry->path(), ignored);
        }
    }
    std::error_code ignored;
    fs::remove(folder, ignored);
}

}  // namespace

std::uint16_t _path_IsFileExist(const std::string& path) {
    // Non-blocking, so that a named pipe without a writer answers at once instead of hanging.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return 1;
    }
    struct stat status {};
    const bool isFile = ::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode);
    ::close(fd);
    return isFile ? 0 : 1;
}

std::uint16_t _path_IsFolderExist(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::exists(path, error) ? 0 : 1;
}

std::uint16_t _path_CopyFile(const std::string& source, const std::string& folder, int quiet) {
    if (source.empty() || folder.empty()) {
        return 1;
    }
    if (_path_IsFolderExist(folder) != 0) {
        return quiet != 0 ? 0 : 2;
    }
    if (_path_IsFileExist(source) != 0) {
        return quiet != 0 ? 0 : 3;
    }
    std::string target = folder;
    if (!target.ends_with('/')) {
        target += '/';
    }
    target += source.substr(source.rfind('/') + 1);  // npos + 1 is 0: the whole name
    const auto bytes = platform::ReadWholeFile(source);
    return bytes && platform::WriteFileAtomically(target, *bytes) ? 0 : 4;
}

std::uint16_t _path_RemoveFile(const std::string& path) {
    if (_path_IsFileExist(path) == 0) {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    return 0;
}

std::uint16_t _path_RemoveFolder(const std::string& path) {
    if (_path_IsFolderExist(path) != 0) {
        return 1;
    }
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        RemoveTree(path);
    }
    return 0;
}

std::uint16_t _path_RenameFile(const std::string& oldPath, const std::string& newPath) {
    if (_path_IsFileExist(oldPath) != 0 || newPath.empty() || _path_IsFolderExist(newPath) == 0) {
        return 1;
    }
    std::error_code error;
    fs::rename(oldPath, newPath, error);
    return error ? 1 : 0;
}
