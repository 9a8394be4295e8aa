// The file library's import with a file chooser: a QFileDialog, then the import of the chosen file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Filebridge.h"

namespace filebridge {

// Turns "Description|*.a;*.b|Other|*.c|" into Qt's "Description (*.a *.b);;Other (*.c)".
std::string QtFilterOf(std::string_view filter);

// Shows a chooser with the Qt filter and title; nothing when the user cancels.
using FileChooser = std::function<std::optional<std::string>(const std::string& qtFilter, const std::string& title)>;

// Replaces the QFileDialog (tests); an empty chooser restores it.
void SetFileChooser(FileChooser chooser);

}  // namespace filebridge

// Shows the chooser and stores the chosen path in *chosenPath. With flag 1 the file is then imported
// into *records (as _file_ImportFile does); with flag 0 it is only chosen and records may be null.
// 2: a file was chosen (and imported); 0: cancelled; 1: failure. `language` and `unused` are not read.
FILEBRIDGE_API short _file_Import(const char* filter, const char* title, int language, int flag,
                                  std::string* chosenPath, const std::uint32_t* layerColours, std::uint32_t colour,
                                  double precision, double unitScale, std::int32_t option, std::int32_t unused,
                                  CDbList<CFileDraw*>* records);
