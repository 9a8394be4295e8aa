// CRecentFileList: the documents opened or saved last, newest first, as the File menu lists them. The
// list lives in a file of the program folder so that it outlasts the program.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

class CRecentFileList {
  public:
    static constexpr std::size_t kMaxEntries = 4;
    // The list's file in the program folder.
    static constexpr const char* kStoreName = "RecentFiles";

    // Reads the list from the file; a missing or unreadable file gives an empty list.
    explicit CRecentFileList(std::filesystem::path store);

    const std::vector<std::filesystem::path>& Entries() const { return entries_; }
    // Puts the file first, dropping an earlier entry of the same file and the oldest beyond the limit.
    void Add(const std::filesystem::path& file);
    void Remove(std::size_t index);
    // Writes the list; false when the file could not be written (the old one is kept).
    bool Save() const;

  private:
    std::filesystem::path store_;
    std::vector<std::filesystem::path> entries_;
};
