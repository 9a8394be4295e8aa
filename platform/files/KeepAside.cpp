#include "KeepAside.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <string>

namespace platform {
namespace {

// Names tried before giving up: enough for every start of years of damaged files.
constexpr int kMaxNamesTried = 1000;

std::filesystem::path AsideName(const std::filesystem::path& file, std::string_view suffix, int attempt) {
    std::string name = file.filename().string();
    name.append(suffix);
    if (attempt > 1) {
        name += '-';
        name += std::to_string(attempt);
    }
    return file.parent_path() / name;
}

// A second link to the same bytes where the file system has links, else the file moves to the name
// (and the rewrite that follows creates it again). Neither replaces an existing file: 1 done, 0 the
// name is taken, -1 failed.
int GiveName(const std::filesystem::path& file, const std::filesystem::path& aside) {
    if (::link(file.c_str(), aside.c_str()) == 0) {
        return 1;
    }
    if (errno == EEXIST) {
        return 0;
    }
    if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
        return 1;
    }
    return errno == EEXIST ? 0 : -1;
}

}  // namespace

std::optional<std::filesystem::path> KeepAside(const std::filesystem::path& file, std::string_view suffix) {
    for (int attempt = 1; attempt <= kMaxNamesTried; ++attempt) {
        const std::filesystem::path aside = AsideName(file, suffix, attempt);
        const int given = GiveName(file, aside);
        if (given > 0) {
            return aside;
        }
        if (given < 0) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace platform
