#include "SaneTestDevice.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempHome.h"

// SANE's test backend runs its reader on a thread that a cancelled page ends before it frees its
// buffer. Those blocks are the backend's, not the program's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libsane-test.so\n";
}

namespace cutrix::testing {

namespace {

// The SANE loader unloads its backends at sane_exit, after which the leak checker could no longer tell
// the test backend's blocks apart; loaded here for good, it stays known by name.
void KeepTestBackendLoaded() {
    static const bool loaded = [] {
        void* sane = dlopen("libsane.so.1", RTLD_NOW | RTLD_NODELETE);
        Dl_info library{};
        if (sane == nullptr || dladdr(dlsym(sane, "sane_init"), &library) == 0 ||
            library.dli_fname == nullptr) {
            return false;
        }
        const std::filesystem::path backend =
            std::filesystem::path(library.dli_fname).parent_path() / "sane" / "libsane-test.so.1";
        return dlopen(backend.c_str(), RTLD_NOW | RTLD_NODELETE) != nullptr;
    }();
    (void)loaded;
}

}  // namespace

void UseSaneTestDevice(const SaneTestSettings& settings) {
    KeepTestBackendLoaded();
    const std::filesystem::path folder = TempHome() / "sane";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "dll.conf") << (settings.devices > 0 ? "test\n" : "");
    std::ofstream(folder / "test.conf") << "number_of_devices " << settings.devices << "\n"
                                        << "mode " << settings.mode << "\n"
                                        << "depth " << settings.depth << "\n"
                                        << "resolution " << settings.resolution << "\n"
                                        << "test-picture \"" << settings.picture << "\"\n"
                                        << "br_x " << settings.widthMm << "\n"
                                        << "br_y " << settings.heightMm << "\n";
    if (settings.readDelayUs > 0) {
        std::ofstream(folder / "test.conf", std::ios::app)
            << "read-delay true\nread-delay-duration " << settings.readDelayUs << "\n";
    }
    setenv("SANE_CONFIG_DIR", folder.c_str(), 1);
}

}  // namespace cutrix::testing
