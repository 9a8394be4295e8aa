// The small pictures of the text dialogs, drawn in code: the TrueType mark, the two SHX font marks and
// the numbering directions of a serial array.
#pragma once

#include <QIcon>

namespace letterforge {

// 15 pixels wide, as the font lists leave room for.
inline constexpr int kFontIconSize = 15;

QIcon TrueTypeFontIcon();
// Double-byte stroke fonts hold Chinese as well as Latin, and their mark says so.
QIcon ShxFontIcon(bool doubleByte);
// The direction in which a serial array counts along X (horizontal) or Y, by its flag 0 or 1.
QIcon ArrayDirectionIcon(bool vertical, bool flag);

}  // namespace letterforge
