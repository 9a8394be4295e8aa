// A whole file read into memory for a reader. Its pages are first touched by the read itself, and a
// large drawing touched 4 KiB at a time costs more page faults than its parse costs work, so the bytes
// lie in a private mapping that asks the kernel for huge pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace filebridge {

class FileBytes {
  public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Reads the whole file when it holds at most `maxBytes`; false with the reason in `failure`.
    bool Read(const std::string& path, std::uint64_t maxBytes, std::string& failure);

    std::string_view View() const { return {static_cast<const char*>(mapping_), size_}; }

  private:
    bool Map(std::size_t size);

    void* mapping_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace filebridge
