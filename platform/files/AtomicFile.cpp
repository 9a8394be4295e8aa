#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <new>
#include <string>

namespace platform {
namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t result = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// Reads to the end of the file; the size is only a first guess, since the file may change meanwhile.
// Stops as soon as more than maxBytes have come in.
LimitedRead ReadAll(int fd, std::size_t expectedSize, std::uintmax_t maxBytes) {
    LimitedRead read;
    std::vector<std::uint8_t>& bytes = read.bytes;
    bytes.resize(expectedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled > maxBytes) {
            return LimitedRead{ReadStatus::kTooLarge, {}};
        }
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        ssize_t result = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (result < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LimitedRead{};
        }
        if (result == 0) {
            break;
        }
        filled += static_cast<std::size_t>(result);
    }
    bytes.resize(filled);
    read.status = ReadStatus::kRead;
    return read;
}

}  // namespace

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int CreateTemporarySibling(const std::filesystem::path& target, std::string& temporaryPath) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        return -1;  // a folder or a device is never replaced by a file
    }
    std::string hiddenName = target.filename().string();
    hiddenName.insert(0, 1, '.');
    hiddenName.append(".tmp-XXXXXX");
    temporaryPath = (target.parent_path() / hiddenName).string();
    int fd = ::mkstemp(temporaryPath.data());
    if (fd >= 0) {
        ::fchmod(fd, 0644);  // mkstemp makes the file private; the files the program writes are not
    }
    return fd;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
    std::string temporary;
    int fd = CreateTemporarySibling(target, temporary);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) {
        ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view text) {
    return WriteFileAtomically(target,
                               std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

LimitedRead ReadWholeFileWithin(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer forever; for a regular file it
    // changes nothing.
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return LimitedRead{};
    }
    struct stat info {};
    LimitedRead read;
    // Only a regular file has a content to read: a folder or a device gives nothing.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
            read.status = ReadStatus::kTooLarge;
        } else {
            try {
                read = ReadAll(fd, static_cast<std::size_t>(info.st_size), maxBytes);
            } catch (const std::bad_alloc&) {
                read = LimitedRead{};  // a file larger than memory cannot be read whole
            }
        }
    }
    ::close(fd);
    return read;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file) {
    LimitedRead read = ReadWholeFileWithin(file, std::numeric_limits<std::uintmax_t>::max());
    if (read.status != ReadStatus::kRead) {
        return std::nullopt;
    }
    return std::move(read.bytes);
}

}  // namespace platform
