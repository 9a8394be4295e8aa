// The Preview command without its windows: the drawing (or the selection, when only it is output) is
// written by the job writer into a temporary job file, shown in the job preview and the file removed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "SettingsRecords.h"

class CCadMgr;

// The two windows the preview runs through; the shell gives the real ones, tests a recording twin.
class PreviewWindows {
  public:
    virtual ~PreviewWindows() = default;
    // Runs the processing dialog modally with `jobFile` as the job writer's target; true when it ended
    // with OK, that is the job was written whole.
    virtual bool RunProcessing(const std::filesystem::path& jobFile) = 0;
    // Shows the job preview over the file (an empty path opens it without a job) and returns once the
    // user has closed it.
    virtual void ShowJobPreview(const std::string& jobPath, std::uint16_t language,
                                std::uint16_t originCorner) = 0;
};

// The preview's origin corner 0..3 from the two mirror switches: both on 1, only x 2, only y 0, none 3.
std::uint16_t PreviewOriginCorner(const GeneralSettings& settings);

// The job file the preview writes, in the program folder.
inline constexpr const char* kPreviewJobFileName = "temp.zint";

// Runs the command. Nothing to output opens the preview empty at once, without processing. Otherwise
// the job is written into kPreviewJobFileName in `programFolder` (an empty folder ends the command
// silently), previewed (empty when the job was not written) and the file is removed; the variable texts
// are then refreshed without moving serial numbers on, since nothing was cut.
void RunPreviewCommand(CCadMgr& manager, const std::filesystem::path& programFolder, PreviewWindows& windows);
