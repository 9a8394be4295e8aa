// Preview texts and their files.
#include "PreviewLanguage.h"

#include <array>

namespace simscope {
namespace {

struct TextPair {
    std::string_view english;
    std::string_view chinese;
};

constexpr std::array<TextPair, kTextCount> kTexts{{
    {"Preview", "加工预览"},
    {"Double click to import the work file", "鼠标双击绘图区导入待预览文件"},
    {"Size:", "图形尺寸:"},
    {"Total time:", "加工时间:"},
    {"Light time:", "开光时间:"},
    {"Idle interval", "空走距离"},
    {"Work interval", "加工距离"},
    {"Position:", "当前位置:"},
    {"Speed:", "当前速度:"},
    {"Power:", "当前能量:"},
    {"Progress:", "当前进度:"},
    {"Default speed:", "默认速度:"},
    {"Simulate ratio:", "仿真速比:"},
    {"Simulation", "仿真"},
    {"Pause/Continue", "暂停/继续"},
    {"Stop", "停止"},
    {"Full window", "满幅面显示"},
    {"Config", "配置"},
    {"Horizontal mirror", "水平镜向"},
    {"Vertical mirror", "垂直镜向"},
    {"Configuration", "配置"},
    {"Background", "背景颜色"},
    {"Back color:", "背景颜色:"},
    {"Font color:", "文字颜色:"},
    {"Draw color(Power)", "画图颜色(能量)"},
    {"Simulate color(Power)", "仿真颜色(能量)"},
    {"Idle color", "空走颜色"},
    {"Anchor", "原点位置"},
    {"Top left", "左上"},
    {"Top right", "右上"},
    {"Bottom right", "右下"},
    {"Bottom left", "左下"},
    {"OK", "确定"},
}};

}  // namespace

std::string_view LanguageFileName(std::uint32_t language) {
    switch (language) {
        case 1:
            return "Preview_cht.ini";
        case 2:
            return "Preview_eng.ini";
        case 3:
            return "Preview_other.ini";
        default:
            return "Preview_chs.ini";
    }
}

std::string_view DefaultText(int key, std::uint32_t language) {
    if (key < 0 || key >= kTextCount) {
        return {};
    }
    return language == 0 ? kTexts[key].chinese : kTexts[key].english;
}

void LoadPreviewTexts(CTextStore& store, const std::filesystem::path& folder, std::uint32_t language) {
    const std::filesystem::path file = folder / LanguageFileName(language);
    if (store.LoadIni(file) == 0) {
        return;
    }
    for (int key = 0; key < kTextCount; ++key) {
        store.SetString(kTextSection, std::to_string(key), std::string(DefaultText(key, language)));
    }
    store.SaveIni(file);
}

std::string PreviewText(const CTextStore& store, int key) {
    return store.GetString(kTextSection, std::to_string(key));
}

}  // namespace simscope
