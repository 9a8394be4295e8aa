// What the designer's windows share beyond the dialog kit: the designer's one state, its texts by
// section and key, and the message that ends the main dialog after an export.
#pragma once

#include <cstdint>

#include <QString>

#include "LgpDesigner.h"

namespace dotplate::ui {

// The designer's one state.
LgpDesigner& Designer();

// The text of the section's key in the designer's text store; a key that the language file lacks (one
// written by an older version) has the built-in text of the designer's language.
QString Text(const char* section, const char* key);

// The message the export buttons post to the main dialog to end it with OK.
inline constexpr std::uint32_t kExportDoneMessage = 0x046A;

}  // namespace dotplate::ui
