// Letter-case rules for names that the user may type in any case: only ASCII letters fold, so that no
// byte of a UTF-8 sequence changes.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace folderkit {

inline char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ToUpperAscii(x) == ToUpperAscii(y);
           });
}

}  // namespace folderkit
