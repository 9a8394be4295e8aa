// The program folder and the user's special folders, each returned with a trailing "/".
#include <QStandardPaths>
#include <QString>

#include "PathExports.h"
#include "ProgramFolder.h"

namespace {

std::uint16_t ReturnFolder(const std::string& folder, std::string* out) {
    if (out == nullptr) {
        return 1;
    }
    out->clear();
    if (folder.empty()) {
        return 1;
    }
    *out = folder.ends_with('/') ? folder : folder + '/';
    return 0;
}

std::uint16_t ReturnStandardFolder(QStandardPaths::StandardLocation location, std::string* out) {
    return ReturnFolder(QStandardPaths::writableLocation(location).toStdString(), out);
}

}  // namespace

std::uint16_t _path_GetCurrentPath(std::string* out) {
    return ReturnFolder(platform::ProgramFolder().string(), out);
}

std::uint16_t _path_GetStartMenuFolder(std::string* out) {
    return ReturnStandardFolder(QStandardPaths::ApplicationsLocation, out);
}

std::uint16_t _path_GetDesktopFolder(std::string* out) {
    return ReturnStandardFolder(QStandardPaths::DesktopLocation, out);
}

std::uint16_t _path_GetAppDataFolder(std::string* out) {
    return ReturnStandardFolder(QStandardPaths::GenericDataLocation, out);
}
