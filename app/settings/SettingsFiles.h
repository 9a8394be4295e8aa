// Loading the settings files of the program folder at start-up and saving them at exit:
// "config", "vpara", "upara" and "lpara", in that order. Every failure is silent and leaves the
// current values (the built-in defaults at start-up) in force; a file is taken whole or not at all.
#pragma once

#include <filesystem>

// Reads each file; a file that is missing (and an empty "config") is written at once from the current
// values. Without a "config" the language is first taken from the system locale (SystemLanguage.h);
// a "config" that exists keeps its own. A file that exists but cannot be opened is left alone, now and at exit, so that a passing
// fault never replaces the vendor's parameters or settings with defaults. A file that opens but is not
// taken whole (too large, cut short, corrupt, a value out of range) is damaged: it stays as it is
// until exit.
void LoadAllSettings(const std::filesystem::path& programFolder);
// Writes each file from the current values through a temporary file; a failure of one does not stop
// the next. Files that LoadAllSettings found unreadable are not written; a damaged one is first kept
// aside under a name of its own and noted for the next start (DamagedFiles.h), and is not written when
// that fails.
void SaveAllSettings(const std::filesystem::path& programFolder);

// The same in the program folder; nothing happens without one.
void LoadAllSettings();
void SaveAllSettings();
