// Letterforge: the text engine. Turns a text into outline curves in a TrueType/OpenType face or an SHX
// shape font, and fills date and serial-number texts into the text parameters.
//
// Every export returns a signed 16-bit status, 0 for done. No export throws. Curves appended to a list
// are new CFileCurve objects that belong to the caller from then on. The engine keeps no state between
// calls apart from the clock and the message sink set below.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "DbList.h"
#include "FileDraw.h"
#include "TextParam.h"

namespace platform {
class DeviceContext;
class MessageSink;
}  // namespace platform

// Appends one curve per glyph outline of `text`, laid out from (0, 0) in mm with y up; lines are
// separated by '\n', the last line lowest. useShx 0 takes fontName as a face family name (a face
// lacking a character borrows it from a fallback face); any other value takes it as the file name of an
// SHX font in fonts/ of the program folder, matched ignoring case. widthRatio 0 or below counts as 1.
// Nothing is appended for an empty text, a height that rounds to 0 or below, a value that is not
// finite, or a TrueType character whose outline cannot be read. dc may be null; it is never touched.
short _text_create(platform::DeviceContext* dc, const std::string& text, short useShx, const std::string& fontName,
                   double height, double charSpace, double lineSpace, double widthRatio, CDbList<CFileCurve*>* out);

// Writes the local date and time, shifted by the parameters' offset and formatted by their date format,
// into params->text.
short _text_getdate(CTextParam* params);

// With advance non-zero moves the serial number on by its increment (skip rules, then the reset);
// always writes prefix, serial number and suffix into params->text.
short _text_getsn(CTextParam* params, short advance);

namespace letterforge {

// The platform's local time record; month 1..12, day of week 0 for Sunday.
struct LocalTime {
    std::int16_t year = 0;
    std::int16_t month = 1;
    std::int16_t dayOfWeek = 0;
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    std::int16_t millisecond = 0;
};

// The clock that date texts read; an empty function restores the system's local time.
void SetClock(std::function<LocalTime()> clock);
// Where the engine reports a missing font; null (the default) drops the message.
void SetMessageSink(platform::MessageSink* sink);

}  // namespace letterforge
