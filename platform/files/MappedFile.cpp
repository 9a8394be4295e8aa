#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace platform {

std::optional<MappedFile> MappedFile::Open(const std::filesystem::path& file) {
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<MappedFile> mapped;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const auto size = static_cast<std::size_t>(info.st_size);
        if (size == 0) {
            mapped = MappedFile(nullptr, 0);
        } else {
            // Populated at once: one call maps every page instead of one fault per page.
            void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (data != MAP_FAILED) {
                mapped = MappedFile(static_cast<const std::uint8_t*>(data), size);
            }
        }
    }
    ::close(fd);  // the mapping stays valid without the descriptor
    return mapped;
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

MappedFile::~MappedFile() { Unmap(); }

void MappedFile::Unmap() {
    if (data_ != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
        data_ = nullptr;
        size_ = 0;
    }
}

}  // namespace platform
