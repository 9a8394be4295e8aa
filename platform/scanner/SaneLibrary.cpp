#include "SaneLibrary.h"

#include <dlfcn.h>

namespace platform {

namespace {

template <typename Function>
bool Find(void* handle, const char* name, Function& entry) {
    entry = reinterpret_cast<Function>(dlsym(handle, name));
    return entry != nullptr;
}

}  // namespace

bool SaneLibrary::Load(const std::string& name) {
    if (handle_ != nullptr) {
        return true;
    }
    // The library stays mapped after its handle is closed: it keeps allocations in its own statics that
    // sane_exit leaves, and unmapping it would lose them again on every scan.
    handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle_ == nullptr) {
        return false;
    }
    const bool complete = Find(handle_, "sane_init", init) && Find(handle_, "sane_exit", exit) &&
                          Find(handle_, "sane_get_devices", getDevices) && Find(handle_, "sane_open", open) &&
                          Find(handle_, "sane_close", close) &&
                          Find(handle_, "sane_get_option_descriptor", getOptionDescriptor) &&
                          Find(handle_, "sane_control_option", controlOption) &&
                          Find(handle_, "sane_get_parameters", getParameters) &&
                          Find(handle_, "sane_start", start) && Find(handle_, "sane_read", read) &&
                          Find(handle_, "sane_cancel", cancel) && Find(handle_, "sane_strstatus", strstatus);
    if (!complete) {
        Unload();
    }
    return complete;
}

void SaneLibrary::Unload() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
    ClearEntries();
}

void SaneLibrary::ClearEntries() {
    init = nullptr;
    exit = nullptr;
    getDevices = nullptr;
    open = nullptr;
    close = nullptr;
    getOptionDescriptor = nullptr;
    controlOption = nullptr;
    getParameters = nullptr;
    start = nullptr;
    read = nullptr;
    cancel = nullptr;
    strstatus = nullptr;
}

}  // namespace platform
