// Where the data check writes its lines: a list of coloured text lines that a pass appends to and
// rewrites in place (its progress line), so that the passes run headless and in the dialog alike.
#pragma once

#include <cstdint>
#include <string>

namespace dialogs::edit {

// Line colours, 0x00BBGGRR.
inline constexpr std::uint32_t kReportGreen = 0x008200;  // progress, end of a pass, nothing found
inline constexpr std::uint32_t kReportRed = 0x0000FF;    // faults found, with their count
inline constexpr std::uint32_t kReportOlive = 0x008080;  // what a pass mended by itself, with its count

class DataCheckReport {
  public:
    virtual ~DataCheckReport() = default;
    // Appends a line; returns its index.
    virtual int AddLine(const std::string& text, std::uint32_t colour) = 0;
    virtual void ReplaceLine(int index, const std::string& text, std::uint32_t colour) = 0;
};

}  // namespace dialogs::edit
