// Splitting a path into folder, file name and extension.
#include "PathExports.h"

std::uint16_t _path_GetFileNameExt(const std::string& path, std::string* ext) {
    if (ext == nullptr) {
        return 1;
    }
    ext->clear();
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot + 1 == path.size()) {
        return 1;
    }
    *ext = path.substr(dot + 1);
    return 0;
}

std::uint16_t _path_GetFileName(const std::string& path, std::string* name, int keepExtension) {
    if (name == nullptr) {
        return 1;
    }
    *name = path;
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        if (slash + 1 == path.size()) {
            return 1;
        }
        *name = path.substr(slash + 1);
    }
    if (keepExtension == 0) {
        const std::size_t dot = name->rfind('.');
        if (dot != std::string::npos) {
            name->erase(dot);
        }
    }
    return 0;
}
