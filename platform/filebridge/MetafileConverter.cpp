#include "MetafileConverter.h"

#include <dlfcn.h>

#include <mutex>

#include "HelperProcess.h"

namespace filebridge {

namespace {

struct HelperChoice {
    std::mutex mutex;
    std::optional<MetafileHelper> chosen;
};

HelperChoice& Choice() {
    static HelperChoice choice;
    return choice;
}

MetafileHelper CurrentHelper() {
    HelperChoice& choice = Choice();
    const std::lock_guard lock(choice.mutex);
    return choice.chosen ? *choice.chosen : InstalledMetafileHelper();
}

}  // namespace

MetafileHelper InstalledMetafileHelper() {
    // The helper is built and shipped beside the library, wherever the program that loads it lives.
    Dl_info library{};
    if (::dladdr(reinterpret_cast<const void*>(&InstalledMetafileHelper), &library) == 0 ||
        library.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(library.dli_fname, error);
    return {error ? std::filesystem::path() : file.parent_path() / kMetafileHelperName};
}

void SetMetafileHelper(std::optional<MetafileHelper> helper) {
    HelperChoice& choice = Choice();
    const std::lock_guard lock(choice.mutex);
    choice.chosen = std::move(helper);
}

std::optional<std::string> ConvertMetafileToSvg(std::string_view metafile, std::string& failure) {
    const MetafileHelper helper = CurrentHelper();
    if (helper.program.empty()) {
        failure = "metafile converter not found";
        return std::nullopt;
    }
    std::string reason;
    std::optional<std::string> svg =
        RunHelper(helper.program, metafile, {helper.timeout, MetafileHelper::kMaxSvgBytes}, reason);
    if (!svg) {
        failure = "metafile cannot be converted: " + reason;
    }
    return svg;
}

}  // namespace filebridge
