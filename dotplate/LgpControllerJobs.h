// The work that the designer's watching windows hand to their workers: reading the machine state,
// writing the dot job to a job file or the controller, storing a job file as a controller document,
// and sending a job file for processing. Each returns 0 on success and 1 on failure, and leaves no
// controller connection open on any path.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <stop_token>
#include <string>

#include "LgpJobWriter.h"

namespace dotplate {

class CLgpLink;
class LgpWorkerStatus;

// Opens the controller and reads its five state bytes, trying the read twice.
int ReadMachineState(CLgpLink& link, std::uint16_t languageIndex, std::array<std::uint8_t, 5>& state,
                     LgpWorkerStatus& status);

// Writes the dot job to the job file, or with no file, streams it into the controller. A job that
// fails part-way is never delivered: the file is not written, the controller gets no job end.
int ProcessDotJob(CLgpLink& link, const LgpDotJob& job, const std::filesystem::path* jobFile,
                  std::uint16_t languageIndex, LgpWorkerStatus& status);

// Stores the job file in the controller under the document name. An empty file is refused; progress
// is bytes sent over the file's length; a stop request ends it with failure.
int DownloadJobFile(CLgpLink& link, const std::filesystem::path& jobFile, const std::string& documentName,
                    std::uint16_t languageIndex, std::stop_token stop, LgpWorkerStatus& status);

// Sends the job file to the controller as a job to run. An empty file is refused; a stop request (the
// Cancel button) ends it with failure.
int SendJobFileToController(CLgpLink& link, const std::filesystem::path& jobFile, std::uint16_t languageIndex,
                            std::stop_token stop, LgpWorkerStatus& status);

// 1 when the file name ends in ".zint" in any letter case.
bool IsJobFilePath(const std::filesystem::path& file);

// Whether a new document name is free in the controller.
enum class LgpDocumentNameCheck {
    kFree,
    kCommunicationError,  // the controller could not be opened or did not count its documents
    kReadNameFailure,
    kDuplicate,  // a stored document has the name in any letter case
};
LgpDocumentNameCheck CheckNewDocumentName(CLgpLink& link, const std::string& name);

// A job file of its own in the program folder's temp/, for a job that is written only to be sent:
// the name is unique, so that no other file, and least of all a settings file, is ever replaced, and
// the file is removed when the object goes.
class LgpTemporaryJob {
  public:
    LgpTemporaryJob();
    ~LgpTemporaryJob();
    LgpTemporaryJob(const LgpTemporaryJob&) = delete;
    LgpTemporaryJob& operator=(const LgpTemporaryJob&) = delete;

    // Empty when no file could be made.
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace dotplate
