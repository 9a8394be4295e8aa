// GBK conversion through the C library's iconv; one descriptor per call, since a descriptor keeps
// shift state and must not be shared between threads.
#include "GbkText.h"

#include <iconv.h>

#include <cerrno>

namespace platform {
namespace {

std::optional<std::string> Convert(std::string_view text, const char* to, const char* from) {
    const iconv_t converter = ::iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    // No character grows by more than four bytes between these two encodings.
    std::string out(text.size() * 4, '\0');
    char* in = const_cast<char*>(text.data());  // iconv's interface is not const-correct; it only reads
    std::size_t inLeft = text.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const std::size_t converted = ::iconv(converter, &in, &inLeft, &outAt, &outLeft);
    ::iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    return Convert(utf8, "GBK", "UTF-8");
}

std::optional<std::string> GbkToUtf8(std::string_view gbk) {
    return Convert(gbk, "UTF-8", "GBK");
}

}  // namespace platform
