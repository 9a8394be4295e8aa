// The helpers that outside plug-in programs use beside the main program: the interface language it
// stored, starting it, their own plug-in folder and the temporary folder shared with it. Folders end
// with a "/". Results are 0 for success.
#pragma once

#include <cstddef>
#include <cstdint>

#include "MessageSink.h"

// The first 16-bit value of CutrixV6/config in the program folder; 0 when it cannot be read.
std::uint16_t GetLang();
// Starts the program CutrixV6 in the folder CutrixV6 of the program folder, without waiting for it.
// 1, after telling the user why through messages, when it cannot be started.
std::uint16_t RunProgram(platform::MessageSink& messages);

// 0 when the path exists, as a folder or a file; else 1.
std::uint16_t IsFolderExist(const char* path);
// 1 when the path does not exist; else removes the folder with everything in it and returns 0.
std::uint16_t RemoveFolder(const char* path);
// Creates the folder, whose parent must exist; failures are not reported, so always 0.
std::uint16_t CreateFolder(const char* path);

// Copy the folder's path and a terminating zero into buffer, creating the folder when missing. The
// buffer is cleared first; 1, with an empty text where there is room for one, when buffer is null or
// holds fewer than the path's length + 1 bytes.
// The plug-in folder: CutrixV6/ in the user's data folder.
std::uint16_t GetPlugFolder(char* buffer, std::size_t capacity);
// The temporary folder shared with the main program: the hand-over folder.
std::uint16_t GetPlugTempFolder(char* buffer, std::size_t capacity);

// Empties the temporary folder: removes it with everything in it and creates it again; 0.
std::uint16_t ResetPlugTempFolder();
