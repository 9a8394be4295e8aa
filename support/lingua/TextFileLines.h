// How a language or item text file is read line by line: which lines count, which are section headers
// and how a key line splits into key and value.
#pragma once

#include <functional>
#include <string_view>

struct TextFileLine {
    bool isHeader = false;
    std::string_view section;  // a header's section name
    std::string_view key;      // a key line's key (may be empty) and value
    std::string_view value;
};

// Classifies one line whose line end has been removed. A line is a header when, less its leading
// blanks, it holds a "[" and its first "]" is not its first character; the name runs from after the
// first "[" to the next "]", or to the end of the line when none follows. Any other line splits at its
// first "=" (untrimmed); without one, the key is empty and the whole line is the value.
TextFileLine ParseTextFileLine(std::string_view line);

// Calls onLine for every line of the content that counts, in file order. A line ends at a line feed,
// and a carriage return just before it goes too, as a text-mode read would drop it. Lines of any length
// are read whole. A line of at most one byte, its line feed counted, is skipped.
void ReadTextFileLines(std::string_view content, const std::function<void(const TextFileLine&)>& onLine);
