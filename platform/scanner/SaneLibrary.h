// The scanner library, opened at run time: the program starts and runs without it, and only the first
// scan looks for it.
#pragma once

#include <sane/sane.h>

#include <string>

namespace platform {

class SaneLibrary {
  public:
    static constexpr const char* kDefaultName = "libsane.so.1";

    SaneLibrary() = default;
    SaneLibrary(const SaneLibrary&) = delete;
    SaneLibrary& operator=(const SaneLibrary&) = delete;
    ~SaneLibrary() { Unload(); }

    // Opens the library and finds every entry point; false, with nothing open, when any is missing.
    bool Load(const std::string& name);
    void Unload();
    bool IsLoaded() const { return handle_ != nullptr; }

    decltype(&::sane_init) init = nullptr;
    decltype(&::sane_exit) exit = nullptr;
    decltype(&::sane_get_devices) getDevices = nullptr;
    decltype(&::sane_open) open = nullptr;
    decltype(&::sane_close) close = nullptr;
    decltype(&::sane_get_option_descriptor) getOptionDescriptor = nullptr;
    decltype(&::sane_control_option) controlOption = nullptr;
    decltype(&::sane_get_parameters) getParameters = nullptr;
    decltype(&::sane_start) start = nullptr;
    decltype(&::sane_read) read = nullptr;
    decltype(&::sane_cancel) cancel = nullptr;
    decltype(&::sane_strstatus) strstatus = nullptr;

  private:
    void ClearEntries();

    void* handle_ = nullptr;
};

}  // namespace platform
