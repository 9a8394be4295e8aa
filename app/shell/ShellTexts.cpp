// The status bar, caption, prompt and ruler texts.
#include "ShellTexts.h"

#include <cmath>
#include <cstdio>

#include "CadGroup.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"

namespace {

bool Chinese() {
    return LanguageIndex == kLanguageSimplifiedChinese;
}

std::string Format(const char* format, double a, double b) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string SingleElementText(const SelectionSummary& selection) {
    switch (selection.singleType) {
        case 1:
            return Chinese() ? "1 曲线对象" : "1 curve object";
        case 2:
            return Chinese() ? "1 位图对象" : "1 bitmap object";
        case 3:
            return Chinese() ? "1 点对象" : "1 point object";
        case 4:
            return std::to_string(selection.groupChildren) +
                   (Chinese() ? " 对象在群组中" : " objects in Group");
        case 5:
            return Chinese() ? "1 文字对象" : "1 text object";
        case 6:
            return Chinese() ? "1 阵列对象" : "1 array object";
        default:
            return Chinese() ? "1 对象" : "1 object";
    }
}

// Truncates at the last character boundary within the limit, so UTF-8 text is never cut mid-character.
std::string CutBetweenCharacters(std::string text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

}  // namespace

std::string StatusPositionText(double xMm, double yMm) {
    return Format("X:%.3lfmm,Y:%.3lfmm", xMm, yMm);
}

SelectionSummary SummarizeSelection(const CCadMgr& manager) {
    SelectionSummary summary;
    summary.count = manager.selectionList.GetCount();
    if (summary.count == 0) {
        return summary;
    }
    const CCadElement* first = manager.selectionList.head->next->value;
    summary.singleType = first->typeCode;
    if (const auto* group = dynamic_cast<const CCadGroup*>(first)) {
        summary.groupChildren = group->children.GetCount();
    }
    const CCadRect rect = manager.GetSelectionRect();
    summary.width = std::fabs(rect.x2 - rect.x1);
    summary.height = std::fabs(rect.y2 - rect.y1);
    return summary;
}

std::string SelectionInfoText(const SelectionSummary& selection) {
    if (selection.count <= 0) {
        return std::string(9, '\t');
    }
    const std::string what = selection.count == 1
                                 ? SingleElementText(selection)
                                 : std::to_string(selection.count) + (Chinese() ? " 对象" : " object");
    return what + Format(Chinese() ? ",尺寸:X%.3lf,Y%.3lf" : ",Size:X%.3lf,Y%.3lf", selection.width,
                         selection.height);
}

std::string FrameCaption(std::string_view softwareTitle, std::string_view documentTitle) {
    std::string caption(softwareTitle.empty() ? kFallbackSoftwareTitle : softwareTitle);
    caption += "-[";
    if (documentTitle.empty()) {
        caption += Chinese() ? "未命名" : "Blank";
    } else {
        caption += documentTitle;
    }
    return caption + "]";
}

std::string CommandStatusPrompt(const std::string& key) {
    const std::string prompt = GetLangText("MenuPrompt", key);
    return prompt.substr(0, prompt.find('\\'));
}

std::string CommandToolTip(const std::string& key) {
    const std::string prompt = GetLangText("MenuPrompt", key);
    const std::size_t backslash = prompt.find('\\');
    if (backslash == std::string::npos) {
        return {};
    }
    return CutBetweenCharacters(prompt.substr(backslash + 1), kToolTipMaxBytes);
}

std::string RulerLabel(double valueMm) {
    const auto hasDecimals = [valueMm](double scale) {
        return std::trunc(valueMm * scale) == valueMm * scale;
    };
    const char* format = hasDecimals(10.0) ? "%.1lf" : hasDecimals(100.0) ? "%.2lf" : "%.3lf";
    char label[64];
    std::snprintf(label, sizeof label, format, valueMm);
    return label;
}
