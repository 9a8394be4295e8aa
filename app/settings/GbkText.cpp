// UTF-8 to GBK through the C library's character set conversion.
#include "GbkText.h"

#include <iconv.h>

#include <cerrno>

namespace {

// One conversion descriptor per call: iconv_t keeps shift state and must not be shared by threads.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::string output(input.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        return std::nullopt;
    }
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    return Convert("GBK", "UTF-8", utf8);
}
