#include "AtomicFileStream.h"

#include <unistd.h>

#include "AtomicFile.h"

namespace platform {

namespace {

// Large enough that a stream of small records reaches the disk in few system calls.
constexpr std::size_t kStreamBuffer = 1 << 16;

}  // namespace

AtomicFileStream::AtomicFileStream(const std::filesystem::path& target, Durability durability)
    : target_(target), durability_(durability) {
    const int fd = CreateTemporarySibling(target, temporary_);
    if (fd < 0) {
        return;
    }
    file_ = ::fdopen(fd, "wb");
    if (file_ == nullptr) {
        ::close(fd);
        ::unlink(temporary_.c_str());
        return;
    }
    buffer_ = std::make_unique<char[]>(kStreamBuffer);
    std::setvbuf(file_, buffer_.get(), _IOFBF, kStreamBuffer);
}

AtomicFileStream::~AtomicFileStream() { Discard(); }

void AtomicFileStream::Discard() {
    if (file_ == nullptr) {
        return;
    }
    std::fclose(file_);
    file_ = nullptr;
    ::unlink(temporary_.c_str());
}

bool AtomicFileStream::Commit() {
    if (file_ == nullptr) {
        return false;
    }
    const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    const bool written = flushed && (durability_ != Durability::kSynced || ::fsync(::fileno(file_)) == 0);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ::unlink(temporary_.c_str());
        return false;
    }
    if (durability_ == Durability::kSynced) {
        SyncFolder(target_.parent_path());
    }
    return true;
}

}  // namespace platform
