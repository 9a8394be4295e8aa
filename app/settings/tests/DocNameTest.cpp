#include "DocName.h"

#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Outcome { kAccepted, kEmpty, kTooLong, kCharacter };

std::string EnglishMessage(Outcome outcome) {
    switch (outcome) {
        case Outcome::kEmpty:
            return "Document name is empty!";
        case Outcome::kTooLong:
            return "Document name is too long!";
        case Outcome::kCharacter:
            return "Document name must be (0-9) or (A-Z)!";
        default:
            return "";
    }
}

}  // namespace

TEST(DocName, AcceptsOrRefusesWithOneMessage) {
    struct Case {
        const char* name;
        Outcome outcome;
    };
    const Case cases[] = {
        {"", Outcome::kEmpty},
        {"a", Outcome::kAccepted},
        {"12345678", Outcome::kAccepted},
        {"Ab-c_De", Outcome::kAccepted},
        {"123456789", Outcome::kTooLong},
        {"激光切割", Outcome::kAccepted},   // four characters, eight GBK bytes (twelve in UTF-8)
        {"激光切割机", Outcome::kTooLong},  // five characters
        {"ab激光cd", Outcome::kAccepted},
        {"a b", Outcome::kCharacter},
        {"a:b", Outcome::kCharacter},
        {"a\tb", Outcome::kCharacter},
        {"a/b", Outcome::kCharacter},
        {"a|b", Outcome::kCharacter},
        {"a\xF0\x9F\x98\x80", Outcome::kCharacter},  // no GBK form
        {"a\xFF", Outcome::kCharacter},              // not UTF-8
        {"a b c d e f", Outcome::kTooLong},          // length is checked before characters
    };
    LanguageIndex = kLanguageOther;
    for (const Case& c : cases) {
        platform::RecordingMessageSink messages;
        const int accepted = CheckDocName(c.name, messages);
        EXPECT_EQ(accepted, c.outcome == Outcome::kAccepted ? 1 : 0) << c.name;
        const auto shown = messages.Shown();
        if (c.outcome == Outcome::kAccepted) {
            EXPECT_TRUE(shown.empty()) << c.name;
        } else {
            ASSERT_EQ(shown.size(), 1u) << c.name;
            EXPECT_EQ(shown[0].text, EnglishMessage(c.outcome)) << c.name;
        }
    }
    LanguageIndex = kLanguageSimplifiedChinese;
}

TEST(DocName, SimplifiedChineseShowsTheChineseMessage) {
    LanguageIndex = kLanguageSimplifiedChinese;
    platform::RecordingMessageSink messages;
    EXPECT_EQ(CheckDocName("123456789", messages), 0);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "文档名长度最大为8个英文、数字,或4个中文字符!");
}
