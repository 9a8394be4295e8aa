// What the three text renderers share: cutting lines from the end of a text (the last line is laid out
// first and lowest), walking UTF-8 characters, and the working list of curves of one call.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "DbList.h"
#include "FileDraw.h"

namespace letterforge {

using CurveList = std::vector<std::unique_ptr<CFileCurve>>;

// Removes the part after the last '\n' (and that newline) from `remaining` and returns it; the whole
// text when it holds no newline.
std::string_view TakeLastLine(std::string_view& remaining);

// The character at `position` and the position after it; a byte that does not start a well-formed
// UTF-8 sequence is one character U+FFFD.
char32_t NextCharacter(std::string_view text, std::size_t& position);

void AppendLine(CFileCurve& curve, SDPoint start, SDPoint end);
void AppendBezier(CFileCurve& curve, SDPoint start, SDPoint ctrl1, SDPoint ctrl2, SDPoint end);

// Moves the curves, in order, to the end of the caller's list, which owns them from then on.
void HandOver(CurveList& curves, CDbList<CFileCurve*>& out);

}  // namespace letterforge
