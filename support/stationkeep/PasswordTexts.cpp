#include "PasswordTexts.h"

namespace stationkeep {

namespace {

constexpr std::uint16_t kSimplifiedChinese = 0;
constexpr std::uint16_t kTraditionalChinese = 1;

bool MessagesInChinese(std::uint16_t languageIndex) {
    return languageIndex == kSimplifiedChinese;
}

}  // namespace

AccessCodeTexts AccessCodeTextsFor(std::uint16_t languageIndex) {
    if (languageIndex == kSimplifiedChinese) {
        return {"厂家参数密码", "厂家参数密码:", "确定", "取消", "密码错误!"};
    }
    return {"Ventor Parameter Password", "Ventor parameter password:", "Ok", "Cancel", "Password error!"};
}

VendorRightTexts VendorRightTextsFor(std::uint16_t languageIndex) {
    if (languageIndex == kSimplifiedChinese || languageIndex == kTraditionalChinese) {
        return {"密码管理", "注:密码为6位数字(1-9)或字母", "厂家权限:", "进入", "退出"};
    }
    return {"Password managment", "Note:Password be (1-9)or(A-Z)", "Vendor right:", "Enter", "Exit"};
}

std::string VendorRightWrongEntryText(std::uint16_t languageIndex) {
    return MessagesInChinese(languageIndex) ? "密码错误!" : "Error password!";
}

std::string CommunicationFailureText(std::uint16_t languageIndex) {
    return MessagesInChinese(languageIndex) ? "通讯错误!" : "Communication failure!";
}

}  // namespace stationkeep
