// Storing the drawing as a controller document: the job is written into a file of its own in the
// program's temp/ folder, downloaded under the document name, and the file removed again. The name the
// user typed never names a file, so a document called "config" touches no program file.
#pragma once

#include <filesystem>
#include <string>

namespace platform {
class MessageSink;
}

// A job file with a name no other file has, in temp/, removed when the object goes.
class TemporaryJobFile {
  public:
    TemporaryJobFile();
    ~TemporaryJobFile();
    TemporaryJobFile(const TemporaryJobFile&) = delete;
    TemporaryJobFile& operator=(const TemporaryJobFile&) = delete;

    // Empty when temp/ could not hold a new file.
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

enum class DrawingDownloadResult {
    kDone,
    kJobFailed,       // the job could not be written (nothing to output, a full disk ...)
    kDownloadFailed,  // the controller did not confirm the whole document
};

// Writes the drawing's job through the processing box and stores it under `docName` through the
// download box; `messages` shows the boxes' own refusals.
DrawingDownloadResult DownloadDrawingAsDocument(const std::string& docName, platform::MessageSink& messages);
