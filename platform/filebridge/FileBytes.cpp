#include "FileBytes.h"

#include <sys/mman.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace filebridge {

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

FileBytes::~FileBytes() {
    if (mapping_ != nullptr) {
        ::munmap(mapping_, size_);
    }
}

bool FileBytes::Map(std::size_t size) {
    void* mapping = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        return false;
    }
    ::madvise(mapping, size, MADV_HUGEPAGE);  // a hint: without huge pages the bytes still read
    mapping_ = mapping;
    size_ = size;
    return true;
}

bool FileBytes::Read(const std::string& path, std::uint64_t maxBytes, std::string& failure) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        failure = "cannot open " + path;
        return false;
    }
    if (size > maxBytes) {
        failure = "file larger than the import limit";
        return false;
    }
    const std::unique_ptr<std::FILE, FileClose> file(std::fopen(path.c_str(), "rb"));
    if (file == nullptr) {
        failure = "cannot open " + path;
        return false;
    }
    if (size == 0) {
        return true;
    }
    if (!Map(static_cast<std::size_t>(size))) {
        failure = "file needs more memory than is available";
        return false;
    }
    const std::size_t read = std::fread(mapping_, 1, size_, file.get());
    if (read != size_ || std::ferror(file.get()) != 0) {
        failure = "cannot read " + path;
        return false;
    }
    return true;
}

}  // namespace filebridge
