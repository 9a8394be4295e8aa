// A regular file's bytes mapped read-only into memory, for reading a large file whole without copying it
// into fresh memory (which costs a page fault per page before a byte is read). Only for files that are
// replaced by renaming, never cut short in place while mapped: reading a page cut off after the mapping
// was made stops the program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace platform {

class MappedFile {
  public:
    // Nothing when the file is missing, is not a regular file (a folder, a pipe, a device) or cannot be
    // mapped. An empty file maps to no bytes.
    static std::optional<MappedFile> Open(const std::filesystem::path& file);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }

  private:
    MappedFile(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    void Unmap();

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace platform
