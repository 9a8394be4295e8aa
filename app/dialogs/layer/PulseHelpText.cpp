// The rotary engraving help texts; see the header.
#include "PulseHelpText.h"

#include <array>
#include <string_view>

#include "SettingsGlobals.h"

namespace {

constexpr std::string_view kRule = "=======================================";

std::string JoinHelpLines(const std::array<std::string_view, 4>& lines) {
    std::string body = "\r\n";
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (index > 0) {
            body += "\r\n\r\n";
        }
        body += lines[index];
    }
    return body;
}

}  // namespace

PulseHelp PulseHelpText(std::uint16_t languageIndex) {
    if (languageIndex == kLanguageSimplifiedChinese) {
        return {"帮助", JoinHelpLines({"周脉冲=电机驱动器细分数*传动比", kRule,
                                       "如此方法速度匹配不理想，可用改变Y轴电机步距的方法",
                                       "Y轴电机步距=(3.1415926*工件直径(mm)*1000)/周脉冲"})};
    }
    return {"Help",
            JoinHelpLines({"Circle pulse=Subdivision*Transmission ration", kRule,
                           "If the speed match is not ok,you can try to set the precision of axis Y",
                           "Axis Y precision=(3.1415926*1000*Work Piece diameter(mm))/Circle pulse"})};
}
