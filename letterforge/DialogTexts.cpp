// The text engine's dialog words in their two languages.
#include "DialogTexts.h"

#include <algorithm>
#include <iterator>

namespace letterforge {
namespace {

struct CaptionRow {
    TextDialog dialog;
    int controlId;
    const char* english;
    const char* chinese;
};

constexpr CaptionRow kCaptions[] = {
    {TextDialog::kText, kWindowTitle, "Text", "文字"},
    {TextDialog::kText, 24002, "TrueType font:", "TrueType字体:"},
    {TextDialog::kText, 24003, "SHX font:", "SHX字体:"},
    {TextDialog::kText, 24016, "Height:", "高度:"},
    {TextDialog::kText, 24017, "Width:", "字宽:"},
    {TextDialog::kText, 24018, "Char space:", "字间距:"},
    {TextDialog::kText, 24019, "Line space:", "行间距:"},
    {TextDialog::kText, 24014, "Enable variable text", "使能变量文字"},
    {TextDialog::kText, 24028, "Apply", "应用"},
    {TextDialog::kText, 24022, "OK", "确定"},
    {TextDialog::kText, 2, "Cancel", "取消"},
    {TextDialog::kDate, 24027, "Offset:", "日期偏移:"},
    {TextDialog::kSerial, 24039, "Prefix:", "前导字串:"},
    {TextDialog::kSerial, 24040, "Suffix:", "后导字串:"},
    {TextDialog::kSerial, 24041, "Start SN:", "开始序号:"},
    {TextDialog::kSerial, 24042, "Current SN:", "当前序号:"},
    {TextDialog::kSerial, 24043, "SN Inc:", "序号增量:"},
    {TextDialog::kSerial, 24030, "Extend", "扩展"},
    {TextDialog::kSerialExtend, kWindowTitle, "Extend", "扩展"},
    {TextDialog::kSerialExtend, 24029, "Enable reset", "复位序号"},
    {TextDialog::kSerialExtend, 24031, "Enable prefix ZERO", "使能前导零"},
    {TextDialog::kSerialExtend, 24032, "Enable SN array", "使能序号阵列"},
    {TextDialog::kSerialExtend, 24045, "Number", "个数"},
    {TextDialog::kSerialExtend, 24046, "Space", "间隔"},
    {TextDialog::kSerialExtend, 1, "OK", "确定"},
    {TextDialog::kSerialExtend, 2, "Cancel", "取消"},
};

struct WordRow {
    DialogWord word;
    const char* english;
    const char* chinese;
};

constexpr WordRow kWords[] = {
    {DialogWord::kKindDate, "Date", "日期"},
    {DialogWord::kKindSerial, "SerialNO", "序列号"},
    {DialogWord::kOffsetDays, "Day", "按日"},
    {DialogWord::kOffsetMonths, "Month", "按月"},
    {DialogWord::kOffsetYears, "Year", "按年"},
    {DialogWord::kNoText, "No text!", "文字不能为空!"},
    {DialogWord::kUnsupportedCharacter, "Exist not support character!", "存在当前字体不支持字符!"},
    {DialogWord::kBigFontMissing, "Not find shx font file BIG.SHX!", "未找到字体BIG.SHX文件"},
};

const char* InLanguage(const char* english, const char* chinese, int language) {
    return language == 0 ? chinese : english;
}

}  // namespace

std::string DialogCaption(TextDialog dialog, int controlId, int language) {
    const auto row = std::find_if(std::begin(kCaptions), std::end(kCaptions), [&](const CaptionRow& caption) {
        return caption.dialog == dialog && caption.controlId == controlId;
    });
    return row == std::end(kCaptions) ? std::string() : InLanguage(row->english, row->chinese, language);
}

std::string DialogWordText(DialogWord word, int language) {
    const auto row = std::find_if(std::begin(kWords), std::end(kWords),
                                  [&](const WordRow& entry) { return entry.word == word; });
    return row == std::end(kWords) ? std::string() : InLanguage(row->english, row->chinese, language);
}

}  // namespace letterforge
