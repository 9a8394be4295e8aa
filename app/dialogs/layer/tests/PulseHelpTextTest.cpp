// The rotary engraving help: Chinese only for Simplified Chinese, English for every other language.
#include <gtest/gtest.h>

#include "PulseHelpText.h"

namespace {

TEST(PulseHelpText, EnglishForEveryLanguageButSimplifiedChinese) {
    const std::string english =
        "\r\nCircle pulse=Subdivision*Transmission "
        "ration\r\n\r\n=======================================\r\n\r\n"
        "If the speed match is not ok,you can try to set the precision of axis Y\r\n\r\n"
        "Axis Y precision=(3.1415926*1000*Work Piece diameter(mm))/Circle pulse";
    for (const std::uint16_t language : {1, 2, 3}) {
        const PulseHelp help = PulseHelpText(language);
        EXPECT_EQ(help.caption, "Help") << language;
        EXPECT_EQ(help.body, english) << language;
    }
}

TEST(PulseHelpText, SimplifiedChineseHasItsOwnText) {
    const PulseHelp help = PulseHelpText(0);
    EXPECT_EQ(help.caption, "帮助");
    EXPECT_EQ(help.body.substr(0, 2), "\r\n");
    EXPECT_NE(help.body.find("周脉冲=电机驱动器细分数*传动比\r\n\r\n===="), std::string::npos);
    EXPECT_TRUE(help.body.ends_with("/周脉冲"));
}

}  // namespace
