// Settings, language and parameter files that were found damaged: their bytes are kept aside under a
// name of their own before the program writes the file anew, and the operator is told once, through
// the message sink, which files they were and where the old bytes are.
//
// What is to be told lives in a notice file ("DamagedFiles.txt") in the program folder, for files in it
// or in its folders, else beside the damaged file; one line per file: its path within the notice's
// folder, a tab and the path its old bytes were kept under (empty when the file was left as it was).
// The notice outlives the run, since files are kept aside at exit and told at the next start.
#pragma once

#include "MessageSink.h"

#include <filesystem>
#include <string_view>

constexpr std::string_view kDamagedSuffix = ".damaged";
constexpr std::string_view kDamagedNoticeFile = "DamagedFiles.txt";

// Gives the damaged file's bytes a name of their own beside it ("vpara.damaged", never replacing an
// earlier one) and notes it. True when the file may now be written over; false, with nothing to be
// written, when its bytes could not be kept.
bool KeepAsideBeforeRewrite(const std::filesystem::path& file);
// Notes a damaged file that stays as it is, unread and unwritten.
void NoteDamagedFileLeftInPlace(const std::filesystem::path& file);

// One message naming every file noted in the folder since the last time, then the notice is removed;
// nothing when there is none.
void TellOfDamagedFiles(const std::filesystem::path& folder, platform::MessageSink& messages);
// The same for the program folder.
void TellOfDamagedFiles(platform::MessageSink& messages);
