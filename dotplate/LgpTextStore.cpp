#include "LgpTextStore.h"

#include <string_view>

#include "TextStore.h"

namespace dotplate {

namespace {

struct TextRow {
    const char* section;
    const char* key;
    const char* english;
    const char* chinese;
};

// The English order; the Chinese table differs only in where "Output" Q and "ScaleSetting" stand.
constexpr TextRow kTexts[] = {
    {"Main", "1", "LGP CAD&CAM System", "导光板设计及加工系统"},
    {"Main", "2", "Parameter", "参数"},
    {"Main", "3", "Output", "输出"},
    {"Main", "4", "System", "系统"},
    {"Process", "1", "Find Device", "查找设备"},
    {"Process", "2", "Auto", "自动"},
    {"Process", "3", "Position:", "定位方式:"},
    {"Process", "4", "Current Position", "当前位置"},
    {"Process", "5", "Anchor point", "定位点"},
    {"Process", "6", "Machine zero", "机械原点"},
    {"Process", "7", "Start", "开始"},
    {"Process", "8", "Pause/Continue", "暂停/继续"},
    {"Process", "9", "Stop", "停止"},
    {"Process", "A", "SaveUFile", "保存U盘文件"},
    {"Process", "B", "OutputUFile", "输出U盘文件"},
    {"Process", "C", "Download", "下载"},
    {"Process", "D", "GoScale", "走边框"},
    {"Process", "E", "CutScale", "切边框"},
    {"Process", "F", "Preview", "预览"},
    {"Process", "G", "Create LGP", "生成导光板"},
    {"Process", "H", "Export LGP design", "导出导光板设计"},
    {"Process", "I", "Select file for output", "选择输出文件"},
    {"Process", "J", "Searching device,Please wait", "正在搜索设备,请稍候"},
    {"LGP", "1", "LGP Point(mm)", "导光点(毫米)"},
    {"LGP", "2", "Width:", "宽度:"},
    {"LGP", "3", "Grad:", "渐变:"},
    {"LGP", "4", "Height:", "高度:"},
    {"LGP", "5", "Grad:", "渐变:"},
    {"LGP", "6", "LGP type:", "导光点类型:"},
    {"LGP", "7", "H-Line", "水平线"},
    {"LGP", "8", "V-Line", "垂直线"},
    {"LGP", "9", "Ellipse", "椭圆"},
    {"LGP", "A", "Rectangle", "矩形"},
    {"LGP", "18", "Grid", "网格"},
    {"LGP", "19", "CrossLine", "十字线"},
    {"LGP", "B", "Space(mm)", "间距(毫米)"},
    {"LGP", "C", "Up:", "上:"},
    {"LGP", "D", "Grad:", "渐变:"},
    {"LGP", "E", "Down:", "下:"},
    {"LGP", "F", "Grad:", "渐变:"},
    {"LGP", "G", "Left:", "左:"},
    {"LGP", "H", "Grad:", "渐变:"},
    {"LGP", "I", "Right:", "右:"},
    {"LGP", "J", "Grad:", "渐变:"},
    {"LGP", "K", "Base line", "基准线"},
    {"LGP", "L", "Dislocation", "错位"},
    {"LGP", "M", "Row", "行"},
    {"LGP", "N", "Column", "列"},
    {"LGP", "W", "Enable row and colown", "启用行和列"},
    {"LGP", "X", "EnRow", "启用行"},
    {"LGP", "Y", "EnColumn", "启用列"},
    {"LGP", "10", "UpGrad:", "上渐变:"},
    {"LGP", "11", "DownGrad:", "下渐变:"},
    {"LGP", "12", "LeftGrad:", "左渐变:"},
    {"LGP", "13", "RightGrad:", "右渐变:"},
    {"LGP", "14", "UpGrad:", "上渐变:"},
    {"LGP", "15", "DownGrad:", "下渐变:"},
    {"LGP", "16", "LeftGrad:", "左渐变:"},
    {"LGP", "17", "RightGrad:", "右渐变:"},
    {"LGP", "O", "Light source", "光源"},
    {"LGP", "P", "Custom", "自定义"},
    {"LGP", "Q", "Left", "左"},
    {"LGP", "R", "Right", "右"},
    {"LGP", "S", "Top", "上"},
    {"LGP", "T", "Bottom", "下"},
    {"LGP", "U", "Apply", "应用"},
    {"LGP", "V", "Zero", "归零"},
    {"Output", "1", "Speed(mm/s):", "速度(毫米/秒):"},
    {"Output", "2", "Default", "默认"},
    {"Output", "C", "MinPower(%):", "最小功率(%):"},
    {"Output", "D", "MaxPower(%):", "最大功率(%):"},
    {"Output", "4", "Default", "默认"},
    {"Output", "5", "Is blower on", "开启吹气"},
    {"Output", "6", "Scan type:", "扫描方式:"},
    {"Output", "7", "X_unilaterlism", "水平双向"},
    {"Output", "8", "X_swing", "水平单向"},
    {"Output", "9", "Y_unilaterlism", "垂直双向"},
    {"Output", "A", "Y_swing", "垂直单向"},
    {"Output", "B", "Scan precision", "扫描精度"},
    {"Output", "E", "LGP cut/Engrave", "导光板切割/雕刻"},
    {"Output", "F", "OnDelay:", "开光延时:"},
    {"Output", "G", "OffDelay:", "关光延时:"},
    {"Output", "H", "Outline cut", "轮廓切割"},
    {"Output", "I", "Speed(mm/s):", "速度(毫米/秒):"},
    {"Output", "J", "Default", "默认"},
    {"Output", "K", "MinPower(%):", "最小功率(%):"},
    {"Output", "L", "MaxPower(%):", "最大功率(%):"},
    {"Output", "M", "Default", "默认"},
    {"Output", "N", "Is blower on", "开启吹气"},
    {"Output", "O", "OnDelay:", "开光延时:"},
    {"Output", "P", "OffDelay:", "关光延时:"},
    {"Output", "R", "Array parameters", "阵列参数"},
    {"Output", "S", "X Num:", "X数目:"},
    {"Output", "T", "Y Num:", "Y数目:"},
    {"Output", "U", "X Space:", "X间距:"},
    {"Output", "V", "Y Space:", "Y间距:"},
    {"Output", "Q", "Enable outline cutting", "启用轮廓切割"},
    {"Output", "W", "Ellipse to dot", "椭圆转点"},
    {"Output", "X", "Dot time:", "打点时间:"},
    {"MsgInfo", "1", "Open COM Port Success!", "打开端口成功!"},
    {"MsgInfo", "2", "Open COM Port Failure!", "打开端口失败!"},
    {"MsgInfo", "3", "No Connected Device!", "没有连接设备!"},
    {"MsgInfo", "4", "Communication Error!", "通讯错误!"},
    {"MsgInfo", "5", "Connection Established", "连接已建立"},
    {"MsgInfo", "6", "Is Processing Or Pause!", "正在加工或暂停!"},
    {"MsgInfo", "7", "Restore Processing Failure!", "恢复加工失败!"},
    {"MsgInfo", "8", "Pause Processing Failure!", "暂停加工失败!"},
    {"MsgInfo", "9", "Stop Processing Failure!", "停止加工失败!"},
    {"MsgInfo", "A", "Laser Error,Can't Open Laser!", "激光器错误,无法开启激光!"},
    {"MsgInfo", "B", "Delete Selected File Failure!", "删除所选文件失败!"},
    {"MsgInfo", "C", "All File Delete Success!", "全部文件删除成功!"},
    {"MsgInfo", "D", "Start Target File Failure!", "启动目标文件失败!"},
    {"MsgInfo", "E", "Software is not match the mainboard!", "软件与主板不匹配!"},
    {"MsgInfo", "F", "Quit processing!", "退出加工!"},
    {"MsgInfo", "G", "Save UFile success!", "保存文件成功!"},
    {"MsgInfo", "H", "Data handle failure!", "数据处理失败!"},
    {"MsgInfo", "I", "Download Zint file Success!", "下载文件成功!"},
    {"MsgInfo", "J", "Download Zint file failure!", "下载文件失败!"},
    {"MsgInfo", "K", "Read document name failure!", "读取文档名失败!"},
    {"MsgInfo", "L", "Duplicate file!", "文件重名!"},
    {"MsgInfo", "M", "File download success!", "文件下载成功!"},
    {"MsgInfo", "N", "File download failure!", "文件下载失败!"},
    {"MsgInfo", "O", "Target file is not exist!", "目标文件不存在!"},
    {"MsgInfo", "P", "Invalid file!", "无效文件!"},
    {"MsgInfo", "Q", "Lack LGP data!", "缺少导光板数据!"},
    {"MsgInfo", "R", "Not support export 'Ellipse' or 'Rectangle'!", "不支持导出'椭圆'或'矩形'!"},
    {"NameDocDlg", "1", "Name within(0-9)or(A-Z)", "文档名为最长8位数字或英文字母"},
    {"NameDocDlg", "2", "Document name:", "文档名:"},
    {"NameDocDlg", "3", "Name document", "文档命名"},
    {"ItemCommon", "1", "Ok", "确定"},
    {"ItemCommon", "2", "Cancel", "取消"},
    {"ItemCommon", "3", "Exit", "退出"},
    {"ScaleSetting", "1", "Speed(mm/s):", "速度(毫米/秒):"},
    {"ScaleSetting", "2", "Min Power(%):", "最小功率(%):"},
    {"ScaleSetting", "3", "Max Power(%):", "最大功率(%):"},
    {"ScaleSetting", "4", "Blank(mm):", "留边(毫米):"},
    {"SysDlg", "1", "LGP Size(mm):", "导光板尺寸(毫米):"},
    {"SysDlg", "2", "Width:", "宽度:"},
    {"SysDlg", "3", "Height:", "高度:"},
    {"SysDlg", "4", "Apply", "应用"},
    {"SysDlg", "5", "Lock ratio", "锁定比例"},
    {"SysDlg", "6", "Enable LGP blank", "启用导光板留边"},
    {"SysDlg", "7", "Create LGP outline", "创建导光板轮廓"},
    {"SysDlg", "8", "Rectangle", "矩形"},
    {"SysDlg", "9", "Ellipse", "椭圆"},
    {"SysDlg", "A", "Import artwork", "导入图形"},
    {"SysDlg", "B", "Distance:", "距离:"},
    {"SysDlg", "C", "Apply to outline", "应用到轮廓"},
    {"SysDlg", "D", "Combine crossing outline", "合并相交轮廓"},
    {"SysDlg", "E", "Export LGP design", "导出导光板设计"},
    {"SysDlg", "F", "Import", "导入"},
    {"ComDlg", "1", "USB:", "USB:"},
    {"ComDlg", "2", "Auto", "自动"},
    {"ComDlg", "3", "Search", "搜索"},
    {"ComDlg", "4", "Web:", "网络:"},
    {"ComDlg", "5", "Default", "默认"},
    {"ComDlg", "6", "Default IP:", "默认IP:"},
    {"ComDlg", "7", "OK", "确定"},
};

bool Is(const TextRow& row, const char* section, const char* key = nullptr) {
    return std::string_view(row.section) == section && (key == nullptr || std::string_view(row.key) == key);
}

}  // namespace

CLgpTextStore::CLgpTextStore() : store_(std::make_unique<CTextStore>()) {}

CLgpTextStore::~CLgpTextStore() = default;

std::uint16_t CLgpTextStore::LoadIni(const std::filesystem::path& file) {
    auto loaded = std::make_unique<CTextStore>();
    if (loaded->LoadIni(file) != 0) {
        return 1;
    }
    store_ = std::move(loaded);
    return 0;
}

std::uint16_t CLgpTextStore::SaveIni(const std::filesystem::path& file) {
    store_->SaveIni(file);
    return 0;
}

std::string CLgpTextStore::GetText(const std::string& section, const std::string& key) const {
    std::string value;
    store_->Lookup(section, key, &value);
    return value;
}

void CLgpTextStore::SetText(const std::string& text, const std::string& key, const std::string& section) {
    store_->Put(section, key, text);
}

void CLgpTextStore::RemoveAll() { store_->RemoveAll(); }

void CLgpTextStore::LoadDefaultEng() {
    for (const TextRow& row : kTexts) {
        SetText(row.english, row.key, row.section);
    }
}

// The Chinese table has grown apart in its order: "Output" Q follows P, and "ScaleSetting" comes
// before "ItemCommon".
void CLgpTextStore::LoadDefaultChs() {
    auto put = [this](const TextRow& row) { SetText(row.chinese, row.key, row.section); };
    auto putAll = [&](const char* section, const char* key) {
        for (const TextRow& row : kTexts) {
            if (Is(row, section, key)) {
                put(row);
            }
        }
    };
    for (const TextRow& row : kTexts) {
        if (Is(row, "Output", "Q") || Is(row, "ScaleSetting")) {
            continue;
        }
        if (Is(row, "ItemCommon", "1")) {
            putAll("ScaleSetting", nullptr);
        }
        put(row);
        if (Is(row, "Output", "P")) {
            putAll("Output", "Q");
        }
    }
}

const char* LanguageFileName(std::uint16_t languageIndex) {
    switch (languageIndex) {
        case 1:
            return "LGP_cht.ini";
        case 2:
            return "LGP_eng.ini";
        case 3:
            return "LGP_other.ini";
        default:
            return "LGP_chs.ini";
    }
}

std::string BuiltInText(std::uint16_t languageIndex, std::string_view section, std::string_view key) {
    const bool chinese = std::string_view(LanguageFileName(languageIndex)) == LanguageFileName(0);
    for (const TextRow& row : kTexts) {
        if (row.section == section && row.key == key) {
            return chinese ? row.chinese : row.english;
        }
    }
    return std::string();
}

void LoadLanguage(CLgpTextStore& store, const std::filesystem::path& programFolder, std::uint16_t languageIndex) {
    if (programFolder.empty()) {
        return;
    }
    const std::filesystem::path file = programFolder / LanguageFileName(languageIndex);
    if (store.LoadIni(file) == 0) {
        return;
    }
    store.RemoveAll();
    // The table follows the file: an index beyond the known ones shares the Chinese file, which must
    // not be left holding English texts for the next Chinese session.
    if (std::string_view(LanguageFileName(languageIndex)) == LanguageFileName(0)) {
        store.LoadDefaultChs();
    } else {
        store.LoadDefaultEng();
    }
    store.SaveIni(file);
}

}  // namespace dotplate
