#include "ScanMessages.h"

#include "SettingsGlobals.h"

std::string ScanFailureText(ScanError error, const std::string& status) {
    const bool chinese = LanguageIndex == kLanguageSimplifiedChinese;
    switch (error) {
        case ScanError::kNoLibrary:
            return chinese ? "未安装扫描仪程序库(SANE)!" : "The scanner library (SANE) is not installed!";
        case ScanError::kNoDevice:
            return chinese ? "未找到扫描仪!" : "No scanner found!";
        case ScanError::kNoDocuments:
            return chinese ? "进纸器中没有文档!" : "The document feeder is empty!";
        case ScanError::kDeviceFailed:
            return (chinese ? "扫描仪错误: " : "Scanner failure: ") + status;
        case ScanError::kBadPage:
            return chinese ? "扫描仪传来的图像无法使用!" : "The scanner sent a picture that cannot be used!";
        case ScanError::kNone:
        case ScanError::kCancelled:
            break;
    }
    return {};
}
