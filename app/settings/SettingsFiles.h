// Loading the settings files of the program folder at start-up and saving them at exit:
// "config", "vpara", "upara" and "lpara", in that order. Every failure is silent and leaves the
// current values (the built-in defaults at start-up) in force.
#pragma once

#include <filesystem>

// Reads each file; a file that is missing (and an empty "config") is written at once from the current
// values. A file that exists but cannot be read is left alone, now and at exit, so that a passing
// fault never replaces the vendor's parameters or settings with defaults.
void LoadAllSettings(const std::filesystem::path& programFolder);
// Writes each file from the current values through a temporary file; a failure of one does not stop
// the next. Files that LoadAllSettings found unreadable are not written.
void SaveAllSettings(const std::filesystem::path& programFolder);

// The same in the program folder; nothing happens without one.
void LoadAllSettings();
void SaveAllSettings();
