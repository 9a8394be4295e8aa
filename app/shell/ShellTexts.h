// The texts the main window writes: the cursor position and the selection summary of the status bar,
// the window caption, the status prompt and tooltip of a command, and the labels of the rulers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CCadMgr;

// "X:%.3lfmm,Y:%.3lfmm".
std::string StatusPositionText(double xMm, double yMm);

// What the selection summary says about the selection.
struct SelectionSummary {
    int count = 0;
    std::uint16_t singleType = 0;  // type code of the one selected element
    int groupChildren = 0;         // children of the one selected group
    double width = 0.0;            // mm, of the selection rectangle
    double height = 0.0;
};
SelectionSummary SummarizeSelection(const CCadMgr& manager);
// Nine tabs for an empty selection; else what is selected and ",Size:X%.3lf,Y%.3lf", in Chinese for
// LanguageIndex 0 and in English otherwise.
std::string SelectionInfoText(const SelectionSummary& selection);

// The software title (the fallback when the vendor's is empty), "-[", the document's title ("Blank"
// when it has none) and "]".
std::string FrameCaption(std::string_view softwareTitle, std::string_view documentTitle);
constexpr std::string_view kFallbackSoftwareTitle = "CutrixV6";

// The status prompt and the tooltip of a command key: the parts of its "MenuPrompt" text before and
// after the first backslash. The tooltip keeps at most 79 bytes, cut between characters.
std::string CommandStatusPrompt(const std::string& key);
std::string CommandToolTip(const std::string& key);
// The key of the idle prompt.
constexpr std::string_view kIdlePromptKey = "Welcome";
constexpr std::size_t kToolTipMaxBytes = 79;

// A long tick's label: one decimal when the value has at most one, two when it has two, else three.
std::string RulerLabel(double valueMm);
