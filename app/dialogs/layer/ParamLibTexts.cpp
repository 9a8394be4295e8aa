// The parameter library dialog's summary and messages; see the header.
#include "ParamLibTexts.h"

#include "AsciiText.h"
#include "LanguageTexts.h"
#include "Numbers.h"
#include "ParamLibrary.h"
#include "SettingsGlobals.h"

namespace {

// Chinese for Simplified Chinese, English otherwise.
const char* Pick(std::uint16_t languageIndex, const char* english, const char* chinese) {
    return languageIndex == kLanguageSimplifiedChinese ? chinese : english;
}

std::string Layer(const char* key) {
    return GetLangText("DlgLayerPara", key);
}

bool Says(const ParamLibrary& library, const std::string& name, const char* key, const char* word) {
    return platform::EqualIgnoringCase(library.Value(name, key), word);
}

double Number(const ParamLibrary& library, const std::string& name, const char* key) {
    return platform::ParseLeadingDouble(library.Value(name, key));
}

std::string LaserLine(const ParamLibrary& library, const std::string& name, const char* enableKey,
                      const char* minKey, const char* maxKey, std::uint16_t language) {
    if (Says(library, name, enableKey, "No")) {
        return Pick(language, "Prohibition", "禁止");
    }
    if (Says(library, name, "COM_PowerDefault", "Yes")) {
        return Pick(language, "default", "默认");
    }
    return platform::FormatFixed(Number(library, name, minKey), 1) + "%--" +
           platform::FormatFixed(Number(library, name, maxKey), 1) + "%";
}

}  // namespace

std::string ParamSetSummary(const ParamLibrary& library, const std::string& name, std::uint16_t language) {
    const std::string type = library.Value(name, "COM_Type");
    const std::string mode = library.Value(name, "COM_WorkType");
    const char* modeKey = mode == "Scan" ? "D" : mode == "Dot" ? "F" : mode == "Pen" ? "G" : "E";
    const std::string speed = Says(library, name, "COM_SpeedDefault", "Yes")
                                  ? Pick(language, "default", "默认")
                                  : platform::FormatFixed(Number(library, name, "COM_Speed"), 1);
    const std::string lines[] = {
        Layer("2") + (type == "Bmp" ? Pick(language, "Bitmap", "位图") : Pick(language, "Vector", "矢量")),
        Layer("3") + Layer(Says(library, name, "COM_Output", "No") ? "4" : "5"),
        Layer("9") + Layer(Says(library, name, "COM_Blow", "No") ? "A" : "B"),
        Layer("C") + Layer(modeKey),
        Layer("6") + ":" + speed,
        Layer("P") + LaserLine(library, name, "COM_EnLaser1", "COM_Pmin1", "COM_Pmax1", language),
        Layer("Q") + LaserLine(library, name, "COM_EnLaser2", "COM_Pmin2", "COM_Pmax2", language),
    };
    std::string summary;
    for (const std::string& line : lines) {
        summary += line + "\r\n";
    }
    return summary;
}

std::string ParamLibLoadFailureText(std::uint16_t language) {
    return Pick(language,
                "Load parameters lib failure! The file is kept as it is; saving and deleting are off.",
                "加载参数库文件失败! 文件保持原样, 不能保存或删除参数.");
}

std::string ParamLibSaveFailureText(std::uint16_t language) {
    return Pick(language, "Save parameters lib failure!", "保存参数库文件失败!");
}

std::string ParamLibTooLargeText(std::uint16_t language) {
    return Pick(language, "Parameters lib is full, delete some parameters first!",
                "参数库已满, 请先删除一些参数!");
}

std::string ParamLibRefusedNameText(std::uint16_t language) {
    return Pick(language, "Parameter name can not contain [ ] or line breaks!", "参数名不能包含 [ ] 或换行!");
}

std::string ParamLibDuplicateText(std::uint16_t language) {
    return Pick(language, "Parameters is duplicate,cover it?", "参数重名,是否覆盖?");
}

std::string ParamLibKindMismatchText(bool layerIsBitmap, bool setIsBitmap, std::uint16_t language) {
    std::string text = Pick(language, "Layer type is not match,", "图层类型不匹配,");
    text += layerIsBitmap ? Pick(language, "Target layer is Dib,", "目标图层为位图,")
                          : Pick(language, "Target layer is Vector,", "目标图层为矢量,");
    text += setIsBitmap ? Pick(language, "Para layer is Dib.", "参数图层为位图.")
                        : Pick(language, "Para layer is Vector.", "参数图层为矢量.");
    return text;
}
