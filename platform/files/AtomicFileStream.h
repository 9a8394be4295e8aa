// A file written as a stream and published whole: the bytes go through a FILE* into a hidden temporary
// sibling of the target, and Commit flushes it to disk and renames it over the target. Without a
// successful commit the temporary file is removed and any old target stays as it was. Unlike
// WriteFileAtomically, the content never has to be held in memory.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace platform {

class AtomicFileStream {
  public:
    // How far a committed file is kept. A document must survive a power cut; a scratch file that only
    // lives while the program runs (an undo snapshot) need not wait for the disk, and is still never
    // seen half-written.
    enum class Durability {
        kSynced,         // on disk before Commit returns
        kWhileRunning,   // whole or absent to every reader, in the system's cache until it writes it
    };

    explicit AtomicFileStream(const std::filesystem::path& target, Durability durability = Durability::kSynced);
    ~AtomicFileStream();
    AtomicFileStream(const AtomicFileStream&) = delete;
    AtomicFileStream& operator=(const AtomicFileStream&) = delete;

    // Where to write; null when the temporary file could not be made.
    std::FILE* File() const { return file_; }
    // Publishes what was written. False, with the target untouched, when the stream could not be
    // made, any write failed, or flushing, syncing or renaming failed.
    bool Commit();

  private:
    void Discard();

    std::filesystem::path target_;
    Durability durability_;
    std::string temporary_;
    // The stream's buffer, given to it explicitly: asked for a size without a buffer, the C library
    // keeps its default of one disk block.
    std::unique_ptr<char[]> buffer_;
    std::FILE* file_ = nullptr;
};

}  // namespace platform
