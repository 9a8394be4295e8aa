// Finding a running process by the executable it runs, through a process table laid out as /proc is.
#pragma once

#include <filesystem>
#include <string_view>

namespace folderkit {

// True when an entry of the table, taken in process-number order, runs modulePath (compared ignoring
// letter case). Entries whose executable cannot be read are passed over.
bool IsModuleRunning(const std::filesystem::path& processTable, std::string_view modulePath);

}  // namespace folderkit
