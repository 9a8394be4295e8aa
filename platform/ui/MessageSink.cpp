#include "MessageSink.h"

namespace platform {

int DefaultMessageBoxResult(std::uint32_t style) {
    const std::uint32_t buttons = style & kMessageBoxButtonsMask;
    return (buttons == kYesNo || buttons == kYesNoCancel) ? kResultYes : kResultOk;
}

int NullMessageSink::ShowMessageBox(std::string_view, std::string_view, std::uint32_t style) {
    return DefaultMessageBoxResult(style);
}

}  // namespace platform
